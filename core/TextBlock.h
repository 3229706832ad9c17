#pragma once

#include "core/Pole.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>

/// A record's eight texts in one block, laid out as the database file holds the record:
/// Pesnicky with its own bars, then each other text followed by a bar. A million records keep
/// their texts in a million blocks, so a block is one of three kinds, and only an own block
/// is ever written to or freed.
class TextBlock {
  public:
    enum class Kind : std::uint8_t {
        Defaults, ///< the constant default texts, shared by every block until it is changed
        Own,      ///< made for this block alone, with room to spare
        Loaded,   ///< bytes of a loaded file, which the record's list keeps
    };

    /// The default texts.
    TextBlock() noexcept;
    /// Texts that lie one after another in loaded bytes, as a block holds them.
    /// Throws std::length_error when they are too large for a block (`fits`).
    explicit TextBlock(const std::array<std::string_view, PocetPoli> &loaded);
    /// Copies own or loaded texts into an own block; the defaults stay shared.
    TextBlock(const TextBlock &other);
    TextBlock &operator=(const TextBlock &other);
    ~TextBlock();

    Kind kind() const noexcept { return kind_; }

    std::string_view text(Pole pole) const noexcept
    {
        const int f = static_cast<int>(pole);
        // Pesnicky carries its bars itself; every later text comes after its predecessor's bar.
        const std::uint32_t start = f == 0 ? 0 : ends_[f - 1] + (f > 1);
        return {bytes_ + start, ends_[f] - start};
    }

    /// The whole block: every text with its bars, as the file holds the record.
    std::string_view bytes() const noexcept { return {bytes_, size()}; }

    /// Replaces one text, in place when the block is own and has room; else the texts move to
    /// a new own block. `text` may lie in this block. Throws std::length_error when the texts
    /// would be too large for a block (`fits`); the block is then as it was.
    void setText(Pole pole, std::string_view text);

    /// Whether `size` bytes, a record's texts with their bars, fit a block: its ends are
    /// 32-bit, so a block stays below 4 GiB.
    static constexpr bool fits(std::size_t size) noexcept { return size < kMost; }

  private:
    static constexpr std::size_t kMost = std::numeric_limits<std::uint32_t>::max();

    std::size_t size() const noexcept { return std::size_t(ends_[PocetPoli - 1]) + 1; }

    /// An own block of `capacity` bytes. It keeps its capacity in the four bytes in front of
    /// the texts, so that a change that fits is made in place.
    static char *makeOwn(std::size_t capacity);
    /// How many bytes an own block has room for.
    std::size_t capacity() const noexcept;
    /// The bytes of an own block, which no other block shares.
    char *writable() noexcept;
    /// Frees the bytes if they are an own block's.
    void freeOwn() noexcept;

    const char *bytes_;
    std::uint32_t ends_[PocetPoli]; ///< where each text ends, counted from bytes_
    Kind kind_;
};
