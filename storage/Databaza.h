#pragma once

#include "core/ZoznamCD.h"
#include "storage/ByteStream.h"
#include "storage/CitacDatabazy.h"

#include <cstdint>
#include <optional>
#include <string>

/// Why a load stopped.
enum class DovodZastavenia {
    EndOfInput,      ///< the file ended before the last record's final bar
    NulByte,         ///< a NUL byte inside an item
    EndMarker,       ///< an item that is exactly "0", which the format reads as its end marker
    NegativeCount,   ///< the record count is below zero
    CountOutOfRange, ///< the record count does not fit a signed 32-bit integer
    ReadError,       ///< the source reported an error
    NotADatabase,    ///< something other than white space, but no count at the start
    RecordTooLarge,  ///< a record's texts are too large for a record (`TextBlock::fits`)
};

/// What a load gives: either a complete list, or why and where it stopped.
struct VysledokNacitania {
    bool completed = false;
    ZoznamCD zoznam;                                      ///< the records read; empty when stopped
    std::int64_t count = 0;                               ///< the count as read from the file
    DovodZastavenia reason = DovodZastavenia::EndOfInput; ///< only when stopped
    /// 1-based number of the record being read when stopped; 0 when the count stopped it.
    std::int64_t record = 0;
    /// Byte offset in the file: of the NUL byte, of the end of the file (or where reading
    /// failed), of the first byte of the item "0" or of the record too large, or of the count's
    /// first byte. After a completed load: just after the last record (bytes from there on are
    /// ignored).
    std::uint64_t offset = 0;
};

/// A text that a save would write but a load could not bring back as it was.
struct StrataPriUlozeni {
    std::int32_t record = 0;     ///< 1-based record number
    Pole field = Pole::Pesnicky; ///< the text at fault
    using Kind = DruhStraty;
    Kind kind = Kind::BarInText;
    std::int32_t title = 0; ///< for Pesnicky: the 1-based title at fault, 0 when not one title
};

/// Writes the count and every record in list order, with no byte added, gathering the bytes
/// into writes of `bufferSize` (small sizes are for tests). With `strata`, also tells the first
/// text that a load could not bring back as written, if any (`NajdiStratu`). Returns false
/// when the sink refused bytes or could not flush them.
bool UlozDatabazu(ByteSink &sink, const ZoznamCD &zoznam,
                  std::optional<StrataPriUlozeni> *strata = nullptr,
                  std::size_t bufferSize = 1 << 16);

/// Reads a whole database file into a list of its own, in blocks that start at `blockSize`
/// bytes (small sizes are for tests). The caller's list is never touched: it takes `zoznam`
/// over only when `completed` is true.
VysledokNacitania NacitajDatabazu(ByteSource &source, std::size_t blockSize = 1 << 16);

/// The first text of the list that the file format cannot bring back, if any: a record's own
/// loss (`ZaznamCD::strata`), or in the first record a title that the count would take.
std::optional<StrataPriUlozeni> NajdiStratu(const ZoznamCD &zoznam);
