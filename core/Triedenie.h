#pragma once

#include "core/ZoznamCD.h"

#include <cstdint>
#include <string_view>

/// The sort mode chosen in the sort settings dialog: a number of `kSortFields`.
extern std::int32_t TypTriedenia;

/// The key of a record for a sort mode: the text of the mode's field (`sortField`). A mode
/// outside `kSortFields` gives every record the key "0", so that a sort by it moves nothing.
/// The view points into the record.
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
/// them in place. Afterwards `Prvy` is the first record, `Aktualny` the last, whose `Dalsi`
/// is null, and `Presuvany` the record that was last before the pass (for two or more).
/// No record is created, freed or changed otherwise.
/// For two or more records the maximum is set to n, the position runs upwards from 2 to n
/// in a few real steps and ends at 0; for fewer, only the position is set to 0.
/// `progress` may be null. The sort always counts as a change to the collection, even when
/// nothing moves: the caller (the main window) marks the unsaved changes, this pass does not.
/// If memory for the work arrays runs out, std::bad_alloc leaves the list as it was.
void ZoradZoznam(ZoznamCD &zoznam, std::int32_t mode, PriebehTriedenia *progress);
