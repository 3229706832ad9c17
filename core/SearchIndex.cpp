#include "core/SearchIndex.h"

#include <algorithm>
#include <cstring>
#include <numeric>

namespace {

void appendFolded(std::string &keys, std::string_view text,
                  const std::array<unsigned char, 256> &table)
{
    const std::size_t at = keys.size();
    keys.resize(at + text.size() + 1);
    char *out = keys.data() + at;
    for (const char c : text)
        *out++ = static_cast<char>(table[static_cast<unsigned char>(c)]);
    // The separator keeps a match from running from one record into the next in the common
    // case; find() still checks the bounds, because a record may hold any byte.
    *out = '\0';
}

// The first occurrence of `needle` in `hay` at or after `from`, or npos. glibc's memmem
// scans far faster than a loop over first-byte hits when the first byte is common.
std::size_t findFrom(std::string_view hay, std::size_t from, std::string_view needle)
{
    const void *hit = memmem(hay.data() + from, hay.size() - from, needle.data(), needle.size());
    return hit ? std::size_t(static_cast<const char *>(hit) - hay.data()) : std::string_view::npos;
}

} // namespace

SearchIndex::SearchIndex(const FoldTables &tables) : tables_(tables) {}

void SearchIndex::build(const ZoznamCD &zoznam, std::int32_t pole)
{
    records_.clear();
    starts_.clear();
    caseKeys_.clear();
    plainKeys_.clear();

    const std::size_t count = zoznam.PocetCd > 0 ? std::size_t(zoznam.PocetCd) : 0;
    records_.reserve(count);
    starts_.reserve(count + 1);
    const Pole field = searchField(pole);
    std::size_t total = 0;
    const ZaznamCD *zaznam = zoznam.Prvy;
    for (std::size_t i = 0; i < count; ++i, zaznam = zaznam->Dalsi) {
        records_.push_back(zaznam);
        total += zaznam->text(field).size() + 1;
    }
    caseKeys_.reserve(total);
    plainKeys_.reserve(total);
    for (const ZaznamCD *r : records_) {
        starts_.push_back(caseKeys_.size());
        appendFolded(caseKeys_, r->text(field), tables_.caseOnly);
        appendFolded(plainKeys_, r->text(field), tables_.plain);
    }
    starts_.push_back(caseKeys_.size());
}

void SearchIndex::find(std::string_view query, std::vector<std::int32_t> &matches) const
{
    matches.clear();
    if (query.empty()) {
        matches.resize(records_.size());
        std::iota(matches.begin(), matches.end(), 0);
        return;
    }

    // Fold the query the way the keys were folded; a query with diacritics is compared with
    // keys that kept theirs.
    std::string needle(query.size(), '\0');
    bool keepDiacritics = false;
    for (std::size_t i = 0; i < query.size(); ++i) {
        const auto b = static_cast<unsigned char>(query[i]);
        keepDiacritics |= tables_.plain[b] != tables_.caseOnly[b];
        needle[i] = static_cast<char>(tables_.caseOnly[b]);
    }
    if (!keepDiacritics) {
        for (std::size_t i = 0; i < query.size(); ++i)
            needle[i] = static_cast<char>(tables_.plain[static_cast<unsigned char>(query[i])]);
    }
    const std::string_view hay = keepDiacritics ? caseKeys_ : plainKeys_;

    std::size_t from = 0;
    auto next = starts_.begin() + 1; // the start of the record after the current one
    while (from < hay.size()) {
        const std::size_t hit = findFrom(hay, from, needle);
        if (hit == std::string_view::npos)
            break;
        next = std::upper_bound(next, starts_.end(), hit);
        const std::size_t end = *next - 1; // the separator after the record holding `hit`
        if (hit + needle.size() <= end) {
            matches.push_back(std::int32_t(next - starts_.begin() - 1));
            from = *next;
        } else {
            from = hit + 1;
        }
    }
}
