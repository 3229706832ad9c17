#include "storage/CitacDatabazy.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <limits>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

// The white space that "%d" skips in the C locale.
bool isSpace(int ch)
{
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\v' || ch == '\f' || ch == '\r';
}

bool isDigit(int ch)
{
    return ch >= '0' && ch <= '9';
}

std::size_t findNul(const char *buffer, std::size_t from, std::size_t to)
{
    const void *p = std::memchr(buffer + from, 0, to - from);
    return p ? static_cast<std::size_t>(static_cast<const char *>(p) - buffer) : to;
}

// Looks for bars in b[from, to) and notes each one's offset from `start` in `bars`, until
// `done` reaches `n`. Returns where the search ended: just after the n-th bar, or `to`.
// Items are short as a rule, so sixteen bytes are compared at once where the processor can;
// memchr per item would spend more on its calls than on the bytes.
std::size_t findBars(const char *b, std::size_t from, std::size_t to, std::size_t start,
                     std::size_t *bars, std::size_t &done, std::size_t n)
{
#ifdef __SSE2__
    const __m128i bar = _mm_set1_epi8('|');
    for (; to - from >= 16; from += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(b + from));
        for (unsigned hits = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, bar))); hits != 0;
             hits &= hits - 1) {
            const std::size_t at = from + unsigned(__builtin_ctz(hits));
            bars[done++] = at - start;
            if (done == n)
                return at + 1;
        }
    }
#endif
    while (done < n) {
        const void *hit = std::memchr(b + from, '|', to - from);
        if (!hit)
            return to;
        const auto at = static_cast<std::size_t>(static_cast<const char *>(hit) - b);
        bars[done++] = at - start;
        from = at + 1;
    }
    return from;
}

} // namespace

CitacDatabazy::CitacDatabazy(ByteSource &source, std::size_t bufferSize, bool keepsBytes)
    : source_(source), capacity_(bufferSize < 16 ? 16 : bufferSize), keepsBytes_(keepsBytes)
{
    buffer_.reset(new char[capacity_]);
}

void CitacDatabazy::shift(std::size_t &by)
{
    end_ -= by;
    pos_ -= by;
    nul_ -= by;
    base_ += by;
    by = 0;
}

bool CitacDatabazy::refill(std::size_t &keep)
{
    assert(keep <= pos_ && pos_ <= nul_ && nul_ <= end_ && end_ <= capacity_);
    if (atEnd_)
        return false;
    if (keepsBytes_ && end_ == capacity_) {
        // The bytes before `keep` may be texts of loaded records, so they stay where they
        // are, and the unfinished run moves on to a new block. Blocks grow to a few
        // megabytes, and further when one run needs it.
        constexpr std::size_t largest = std::size_t(4) << 20;
        const std::size_t run = end_ - keep;
        const std::size_t size = std::max(std::min(capacity_ * 2, largest), run * 2);
        std::unique_ptr<char[]> block(new char[size]);
        std::memcpy(block.get(), buffer_.get() + keep, run);
        if (keep > 0)
            kept_.push_back(std::move(buffer_));
        buffer_ = std::move(block);
        capacity_ = size;
        shift(keep);
    } else if (!keepsBytes_) {
        if (keep > 0) {
            std::memmove(buffer_.get(), buffer_.get() + keep, end_ - keep);
            shift(keep);
        }
        // An item longer than the buffer makes it grow; doubling keeps that linear.
        if (end_ == capacity_) {
            std::unique_ptr<char[]> larger(new char[capacity_ * 2]);
            std::memcpy(larger.get(), buffer_.get(), end_);
            buffer_ = std::move(larger);
            capacity_ *= 2;
        }
    }
    const std::size_t oldEnd = end_;
    const std::size_t got = source_.read(buffer_.get() + end_, capacity_ - end_);
    if (got == 0) {
        atEnd_ = true;
        failed_ = source_.failed();
        return false;
    }
    end_ += got;
    if (nul_ == oldEnd)
        nul_ = findNul(buffer_.get(), oldEnd, end_);
    return true;
}

int CitacDatabazy::peek()
{
    if (pos_ == end_) {
        std::size_t keep = pos_;
        if (!refill(keep))
            return -1;
    }
    return static_cast<unsigned char>(buffer_[pos_]);
}

CitacDatabazy::Count CitacDatabazy::readCount()
{
    Count count;
    stop_ = Stop::None;
    int ch = peek();
    while (ch != -1 && isSpace(ch)) {
        ++pos_;
        ch = peek();
    }
    count.offset = offset();
    count.blank = ch == -1;
    bool negative = false;
    if (ch == '+' || ch == '-') {
        negative = ch == '-';
        ++pos_;
        ch = peek();
    }
    if (isDigit(ch)) {
        count.present = true;
        // Leading zeros are allowed and a long run of digits must not overflow,
        // so the magnitude saturates once it is beyond any 64-bit count.
        constexpr std::uint64_t cap = std::uint64_t(1) << 63;
        std::uint64_t magnitude = 0;
        while (isDigit(ch)) {
            const unsigned digit = static_cast<unsigned>(ch - '0');
            // Checked before multiplying, so the magnitude never wraps around.
            magnitude = magnitude > (cap - digit) / 10 ? cap : magnitude * 10 + digit;
            ++pos_;
            ch = peek();
        }
        if (negative) {
            count.value = magnitude == cap ? std::numeric_limits<std::int64_t>::min()
                                           : -static_cast<std::int64_t>(magnitude);
        } else {
            count.value = magnitude == cap ? std::numeric_limits<std::int64_t>::max()
                                           : static_cast<std::int64_t>(magnitude);
        }
        count.outOfRange = count.value > std::numeric_limits<std::int32_t>::max() ||
                           count.value < std::numeric_limits<std::int32_t>::min();
    }
    if (ch == -1 && failed_) {
        stop_ = Stop::ReadError;
        stopOffset_ = offset();
    }
    return count;
}

std::size_t CitacDatabazy::readItems(std::size_t n, std::string_view *items)
{
    stop_ = Stop::None;
    assert(pos_ <= nul_ && nul_ <= end_);
    if (bars_.size() < n)
        bars_.resize(n);
    // Positions below are relative to the start of the run, which a refill may move.
    std::size_t start = pos_;
    std::size_t scan = 0;
    std::size_t done = 0;
    while (done < n) {
        scan = findBars(buffer_.get(), start + scan, nul_, start, bars_.data(), done, n) - start;
        if (done == n)
            break;
        if (nul_ < end_) {
            // The NUL byte ends the item; it is taken, as reading it took it.
            stop_ = Stop::NulByte;
            stopOffset_ = base_ + nul_;
            pos_ = nul_ + 1;
            nul_ = findNul(buffer_.get(), pos_, end_);
            break;
        }
        if (!refill(start)) {
            stop_ = failed_ ? Stop::ReadError : Stop::EndOfInput;
            stopOffset_ = base_ + end_;
            pos_ = end_;
            break;
        }
    }
    const char *b = buffer_.get();
    std::size_t from = start;
    for (std::size_t k = 0; k < done; ++k) {
        items[k] = std::string_view(b + from, start + bars_[k] - from);
        from = start + bars_[k] + 1;
    }
    if (done == n)
        pos_ = from;
    return done;
}

std::string CitacDatabazy::CitajPolozku()
{
    std::string_view item;
    if (readItems(1, &item) == 1)
        return std::string(item);
    return "0";
}

std::vector<std::unique_ptr<char[]>> CitacDatabazy::takeBlocks()
{
    kept_.push_back(std::move(buffer_));
    capacity_ = pos_ = end_ = nul_ = 0;
    atEnd_ = true;
    return std::move(kept_);
}
