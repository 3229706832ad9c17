#pragma once

#include "core/Pole.h"

#include <cstdint>
#include <optional>
#include <string_view>

/// What the database file would do to a text that it cannot hold as it is.
enum class DruhStraty : std::uint8_t {
    BarInText,    ///< a bar in a field; for Pesnicky: not ten titles each followed by a bar
    TextIsZero,   ///< a field or title that is exactly "0", the reader's end marker
    LeadingDigit, ///< the first title begins with a digit, which the count would take
    NulInText,    ///< a NUL byte, which ends an item when read
};

/// A text that a save would write but a load could not bring back as it was.
struct StrataTextu {
    Pole pole;
    DruhStraty druh;
    std::int32_t title = 0; ///< for Pesnicky: the 1-based title at fault, 0 when not one title
};

/// What the file would do to `text` as the field `pole` of a record; nothing when it comes
/// back as it is. A digit opening the first title is not looked at: the count would take it
/// only in the first record of a file (see `firstRecordLoss`).
std::optional<StrataTextu> textLoss(Pole pole, std::string_view text) noexcept;

/// The loss of a file's first record, given its first text with a loss (`own`, by
/// `textLoss`) and its songs. The count is written right before the first title and would
/// take its digits; that outranks a title "0" and any later field, not a wrong count of
/// bars or a NUL byte.
std::optional<StrataTextu> firstRecordLoss(const std::optional<StrataTextu> &own,
                                           std::string_view songs) noexcept;
