#include "core/Triedenie.h"

#include <algorithm>
#include <cstring>
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

// One record as the sort sees it. The first eight key bytes, packed big-endian and padded
// with zeros, decide most comparisons without touching the scattered records; only two keys
// that agree on those bytes and are both longer than eight are compared in full.
struct Entry {
    std::uint64_t head;
    std::uint32_t length; // the key's length, capped: only "at most eight" matters beyond head
    std::uint32_t index;  // where the record sits in the list before the pass
};

constexpr std::size_t kHeadBytes = sizeof(std::uint64_t);

Entry makeEntry(std::string_view key, std::uint32_t index)
{
    std::uint64_t head = 0;
    const std::size_t n = std::min(key.size(), kHeadBytes);
    for (std::size_t i = 0; i < n; ++i)
        head |= std::uint64_t(static_cast<unsigned char>(key[i])) << (8 * (kHeadBytes - 1 - i));
    const std::uint32_t length = std::uint32_t(std::min<std::size_t>(key.size(), UINT32_MAX));
    return Entry{head, length, index};
}

// Strictly-before in JeVacsi order. Different heads decide at once: at the first differing
// byte either both keys have a real byte, or the zero-padded one is a proper prefix of the
// other. Equal heads with a key of at most eight bytes mean the shorter key is a prefix
// (plus zero bytes) of the longer, so the length decides.
class KeyLess {
  public:
    KeyLess(const std::vector<ZaznamCD *> &records, std::int32_t mode)
        : records_(records), mode_(mode)
    {
    }

    bool operator()(const Entry &a, const Entry &b) const
    {
        if (a.head != b.head)
            return a.head < b.head;
        if (a.length <= kHeadBytes || b.length <= kHeadBytes)
            return a.length < b.length;
        const std::string_view ka = KlucTriedenia(*records_[a.index], mode_);
        const std::string_view kb = KlucTriedenia(*records_[b.index], mode_);
        return ka.substr(kHeadBytes).compare(kb.substr(kHeadBytes)) < 0;
    }

  private:
    const std::vector<ZaznamCD *> &records_;
    std::int32_t mode_;
};

// Maps finished work onto positions 2..n, reporting only when the position grows.
class Progress {
  public:
    Progress(PriebehTriedenia *sink, std::int32_t n, double totalWork)
        : sink_(sink), n_(n), totalWork_(totalWork)
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
        if (sink_ && position > shown_) {
            shown_ = position;
            sink_->setPosition(position);
        }
    }

  private:
    PriebehTriedenia *sink_;
    std::int32_t n_;
    double totalWork_;
    double done_ = 0;
    int shown_ = 2;
};

// Sorted runs of this many entries (256 KiB) stay in the cache; each run and each merge is
// one real step of progress.
constexpr std::size_t kRun = 16384;

double log2Ceil(std::size_t n)
{
    double levels = 0;
    for (std::size_t width = 1; width < n; width *= 2)
        ++levels;
    return levels;
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
    // Work is counted in passes over the entries: one to collect, one per level of merging
    // (the runs count their own levels) and one to relink.
    const double runLevels = log2Ceil(std::min(count, kRun));
    const double mergeLevels = log2Ceil((count + kRun - 1) / kRun);
    Progress report(progress, n, double(count) * (2 + runLevels + mergeLevels));

    // The walk is bounded by the count, as every walk over the list is.
    std::vector<ZaznamCD *> records(count);
    std::vector<Entry> entries(count);
    ZaznamCD *zaznam = zoznam.Prvy;
    for (std::size_t i = 0; i < count; ++i) {
        records[i] = zaznam;
        entries[i] = makeEntry(KlucTriedenia(*zaznam, mode), std::uint32_t(i));
        zaznam = zaznam->Dalsi;
    }
    report.advance(double(count));

    const KeyLess less(records, mode);
    for (std::size_t lo = 0; lo < count; lo += kRun) {
        const std::size_t hi = std::min(count, lo + kRun);
        std::stable_sort(entries.begin() + lo, entries.begin() + hi, less);
        report.advance(double(hi - lo) * runLevels);
    }

    // std::merge takes the left run's element first on equal keys, which keeps the order
    // of equal keys across runs.
    std::vector<Entry> spare(count > kRun ? count : 0);
    for (std::size_t width = kRun; width < count; width *= 2) {
        for (std::size_t lo = 0; lo < count; lo += 2 * width) {
            const std::size_t mid = std::min(count, lo + width);
            const std::size_t hi = std::min(count, lo + 2 * width);
            std::merge(entries.begin() + lo, entries.begin() + mid, entries.begin() + mid,
                       entries.begin() + hi, spare.begin() + lo, less);
            report.advance(double(hi - lo));
        }
        entries.swap(spare);
    }

    // Nothing above touched the list, so a failed allocation leaves it as it was.
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
