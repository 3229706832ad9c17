#include "core/Triedenie.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

std::int32_t TypTriedenia = 0;

std::string_view KlucTriedenia(const ZaznamCD &zaznam, std::int32_t mode) noexcept
{
    const std::optional<Pole> pole = sortField(mode);
    return pole ? zaznam.text(*pole) : "0";
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
// a hundredth of the way, so a sort makes at most about a hundred calls. The last advance is
// a whole pass over the entries, more than a hundredth of the work, so n is always reported.
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
        if (sink_ && position >= shown_ + minimumStep_) {
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

// The sort key of an entry read as nine digits of one byte, least significant first: the
// count of bytes left, then the chunk from its last byte to its first.
constexpr int kDigits = 1 + int(kChunk);

unsigned digit(const Entry &entry, int d)
{
    return d == 0 ? entry.left : unsigned(entry.chunk >> (8 * (d - 1))) & 0xFFu;
}

// Below this size a comparison sort beats filling the byte counts.
constexpr std::size_t kSmall = 256;

// A stable sort of [first, last) by `before`, using `spare` (as long as the range) as
// scratch. Large ranges go through a byte-wise radix sort, each byte a pass that keeps the
// order of equal bytes; a byte that is the same in every entry costs no pass. One share of
// `report` per pass, the counting pass included.
void sortEntries(Entry *first, Entry *last, Entry *spare, Progress *report)
{
    const std::size_t n = std::size_t(last - first);
    if (n < kSmall) {
        std::stable_sort(first, last, before);
        if (report)
            report->advance(double(n) * (1 + kDigits));
        return;
    }
    std::vector<std::size_t> counts(std::size_t(kDigits) * 256);
    for (const Entry *e = first; e != last; ++e)
        for (int d = 0; d < kDigits; ++d)
            ++counts[std::size_t(d) * 256 + digit(*e, d)];
    if (report)
        report->advance(double(n));

    Entry *from = first;
    Entry *to = spare;
    for (int d = 0; d < kDigits; ++d) {
        std::size_t *count = &counts[std::size_t(d) * 256];
        if (count[digit(*first, d)] != n) {
            std::size_t offset = 0;
            for (int b = 0; b < 256; ++b)
                offset += std::exchange(count[b], offset);
            for (const Entry *e = from; e != from + n; ++e)
                to[count[digit(*e, d)]++] = *e;
            std::swap(from, to);
        }
        if (report)
            report->advance(double(n));
    }
    if (from != first)
        std::copy(from, from + n, first);
}

// Progress of the tie pass is reported every this many entries.
constexpr std::size_t kSlice = 16384;

// Keys that agree on their first eight bytes and go on past them are still in list order
// among themselves: order each such group by its next eight bytes, and so on, until every
// group is decided. Reading the next chunk costs one look at each record of the group.
void decideTies(std::vector<Entry> &entries, std::vector<Entry> &spare,
                const std::vector<ZaznamCD *> &records, std::int32_t mode, Progress &report)
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
        std::size_t hi = std::min(count, lo + kSlice);
        while (hi < count && undecided(entries[hi - 1], entries[hi]))
            ++hi;
        pushTies(lo, hi, kChunk);
        while (!pending.empty()) {
            const Group group = pending.back();
            pending.pop_back();
            for (std::size_t i = group.first; i < group.last; ++i)
                load(entries[i], KlucTriedenia(*records[entries[i].index], mode), group.depth);
            sortEntries(entries.data() + group.first, entries.data() + group.last,
                        spare.data() + group.first, nullptr);
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
    // Work is counted in passes over the entries: collecting, counting bytes, one pass per
    // byte, deciding ties and relinking.
    Progress report(progress, n, double(count) * (4 + kDigits));

    // The walk is bounded by the count, as every walk over the list is.
    std::vector<ZaznamCD *> records(count);
    std::vector<Entry> entries(count);
    std::size_t i = 0;
    zoznam.PreKazdy([&](ZaznamCD &zaznam) {
        records[i] = &zaznam;
        entries[i].index = std::uint32_t(i);
        load(entries[i], KlucTriedenia(zaznam, mode), 0);
        ++i;
    });
    report.advance(double(count));

    std::vector<Entry> spare(count);
    sortEntries(entries.data(), entries.data() + count, spare.data(), &report);
    decideTies(entries, spare, records, mode, report);

    spare = std::vector<Entry>();
    std::vector<ZaznamCD *> order(count);
    for (std::size_t k = 0; k < count; ++k)
        order[k] = records[entries[k].index];
    // Nothing above touched the list, so running out of memory leaves it as it was.
    zoznam.Prepoj(std::move(order));
    // Step by step, the last candidate examined is the record that was last before the pass.
    zoznam.Presuvany = records[count - 1];
    report.advance(double(count));

    if (progress)
        progress->setPosition(0);
}
