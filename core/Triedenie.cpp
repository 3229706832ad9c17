#include "core/Triedenie.h"

#include <algorithm>
#include <utility>
#include <vector>

std::int32_t TypTriedenia = 0;

std::string_view KlucTriedenia(const ZaznamCD &zaznam, std::int32_t mode) noexcept
{
    switch (mode) {
    case 0:
        return zaznam.DatumPozicania;
    case 1:
        return zaznam.DatumVratenia;
    case 2:
        return zaznam.NazovCD;
    case 3:
        return zaznam.AutorCD;
    case 4:
        return zaznam.Priezvisko;
    default:
        return "0";
    }
}

namespace {

constexpr std::size_t kChunk = sizeof(std::uint64_t);

// One record as the sort sees it: eight bytes of its key from some depth on, packed
// big-endian and padded with zeros, and how many key bytes are left from that depth,
// counted up to nine. Comparing these never touches the scattered records.
struct Entry {
    std::uint64_t chunk;
    std::uint32_t left;
    std::uint32_t index; // where the record was in the list before the pass
};

void load(Entry &entry, std::string_view key, std::size_t depth)
{
    key.remove_prefix(depth);
    const std::size_t n = std::min(key.size(), kChunk);
    std::uint64_t chunk = 0;
    for (std::size_t i = 0; i < n; ++i)
        chunk |= std::uint64_t(static_cast<unsigned char>(key[i])) << (8 * (kChunk - 1 - i));
    entry.chunk = chunk;
    entry.left = std::uint32_t(std::min(key.size(), kChunk + 1));
}

// JeVacsi order of the keys from the entries' depth on, as far as eight bytes tell. Where the
// chunks differ, either both keys have a real byte at the first difference or the zero-padded
// one is a proper prefix of the other. Where they agree and a key ends within them, it is a
// prefix (plus zero bytes) of the other, so the shorter comes first. Two keys that both go on
// compare equal here and stay in list order until the next chunk decides.
bool before(const Entry &a, const Entry &b)
{
    if (a.chunk != b.chunk)
        return a.chunk < b.chunk;
    return a.left < b.left;
}

bool undecided(const Entry &a, const Entry &b)
{
    return a.chunk == b.chunk && a.left == b.left && a.left > kChunk;
}

// Maps finished work onto positions 2..n. A position is reported only when it has grown by
// a hundredth of the way or reached n, so a pass makes at most about a hundred calls.
class Progress {
  public:
    Progress(PriebehTriedenia *sink, std::int32_t n, double totalWork)
        : sink_(sink), n_(n), totalWork_(totalWork), minimumStep_(std::max(1, (n - 2) / 100))
    {
        if (sink_) {
            sink_->setMaximum(n_);
            sink_->setPosition(shown_);
        }
    }

    void advance(double work)
    {
        done_ += work;
        const double fraction = std::min(1.0, done_ / totalWork_);
        const int position = 2 + int(double(n_ - 2) * fraction);
        if (sink_ && (position >= shown_ + minimumStep_ || (position == n_ && shown_ < n_))) {
            shown_ = position;
            sink_->setPosition(position);
        }
    }

  private:
    PriebehTriedenia *sink_;
    int n_;
    double totalWork_;
    int minimumStep_;
    double done_ = 0;
    int shown_ = 2;
};

// Runs of this many entries (256 KiB) are sorted within the cache, then merged pairwise.
// Each run and each merge is a real step of progress.
constexpr std::size_t kRun = 16384;

double levelsOf(std::size_t n)
{
    double levels = 0;
    for (std::size_t width = 1; width < n; width *= 2)
        ++levels;
    return levels;
}

void sortInRuns(std::vector<Entry> &entries, Progress &report, double runLevels)
{
    const std::size_t count = entries.size();
    for (std::size_t lo = 0; lo < count; lo += kRun) {
        const std::size_t hi = std::min(count, lo + kRun);
        std::stable_sort(entries.begin() + lo, entries.begin() + hi, before);
        report.advance(double(hi - lo) * runLevels);
    }
    // std::merge takes from the left run first on equal keys: equal keys keep list order.
    std::vector<Entry> spare(count > kRun ? count : 0);
    for (std::size_t width = kRun; width < count; width *= 2) {
        for (std::size_t lo = 0; lo < count; lo += 2 * width) {
            const std::size_t mid = std::min(count, lo + width);
            const std::size_t hi = std::min(count, lo + 2 * width);
            std::merge(entries.begin() + lo, entries.begin() + mid, entries.begin() + mid,
                       entries.begin() + hi, spare.begin() + lo, before);
            report.advance(double(hi - lo));
        }
        entries.swap(spare);
    }
}

// Keys that agree on their first eight bytes and go on past them are still in list order
// among themselves: order each such group by its next eight bytes, and so on, until every
// group is decided. Reading the next chunk costs one look at each record of the group.
void decideTies(std::vector<Entry> &entries, const std::vector<ZaznamCD *> &records,
                std::int32_t mode, Progress &report)
{
    struct Group {
        std::size_t first, last, depth;
    };
    std::vector<Group> pending;
    const auto pushTies = [&](std::size_t first, std::size_t last, std::size_t depth) {
        for (std::size_t i = first; i < last;) {
            std::size_t j = i + 1;
            while (j < last && undecided(entries[i], entries[j]))
                ++j;
            if (j - i > 1)
                pending.push_back({i, j, depth});
            i = j;
        }
    };

    const std::size_t count = entries.size();
    for (std::size_t lo = 0; lo < count;) {
        // Scan in slices, never splitting a group, and report each slice when it is done.
        std::size_t hi = std::min(count, lo + kRun);
        while (hi < count && undecided(entries[hi - 1], entries[hi]))
            ++hi;
        pushTies(lo, hi, kChunk);
        while (!pending.empty()) {
            const Group group = pending.back();
            pending.pop_back();
            for (std::size_t i = group.first; i < group.last; ++i)
                load(entries[i], KlucTriedenia(*records[entries[i].index], mode), group.depth);
            std::stable_sort(entries.begin() + group.first, entries.begin() + group.last, before);
            pushTies(group.first, group.last, group.depth + kChunk);
        }
        report.advance(double(hi - lo));
        lo = hi;
    }
}

} // namespace

void ZoradZoznam(ZoznamCD &zoznam, std::int32_t mode, PriebehTriedenia *progress)
{
    const std::int32_t n = zoznam.PocetCd;
    if (n < 2) {
        zoznam.Aktualny = zoznam.Prvy;
        if (zoznam.Prvy)
            zoznam.Prvy->Dalsi = nullptr;
        if (progress)
            progress->setPosition(0);
        return;
    }

    const std::size_t count = std::size_t(n);
    // Work is counted in passes over the entries: collecting, each level of sorting (the
    // runs count their own levels), deciding ties and relinking.
    const double runLevels = levelsOf(std::min(count, kRun));
    const double mergeLevels = levelsOf((count + kRun - 1) / kRun);
    Progress report(progress, n, double(count) * (3 + runLevels + mergeLevels));

    // The walk is bounded by the count, as every walk over the list is.
    std::vector<ZaznamCD *> records(count);
    std::vector<Entry> entries(count);
    ZaznamCD *zaznam = zoznam.Prvy;
    for (std::size_t i = 0; i < count; ++i) {
        records[i] = zaznam;
        entries[i].index = std::uint32_t(i);
        load(entries[i], KlucTriedenia(*zaznam, mode), 0);
        zaznam = zaznam->Dalsi;
    }
    report.advance(double(count));

    sortInRuns(entries, report, runLevels);
    decideTies(entries, records, mode, report);

    // Nothing above touched the list, so running out of memory leaves it as it was.
    ZaznamCD *previous = records[entries[0].index];
    zoznam.Prvy = previous;
    for (std::size_t i = 1; i < count; ++i) {
        ZaznamCD *next = records[entries[i].index];
        previous->Dalsi = next;
        previous = next;
    }
    previous->Dalsi = nullptr;
    zoznam.Aktualny = previous;
    // Step by step, the last candidate examined is the record that was last before the pass.
    zoznam.Presuvany = records[count - 1];
    report.advance(double(count));

    if (progress)
        progress->setPosition(0);
}
