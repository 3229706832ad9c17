#pragma once

#include "core/ZoznamCD.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

/// Two byte-to-byte maps over the code page: one folds case only, the other folds case and
/// removes diacritics. A byte whose two images differ is a letter with diacritics.
struct FoldTables {
    std::array<unsigned char, 256> caseOnly{};
    std::array<unsigned char, 256> plain{};
};

/// The folded text of one field of every record, laid end to end, so that a search over a
/// million records is a single scan rather than a million small ones. It holds pointers to
/// the records: rebuild it whenever the list may have changed.
class SearchIndex {
  public:
    explicit SearchIndex(const FoldTables &tables);

    /// Folds the field that the search setting `pole` selects (`searchField`) of every
    /// record, in list order.
    void build(const ZoznamCD &zoznam, std::int32_t pole);

    /// The positions of the records whose field contains `query`, in list order. Case never
    /// matters; diacritics matter only when the query has some. An empty query matches all.
    void find(std::string_view query, std::vector<std::int32_t> &matches) const;

    std::int32_t size() const { return std::int32_t(records_.size()); }
    const ZaznamCD &record(std::int32_t position) const { return *records_[std::size_t(position)]; }

  private:
    FoldTables tables_;
    std::vector<const ZaznamCD *> records_;
    // Record i's folded text starts at starts_[i] and ends one byte before starts_[i + 1],
    // where a separator lies; the last entry is the total length.
    std::vector<std::size_t> starts_;
    std::string caseKeys_;
    std::string plainKeys_;
};
