#include "core/TextBlock.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <functional>
#include <stdexcept>
#include <utility>

namespace {

// A new record's texts, laid out as a block holds them, shared by every record until it is
// first changed. Made from the field table, so that the two cannot disagree.
constexpr std::size_t kDefaultSize = [] {
    std::size_t size = 0;
    for (const FieldInfo &field : kFields)
        size += field.defaultText.size() + (field.pole != Pole::Pesnicky);
    return size;
}();

struct Defaults {
    std::array<char, kDefaultSize> bytes{};
    std::array<std::uint32_t, PocetPoli> ends{};
};

constexpr Defaults kDefaults = [] {
    Defaults block;
    std::size_t at = 0;
    for (int f = 0; f < PocetPoli; ++f) {
        for (char c : kFields[f].defaultText)
            block.bytes[at++] = c;
        block.ends[f] = std::uint32_t(at);
        if (f > 0)
            block.bytes[at++] = '|';
    }
    return block;
}();
static_assert(kDefaults.ends[PocetPoli - 1] + 1 == kDefaultSize); // the block ends in a bar

} // namespace

TextBlock::TextBlock() noexcept : bytes_(kDefaults.bytes.data()), kind_(Kind::Defaults)
{
    std::copy(kDefaults.ends.begin(), kDefaults.ends.end(), ends_);
}

TextBlock::TextBlock(const std::array<std::string_view, PocetPoli> &loaded)
    : bytes_(loaded[0].data()), kind_(Kind::Loaded)
{
    const std::string_view last = loaded[PocetPoli - 1];
    if (!fits(std::size_t(last.data() + last.size() + 1 - bytes_)))
        throw std::length_error("a record holds less than 4 GiB of text");
    for (int f = 0; f < PocetPoli; ++f)
        ends_[f] = std::uint32_t(loaded[f].data() + loaded[f].size() - bytes_);
}

TextBlock::TextBlock(const TextBlock &other) : bytes_(other.bytes_), kind_(other.kind_)
{
    std::copy(other.ends_, other.ends_ + PocetPoli, ends_);
    if (kind_ != Kind::Defaults) {
        char *own = makeOwn(size());
        std::memcpy(own, other.bytes_, size());
        bytes_ = own;
        kind_ = Kind::Own;
    }
}

TextBlock &TextBlock::operator=(const TextBlock &other)
{
    if (this != &other) {
        TextBlock copy(other);
        std::swap(bytes_, copy.bytes_);
        std::swap(ends_, copy.ends_);
        std::swap(kind_, copy.kind_);
    }
    return *this;
}

TextBlock::~TextBlock()
{
    freeOwn();
}

void TextBlock::setText(Pole pole, std::string_view text)
{
    const std::string_view old = this->text(pole);
    const auto start = std::size_t(old.data() - bytes_);
    const std::size_t end = start + old.size();
    const std::size_t size = this->size();
    const std::size_t newSize = size - old.size() + text.size();
    if (!fits(text.size()) || !fits(newSize))
        throw std::length_error("a record holds less than 4 GiB of text");

    const std::less<const char *> before;
    const bool fromItself =
        !text.empty() && !before(text.data(), bytes_) && before(text.data(), bytes_ + size);
    if (kind_ == Kind::Own && !fromItself && newSize <= capacity()) {
        char *own = writable();
        std::memmove(own + start + text.size(), own + end, size - end);
        if (!text.empty())
            std::memcpy(own + start, text.data(), text.size());
    } else {
        // With room to spare: records are filled one text after another.
        char *own = makeOwn(std::min(newSize + newSize / 4 + 16, kMost));
        std::memcpy(own, bytes_, start);
        if (!text.empty())
            std::memcpy(own + start, text.data(), text.size());
        std::memcpy(own + start + text.size(), bytes_ + end, size - end);
        freeOwn();
        bytes_ = own;
        kind_ = Kind::Own;
    }
    for (int f = static_cast<int>(pole); f < PocetPoli; ++f)
        ends_[f] = std::uint32_t(ends_[f] - old.size() + text.size());
}

char *TextBlock::makeOwn(std::size_t capacity)
{
    char *block = new char[sizeof(std::uint32_t) + capacity];
    const auto room = std::uint32_t(capacity);
    std::memcpy(block, &room, sizeof room);
    return block + sizeof room;
}

std::size_t TextBlock::capacity() const noexcept
{
    std::uint32_t room;
    std::memcpy(&room, bytes_ - sizeof room, sizeof room);
    return room;
}

char *TextBlock::writable() noexcept
{
    // makeOwn's bytes are this block's alone; `bytes_` is const for the other kinds' sake.
    assert(kind_ == Kind::Own);
    return const_cast<char *>(bytes_);
}

void TextBlock::freeOwn() noexcept
{
    if (kind_ == Kind::Own)
        delete[](bytes_ - sizeof(std::uint32_t));
}
