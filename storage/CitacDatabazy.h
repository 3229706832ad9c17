#pragma once

#include "storage/ByteStream.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

/// Buffered reading of a database file: the record count, then bar-ended items.
/// It asks its source for large blocks and scans them with memchr, never byte by byte.
///
/// The buffer, in offsets from its first byte (file offset `base_`):
///
///     0 ......... pos_ ............ nul_ ............ end_ ........... capacity_
///       taken       unread (nul_: the first NUL byte, or end_)          free
///
/// - `nul_` is always the first NUL byte at or after `pos_`, or `end_` when there is none, so
///   that a search for bars never looks past it. Three steps keep it so: a shift moves it
///   with the bytes, a refill searches only the new bytes and only when there was none, and a
///   read that stops at the NUL byte takes it and searches on.
/// - A read of several items is one run from its first byte. A refill may move the run, so
///   the run's bars are noted from its start (`bars_`), and its views made once it is whole.
/// - `refill(keep)`: `keep` is the first byte its caller still needs, and on return it is
///   where that byte lies now: 0 after a shift, else where it was.
/// - A reader that does not keep its bytes has one buffer: a refill moves the unread bytes to
///   its front, and doubles it when one run fills it.
/// - A reader that keeps its bytes never moves or frees a byte before the run being read, the
///   items it gave out. It reads into a block until the block is full, then copies the run to
///   a new, larger block. The full block is kept when it holds bytes before the run, and
///   freed when the run was all of it. `takeBlocks` hands over the kept blocks and the last.
/// - Once the source gives no bytes, `atEnd_` is set and it is asked no more; `failed_` says
///   whether that was an error.
class CitacDatabazy {
  public:
    /// Why the last read gave fewer items than asked for.
    enum class Stop { None, EndOfInput, NulByte, ReadError };

    /// The record count as "%d" reads it.
    struct Count {
        bool present = false;     ///< false when no number stands there: the count is then 0
        bool blank = false;       ///< nothing but white space up to the end of the input
        bool outOfRange = false;  ///< the number does not fit a signed 32-bit integer
        std::int64_t value = 0;   ///< clamped to the 64-bit range
        std::uint64_t offset = 0; ///< where the number (its sign or first digit) begins
    };

    /// With `keepsBytes`, no byte of an item once given out is moved or freed: the views of
    /// every read stay valid as long as the blocks that `takeBlocks` hands over.
    explicit CitacDatabazy(ByteSource &source, std::size_t bufferSize = 1 << 16,
                           bool keepsBytes = false);

    /// Reads the count the way "%d" does: white space skipped, an optional sign, digits;
    /// the first byte that cannot continue the number stays unread.
    Count readCount();

    /// One item without its bar. At the end of input or at a NUL byte it gives the end
    /// marker "0"; `stop()` then tells which, so that 0xFF stays an ordinary byte.
    std::string CitajPolozku();

    /// Reads up to `n` items into `items`, each without its bar and followed in the buffer by
    /// it, so consecutive items form one run of bytes. Returns how many items were complete;
    /// fewer than `n` means `stop()` says why. The views stay valid until the next read, or
    /// longer when the reader keeps its bytes.
    std::size_t readItems(std::size_t n, std::string_view *items);

    /// The blocks that hold the bytes read, for a reader that keeps them; it reads no more.
    std::vector<std::unique_ptr<char[]>> takeBlocks();

    Stop stop() const { return stop_; }
    /// Offset in the file of the byte where reading stopped (the NUL byte, or the end).
    std::uint64_t stopOffset() const { return stopOffset_; }
    /// Offset in the file of a byte that a view from the last read points at.
    std::uint64_t offsetOf(const char *p) const { return base_ + (p - buffer_.get()); }
    /// Offset in the file of the next unread byte.
    std::uint64_t offset() const { return base_ + pos_; }

  private:
    /// Keeps bytes from `keep` on, reads more behind them; false at the end of input or on error.
    bool refill(std::size_t &keep);
    /// The bytes from `by` on now lie `by` bytes earlier; `by` becomes 0.
    void shift(std::size_t &by);
    /// The next byte without taking it, or -1 at the end of input or on error.
    int peek();

    ByteSource &source_;
    std::unique_ptr<char[]> buffer_; ///< left uninitialised: only bytes read are looked at
    std::size_t capacity_;
    std::size_t pos_ = 0;    ///< next unread byte
    std::size_t end_ = 0;    ///< end of the valid bytes
    std::size_t nul_ = 0;    ///< first NUL byte at or after pos_, `end_` if none
    std::uint64_t base_ = 0; ///< file offset of buffer_[0]
    bool atEnd_ = false;
    bool failed_ = false;
    std::vector<std::size_t> bars_; ///< bar positions of the run being read, from its start
    bool keepsBytes_;
    std::vector<std::unique_ptr<char[]>> kept_; ///< full blocks of a reader that keeps its bytes
    Stop stop_ = Stop::None;
    std::uint64_t stopOffset_ = 0;
};
