#pragma once

#include "core/ZoznamCD.h"

#include <cstdint>
#include <string_view>

/// The sort mode chosen in the sort settings dialog: 0..4 select a key, anything else
/// makes every key "0" so that nothing moves.
extern std::int32_t TypTriedenia;

/// The key of a record for a sort mode: 0 DatumPozicania, 1 DatumVratenia, 2 NazovCD,
/// 3 AutorCD, 4 Priezvisko, any other mode the text "0". The view points into the record.
std::string_view KlucTriedenia(const ZaznamCD &zaznam, std::int32_t mode) noexcept;

/// Where the sort pass shows how far it is. The main window implements it with its
/// progress bar; the minimum stays 0.
class PriebehTriedenia {
public:
    virtual ~PriebehTriedenia() = default;
    virtual void setMaximum(int maximum) = 0;
    virtual void setPosition(int position) = 0;
};

/// Puts the records into ascending, stable `JeVacsi` order of the mode's key by relinking
/// them in place. Afterwards `Prvy` is the first record and `Aktualny` the last.
/// For two or more records progress runs from 2 towards n with maximum n and ends at 0;
/// for fewer, only the position is set to 0. `progress` may be null.
void ZoradZoznam(ZoznamCD &zoznam, std::int32_t mode, PriebehTriedenia *progress);
