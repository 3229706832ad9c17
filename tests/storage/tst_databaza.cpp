#include "core/Triedenie.h"
#include "storage/Databaza.h"
#include "storage/SafeSave.h"
#include "tests/SystemFaults.h"

#include <gtest/gtest.h>

#include <grp.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>

using std::string_literals::operator""s;
using Reason = DovodZastavenia;
using Kind = StrataPriUlozeni::Kind;
using Outcome = SaveResult::Outcome;

namespace {

using Texts = std::array<std::string, PocetPoli>;

// clang-format off
// The worked example: a new record, another, and the 255 bytes they are saved as.
const Texts d = {"Song01|Song02|Song03|Song04|Song05|Song06|Song07|Song08|Song09|Song10|",
    "Name CD ", "Autor CD", "Typ CD ", "01012003", "Nedefinovane", "Nedefinovane", "31122100"};
const Texts second = {"Ranna|Vecer|Dazd|More|Cesta|Domov|Leto|Zima|Noc|Koniec|", "Piesne 2003",
    "Kapela", "audio", "15.03.2003", "Peter", "Kovac", "31.03.2003"};
// clang-format on
const std::string workedExample =
    "2Song01|Song02|Song03|Song04|Song05|Song06|Song07|Song08|Song09|Song10|Name CD |Autor CD|"
    "Typ CD |01012003|Nedefinovane|Nedefinovane|31122100|Ranna|Vecer|Dazd|More|Cesta|Domov|Leto|"
    "Zima|Noc|Koniec|Piesne 2003|Kapela|audio|15.03.2003|Peter|Kovac|31.03.2003|";

void append(ZoznamCD &zoznam, const Texts &texts)
{
    zoznam.PripojZaznam(new ZaznamCD);
    for (int f = 0; f < PocetPoli; ++f)
        zoznam.Aktualny->setText(Pole(f), texts[f]);
}

Texts recordsOf(const ZaznamCD &z)
{
    Texts t;
    for (int f = 0; f < PocetPoli; ++f)
        t[f] = z.text(Pole(f));
    return t;
}

std::vector<Texts> recordsOf(const ZoznamCD &zoznam)
{
    std::vector<Texts> out(std::size_t(zoznam.PocetCd));
    const ZaznamCD *z = zoznam.Prvy;
    for (Texts &t : out) {
        t = recordsOf(*z);
        z = z->Dalsi;
    }
    return out;
}

std::string fileOf(const std::string &count, const std::vector<Texts> &records)
{
    std::string out = count;
    for (const Texts &t : records)
        for (int f = 0; f < PocetPoli; ++f)
            out += t[f] + (f ? "|" : "");
    return out;
}

std::string saved(const ZoznamCD &zoznam, std::optional<StrataPriUlozeni> *loss = nullptr)
{
    StringSink sink;
    EXPECT_TRUE(UlozDatabazu(sink, zoznam, loss));
    return sink.bytes;
}

// Hands out its bytes at once or a few at a time; with `fails`, their end is a read error.
struct TrickleSource : ByteSource {
    // clang-format off
    TrickleSource(std::string_view b, bool trickle, bool f = false)
        : rest(b), most(!trickle ? ~0u : b.size() < 1'000'000 ? 7 : 4096), fails(f) {}
    // clang-format on
    std::size_t read(char *buffer, std::size_t capacity) override
    {
        const std::size_t n = std::min({capacity, rest.size(), std::size_t(1 + random() % most)});
        rest.copy(buffer, n);
        rest.remove_prefix(n);
        return n;
    }
    bool failed() const override { return fails && rest.empty(); }
    std::string_view rest;
    unsigned most;
    bool fails;
    std::mt19937 random{17};
};

TEST(Load, CompletesOrStopsWithNothingLoaded)
{
    const auto with = [](Texts t, int f, const std::string &text) { return t[f] = text, t; };
    const std::string seven = fileOf("2", {with(d, 0, "7 dni|b|c|d|e|f|g|h|i|j|"), d});
    const std::string cutShort = workedExample.substr(0, 254), three = fileOf("3", {d, d});
    const Texts high = with(with(d, 0, "\xFF|\n|\xE1|" + std::string(7, '|')), 3, "a\r\nb\xFF");
    const Texts zeros = with(with(d, 5, "00"), 6, " 0");
    const Texts longItem = with(d, 0, std::string(300'000, '\xFF') + std::string(10, '|'));
    const Texts hugeItem = with(d, 4, std::string(5 << 20, 'h')); // beyond the largest block
    const struct {
        std::string name, bytes;
        std::int64_t count;
        std::vector<Texts> records; // when it completes
        std::int64_t record = -1;   // where it stops, 0 in the count; -1 when it completes
        Reason reason = Reason::EndOfInput;
        std::uint64_t offset = 0;
    } rows[] = {
        // clang-format off
        {"worked example", workedExample, 2, {d, second}},
        {"empty file", "", 0, {}},
        {"no number, a high byte: not a database", "\xFF" "abc|", 0, {}, 0, Reason::NotADatabase, 0},
        {"a sign alone: not a database", " \n-", 0, {}, 0, Reason::NotADatabase, 2},
        {"white space only: no records", " \t\r\n\v\f", 0, {}},
        {"white space and a plus before the count", " \t\n\v\f\r+1" + fileOf("", {d}), 1, {d}},
        {"leading zeros in a long count", "0000000000000000000002" + fileOf("", {d, d}), 2,
            {d, d}},
        {"\"00\" and \" 0\" are texts", fileOf("1", {zeros}), 1, {zeros}},
        {"high bytes and line breaks are ordinary", fileOf("1", {high}), 1, {high}},
        {"bytes after the counted records are ignored", fileOf("1", {d, d}) + "0|\0"s, 1, {d}},
        {"an item longer than the buffer", fileOf("2", {longItem, second}), 2, {longItem, second}},
        {"an item longer than a block can grow", fileOf("2", {hugeItem, d}), 2, {hugeItem, d}},
        {"the count takes the first title's digit", seven, 27, {}, 3, Reason::EndOfInput,
            seven.size()},
        {"a field \"0\"", fileOf("1", {with(d, 5, "0")}), 1, {}, 1, Reason::EndMarker, 106},
        {"a first title \"0\" in the second record", fileOf("2", {d, with(d, 0, "0|a|")}), 2, {},
            2, Reason::EndMarker, 141},
        {"a NUL byte", fileOf("2", {d, with(d, 3, "Typ\0CD"s)}), 2, {}, 2, Reason::NulByte, 232},
        {"\"0\" before a NUL byte", "1Song01|0|\0|"s, 1, {}, 1, Reason::EndMarker, 8},
        {"a NUL byte before \"0\"", "1Song01|\0|0|"s, 1, {}, 1, Reason::NulByte, 8},
        {"a NUL byte, the file's last", "1Song01|\0"s, 1, {}, 1, Reason::NulByte, 8},
        {"more counted than there are", three, 3, {}, 3, Reason::EndOfInput, three.size()},
        {"the last bar missing", cutShort, 2, {}, 2, Reason::EndOfInput, 254},
        {"a negative count", fileOf("-1", {d}), -1, {}, 0, Reason::NegativeCount, 0},
        {"the largest count", "2147483647", 2147483647, {}, 1, Reason::EndOfInput, 10},
        {"a count above 32 bits", "2147483648|", 2147483648, {}, 0, Reason::CountOutOfRange, 0},
        {"a count below 32 bits", "-2147483649", -2147483649, {}, 0, Reason::NegativeCount, 0},
        {"a count wrapping 64 bits", "18446744073709551617" + fileOf("", {d}), INT64_MAX, {}, 0,
            Reason::CountOutOfRange, 0},
        {"a read error in a record", cutShort.substr(0, 200), 2, {}, 2, Reason::ReadError, 200},
        {"a read error in the count", " 12", 12, {}, 0, Reason::ReadError, 3},
        // clang-format on
    };
    for (const auto &r : rows) {
        for (bool trickle : {false, true}) {
            SCOPED_TRACE(r.name + (trickle ? ", trickled" : ""));
            TrickleSource source(r.bytes, trickle, r.reason == Reason::ReadError);
            const VysledokNacitania v = NacitajDatabazu(source, trickle ? 16 : 1 << 16);
            EXPECT_EQ(std::tie(v.completed, v.count), std::make_tuple(r.record < 0, r.count));
            EXPECT_EQ(recordsOf(v.zoznam), r.records);
            EXPECT_EQ(v.zoznam.Aktualny, v.zoznam.ZaznamNaPozicii(v.zoznam.PocetCd));
            if (r.record >= 0) {
                EXPECT_EQ(std::tie(v.reason, v.record, v.offset),
                          std::tie(r.reason, r.record, r.offset));
            }
        }
        if (r.record >= 0)
            continue;
        // The records of a good file, saved, load back the same; every byte-prefix of the file
        // loads whole or stops with nothing loaded, a count cut after its sign not being one.
        ZoznamCD list;
        for (const Texts &t : r.records)
            append(list, t);
        const std::string bytes = saved(list);
        TrickleSource again(bytes, true);
        EXPECT_EQ(recordsOf(NacitajDatabazu(again).zoznam), r.records) << r.name;
        // Blocks of every small size: each record's start falls at every place in a block.
        for (std::size_t block = 16; bytes.size() < 1000 && block < 100; ++block) {
            MemorySource source(bytes);
            EXPECT_EQ(recordsOf(NacitajDatabazu(source, block).zoznam), r.records) << block;
        }
        for (std::size_t cut = 0; r.bytes.size() < 1000 && cut < r.bytes.size(); ++cut) {
            TrickleSource source(std::string_view(r.bytes).substr(0, cut), cut % 2);
            const VysledokNacitania v = NacitajDatabazu(source);
            const bool sign = cut > 0 && (r.bytes[cut - 1] == '+' || r.bytes[cut - 1] == '-');
            EXPECT_TRUE(v.completed
                            ? !sign && (v.count == 0 || recordsOf(v.zoznam) == r.records)
                            : !v.zoznam.PocetCd &&
                                  v.reason == (sign ? Reason::NotADatabase : Reason::EndOfInput) &&
                                  v.offset == (sign ? cut - 1 : cut))
                << r.name << " cut at " << cut;
        }
    }
}

// A collection large enough to cross every boundary: the writer's 64 KiB buffer (records that
// straddle it, and texts longer than it), the reader's blocks, and the list's storage for
// loaded records (16,384 to a block). Saved, it is the file written here byte by byte; read in
// one piece or a few bytes at a time, it is the same records.
TEST(Save, LargeCollectionsRoundTripAcrossEveryBoundary)
{
    std::mt19937 random(2003);
    const auto text = [&](std::size_t length) {
        std::string t(length, 'a');
        for (char &c : t)
            c = "abcXYZ \xE1\xE8\xFF"
                "0123456789"[random() % 19];
        return t;
    };
    std::vector<Texts> records(20'500);
    for (std::size_t i = 0; i < records.size(); ++i) {
        // Mostly short; now and then a text as long as the writer's buffer, or longer.
        const std::size_t longest = i % 2'011 == 5 ? 140'000 : i % 331 == 7 ? 40'000 : 24;
        for (int f = 1; f < PocetPoli; ++f)
            records[i][f] = "x" + text(random() % (f == int(i % 7) + 1 ? longest : 24));
        for (int title = 0; title < 10; ++title)
            records[i][0] += "t" + text(random() % 12) + "|";
    }
    ZoznamCD zoznam;
    EXPECT_EQ(saved(zoznam), "0");
    for (const Texts &t : records)
        append(zoznam, t);
    ZaznamCD stale; // a link behind the last record must not be followed
    zoznam.Aktualny->Dalsi = &stale;
    const std::string bytes = saved(zoznam);
    ASSERT_TRUE(bytes == fileOf(std::to_string(records.size()), records));
    StringSink small; // a small buffer writes the same bytes
    ASSERT_TRUE(UlozDatabazu(small, zoznam, nullptr, 1000) && small.bytes == bytes);
    struct : StringSink {
        bool flush() override { return false; }
    } unflushed;
    EXPECT_FALSE(UlozDatabazu(unflushed, zoznam)); // bytes not handed on are no save
    for (bool trickle : {false, true}) {
        TrickleSource source(bytes, trickle);
        const VysledokNacitania v = NacitajDatabazu(source, trickle ? 100 : 1 << 16);
        ASSERT_TRUE(v.completed && v.offset == bytes.size()) << trickle;
        EXPECT_TRUE(recordsOf(v.zoznam) == records) << trickle;
        EXPECT_EQ(v.zoznam.Aktualny, v.zoznam.ZaznamNaPozicii(v.zoznam.PocetCd));
    }
}

// One item at a time: its text without the bar, or the end marker "0" at the end of the input
// and at a NUL byte, while 0xFF is an ordinary byte.
TEST(Load, CitajPolozkuReadsOneItem)
{
    for (const auto &[bytes, items] :
         {std::pair{"ab||\xFF|longer than its buffer|c"s, "ab,,\xFF,longer than its buffer,0"s},
          {"a\0b|c"s, "0,b,0"s}}) {
        MemorySource source(bytes);
        CitacDatabazy citac(source, 16);
        std::string got = citac.CitajPolozku();
        while (got.size() < items.size())
            got += "," + citac.CitajPolozku();
        EXPECT_EQ(got, items);
    }
}

// The first text that a save and a load would change, as a real save and load show it.
TEST(NajdiStratu, FindsTheFirstTextThatASaveAndLoadWouldChange)
{
    const std::string titles = "b|c|d|e|f|g|h|i|j|"; // the last nine titles
    const struct {
        int record, field; // 0-based; field 0 is Pesnicky, then file order
        std::string text;
        bool lost;
        Kind kind;
    } rows[] = {
        // clang-format off
        {1, 1, "A|B", true, Kind::BarInText}, {2, 7, "31|12", true, Kind::BarInText},
        {1, 6, "0", true, Kind::TextIsZero}, {1, 6, " 0", false, {}},
        {2, 2, "Ka\0pela"s, true, Kind::NulInText}, {1, 0, "a\0|"s + titles, true, Kind::NulInText},
        {2, 0, "a|b|0|d|e|f|g|h|i|j|", true, Kind::TextIsZero},
        {1, 0, titles, true, Kind::BarInText}, {1, 0, "a|" + titles + "k", true, Kind::BarInText},
        {0, 0, "7 dni|" + titles, true, Kind::LeadingDigit}, {1, 0, "7 dni|" + titles, false, {}},
        {0, 0, "9 dni|0|" + titles.substr(2), true, Kind::LeadingDigit}, // outranks the "0"
        {0, 0, "0 dni|" + titles, true, Kind::LeadingDigit}, {1, 0, "a|" + titles + "k|", true, Kind::BarInText},
        // clang-format on
    };
    EXPECT_FALSE(NajdiStratu(ZoznamCD{}));
    for (const auto &r : rows) {
        SCOPED_TRACE(testing::PrintToString(r.text));
        std::vector<Texts> records(3, d);
        records[r.record][r.field] = r.text;
        if (r.lost && r.record < 2) // a later loss, in a later record or field, is not reported
            records[1][7] += "|", records[2][7] += "|";
        ZoznamCD zoznam;
        for (const Texts &t : records)
            append(zoznam, t);
        const auto loss = NajdiStratu(zoznam);
        ASSERT_EQ(loss.has_value(), r.lost);
        if (loss) {
            EXPECT_EQ(std::tie(loss->record, loss->kind), std::make_tuple(r.record + 1, r.kind));
            EXPECT_EQ(loss->field, Pole(r.field));
        }
        std::optional<StrataPriUlozeni> w; // the writer finds the same loss in its pass
        const std::string bytes = saved(zoznam, &w);
        EXPECT_TRUE(w.has_value() == r.lost &&
                    (!w || std::tie(w->record, w->field, w->kind) ==
                               std::tie(loss->record, loss->field, loss->kind)));
        MemorySource source(bytes);
        const VysledokNacitania v = NacitajDatabazu(source);
        EXPECT_EQ(v.completed && recordsOf(v.zoznam) == records, !r.lost);
    }
}

// The ordinary user: uid 4321, primary group 4444, a member of 5555 too.
constexpr uid_t kUser = 4321;
constexpr gid_t kGroup = 4444, kShared = 5555;

// A name in the folder: a file's bytes, a link's target or a mark; its mode, owner, group, inode.
using Entry = std::tuple<std::string, mode_t, uid_t, gid_t, ino_t>;

std::map<std::string, Entry> listing(const std::string &top)
{
    std::map<std::string, Entry> out;
    for (const auto &item : std::filesystem::recursive_directory_iterator(top)) {
        struct stat st {};
        lstat(item.path().c_str(), &st);
        std::ostringstream content;
        if (S_ISLNK(st.st_mode))
            content << "-> " << std::filesystem::read_symlink(item.path()).string();
        else if (S_ISREG(st.st_mode))
            content << std::ifstream(item.path()).rdbuf();
        out[item.path().lexically_relative(top)] = {content.str(), st.st_mode & 07777, st.st_uid,
                                                    st.st_gid, st.st_ino};
    }
    return out;
}

// A new file made from `old` by the ordinary user or root, found as `now`: the user gives no
// other owner, only a group he is in, and a group not kept has no more rights than others.
Entry carried(const Entry &old, const Entry &now, bool user, bool keepsModes)
{
    const auto &[content, mode, uid, gid, inode] = old;
    const bool groupKept = !user || gid == kGroup || gid == kShared;
    const mode_t groupBits = (groupKept ? mode : mode << 3) & 070;
    return {content, keepsModes ? (mode & ~070) | groupBits : std::get<1>(now), user ? kUser : uid,
            groupKept ? gid : kGroup, std::get<4>(now)};
}

// Outcome, errno, and whether the written bytes were offered, of `save` run in a child that has
// taken the ordinary user's rights (CI runs as root); an outcome of -1 where it cannot.
std::array<int, 3> asUser(const std::function<std::array<int, 3>()> &save)
{
    void *shared = mmap(nullptr, 64, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (shared == MAP_FAILED)
        return {-1, 0, 0};
    auto &got = *new (shared) std::array<int, 3>{-1, 0, 0};
    const gid_t groups[] = {kShared};
    const pid_t child = fork();
    if (child == 0)
        _exit(setgroups(1, groups) || setgid(kGroup) || setuid(kUser) ? 1 : (got = save(), 0));
    int status = 0;
    const std::array<int, 3> result =
        child > 0 && waitpid(child, &status, 0) == child ? got : std::array{-1, 0, 0};
    munmap(shared, 64);
    return result;
}

// The faults that a row's words set.
using Faults = SystemFaults::Faults;
const std::tuple<const char *, int Faults::*, int> kFaults[] = {
    // clang-format off
    {"sync", &Faults::fileSync, EIO}, {"copysync", &Faults::fileSync, EIO}, {"copysync", &Faults::syncsFirst, 1},
    {"foldersync", &Faults::folderSync, EIO}, {"nofoldersync", &Faults::folderSync, EINVAL}, {"rename", &Faults::rename, EIO},
    {"backuprename", &Faults::backupRename, EIO}, {"full", &Faults::write, ENOSPC}, {"short", &Faults::writeAtMost, 7},
    {"noproc", &Faults::noProc, ENOENT}, {"nameless", &Faults::nameUnnamed, ENOSPC}}; // clang-format on

// What every folder holds; how rows make an old file (in a mode no umask leaves) and a backup.
const std::string kFolder = "mkdir sub; printf 'another file' >sub/other.pln; old() { printf "
                            "'the old version' >$1; chmod 2646 $1; }; older() { printf 'the "
                            "version before' >$1; }; ";

} // namespace

// Records of a loaded file live in their list's storage and point into the bytes it read:
// they behave like any other record when changed, copied, relinked by hand and freed.
TEST(Load, LoadedRecordsChangedCopiedRelinkedAndFreedLikeOthers)
{
    std::vector<Texts> records(3, d);
    for (std::size_t i = 0; i < records.size(); ++i)
        records[i][6] = std::string(1, char('C' - i)); // surnames C, B, A
    const std::string bytes = fileOf("3", records);
    MemorySource source(bytes);
    VysledokNacitania v = NacitajDatabazu(source);
    ASSERT_TRUE(v.completed);
    ZoznamCD zoznam = std::move(v.zoznam);
    ZoradZoznam(zoznam, sortModeOf(Pole::Priezvisko), nullptr); // A, B, C: an order it remembers

    // Relinked by hand back to C, B, A: walks follow Dalsi, not what the sort left.
    ZaznamCD *a = zoznam.Prvy, *b = a->Dalsi, *c = b->Dalsi;
    zoznam.Prvy = c;
    c->Dalsi = b;
    b->Dalsi = a;
    zoznam.Aktualny = a;
    StringSink sink;
    ASSERT_TRUE(UlozDatabazu(sink, zoznam));
    EXPECT_EQ(sink.bytes, bytes);

    // A change is the record's own; the loss check sees it; a copy outlives the list.
    b->setDatumVratenia("0");
    b->setTypCD(b->Meno()); // a view into the bytes this change moves
    const StrataPriUlozeni loss = NajdiStratu(zoznam).value_or(StrataPriUlozeni{});
    EXPECT_EQ(std::tie(loss.record, loss.field), std::tuple(2, Pole::DatumVratenia));
    const ZaznamCD copy = *c, changed = *b;
    zoznam.VymazVsetky();
    records[1][3] = records[1][5];
    records[1][7] = "0";
    EXPECT_EQ(copy.ulozenie(), fileOf("", {records[0]})); // every byte, the last bar too
    EXPECT_EQ(recordsOf(changed), records[1]);
    ZoznamCD other; // copies carry the loss on, the changed record being gone
    other.PripojZaznam(new ZaznamCD);
    other.PripojZaznam(new ZaznamCD);
    *other.Aktualny = changed;
    EXPECT_EQ(NajdiStratu(other).value_or(StrataPriUlozeni{}).record, 2);
    other.Aktualny->setMeno("0");
    other.Aktualny->setMeno("Jan"); // mended: the loss found is the later one
    EXPECT_EQ(NajdiStratu(other).value_or(StrataPriUlozeni{}).field, Pole::DatumVratenia);
}

// Each row's folder (made by shell commands, `$n` the name saved to), disk (0 all works, 1 too
// many links, so the backup is a copy, 2 like vfat), faults and saver. A failed save leaves every
// name as it was, a failed rename the backup made; a save leaves the new file in place with the
// old one's rights as far as the saver may give them, and NAME.pln~ holding the previous version:
// the old file itself where links work, else a copy with the same rights. Nothing else is left.
TEST(SaveSafely, KeepsTheOldFileOrTheNewOneWithItsPreviousVersion)
{
    const struct {
        const char *name, *folder, *setup;
        Outcome outcome = Outcome::Saved;
        int error = 0;
        const char *disks = "012";
    } rows[] = {
        // clang-format off
        {"over an old file and its backup", "old $n; older $n~", ""},
        {"a symbolic link at the backup's name", "old $n; ln -s sub/other.pln $n~", ""},
        {"a read-only backup", "old $n; older $n~; chmod 400 $n~", ""},
        {"the backup the same file as the old one", "old $n; ln $n $n~", "samebackup"},
        {"the database a chain of symbolic links", "old sub/b.pln; older sub/b.pln~; ln -s sub/c.pln $n; ln -s b.pln sub/c.pln", "link"},
        {"the database a symbolic link to no file yet", "ln -s sub/c.pln $n; ln -s b.pln sub/c.pln", "link"},
        {"writes taken a few bytes at a time, some interrupted", "old $n; older $n~", "short"},
        {"a file system that syncs no folder", "old $n", "nofoldersync"},
        {"the folder cannot be synced", "old $n; older $n~", "foldersync", Outcome::NotDurable, EIO},
        {"the bytes refused by the caller", "old $n; older $n~", "cancel", Outcome::Cancelled},
        {"a pipe at the name", "mkfifo $n", "unasked", Outcome::NotRegular},
        {"a folder's name", "old $n", "slash unasked", Outcome::NotRegular, EISDIR},
        {"a folder that is gone", "", "gone unasked", Outcome::Failed, ENOENT},
        {"the disk full for a moment, the writer's buffer full", "old $n; older $n~", "full", Outcome::Failed, ENOSPC},
        {"the new file cannot be synced", "old $n; older $n~", "sync", Outcome::Failed, EIO},
        {"the new file cannot be named", "old $n; older $n~", "nameless", Outcome::Failed, ENOSPC, "01"},
        {"no /proc to name a file without a name", "old $n; older $n~", "noproc", Outcome::Saved, 0, "01"},
        {"a folder at the backup's name", "old $n; mkdir $n~", "", Outcome::BackupFailed, EISDIR},
        {"the backup cannot be renamed", "old $n; older $n~", "backuprename", Outcome::BackupFailed, EIO},
        {"the backup's copy cannot be synced", "old $n; older $n~", "copysync", Outcome::BackupFailed, EIO, "12"},
        {"the new file cannot take the old one's name", "old $n; older $n~", "rename", Outcome::Failed, EIO},
        {"a name of 246 bytes", "old $n; older $n~", "long246"},
        {"a name of 254 bytes", "old $n; older $n~", "long254"},
        {"a name of 255 bytes over a file: no room for the backup", "old $n", "long255", Outcome::BackupFailed, ENAMETOOLONG},
        {"a new file of 255 bytes", "", "long255"},
        {"a read-only file, saved by root", "old $n; chmod 444 $n", "root"},
        {"a read-only file, saved by its owner", "old $n; older $n~; chmod 444 $n; chown -R 4321:4444 .", "user unasked", Outcome::Failed, EACCES},
        {"another user's file in a shared group", "old $n; older $n~; chown 1234:5555 $n; chmod 664 $n; chgrp 5555 .; chmod 775 .", "user"},
        {"a private file", "old $n; chown 4321:5555 $n; chmod 600 $n; chown 4321 .", "user"},
        {"a file of a group its owner is not in", "old $n; chown 4321:6666 $n; chmod 640 $n; chown 4321 .", "user"},
        {"a folder to write and enter but not list", "old $n; older $n~; chown -R 4321:4444 .; chmod 300 .", "user"},
        {"that folder cannot be synced", "old $n; chown -R 4321:4444 .; chmod 300 .", "user foldersync", Outcome::NotDurable, EIO},
        {"another user's file in a sticky folder", "old $n; chown 1234:5555 $n; chmod 664 $n; chmod 1777 .", "user unasked", Outcome::Failed, EPERM},
        // clang-format on
    };
    Texts big = d; // in the large collection the writer's buffer is full before the last record
    big[5] = std::string(40'000, 'M');
    ZoznamCD small, large;
    for (auto [zoznam, texts] : {std::pair{&small, d}, {&large, big}, {&large, d}, {&large, big}})
        append(*zoznam, texts);
    const mode_t mask = umask(0);
    umask(mask);
    const bool canBeUser = geteuid() == 0 && asUser([] { return std::array{0, 0, 0}; })[0] == 0;
    for (const auto &row : rows) {
        for (const char disk : std::string(row.disks)) {
            SCOPED_TRACE(row.name + ", disk "s + disk);
            const auto has = [&](const std::string &word) {
                return (" "s + row.setup + " ").find(" " + word + " ") != std::string::npos;
            };
            const bool user = has("user");
            if ((user || has("root")) && !canBeUser)
                continue;
            std::string name = "a.pln";
            for (const std::size_t length : {246, 254, 255})
                name = has("long" + std::to_string(length)) ? std::string(length - 4, 'x') + ".pln"
                                                            : name;
            char scratch[] = "/tmp/tst_databaza.XXXXXX";
            ASSERT_TRUE(mkdtemp(scratch));
            const std::string top = scratch, real = has("link") ? "sub/b.pln" : name,
                              backup = real + '~';
            const std::string make = "set -e; cd " + top + "; n=" + name + "; " + kFolder;
            ASSERT_EQ(std::system((make + row.folder).c_str()), 0);
            auto before = listing(top);

            const ZoznamCD &zoznam = has("full") ? large : small;
            const std::string path =
                top + (has("gone") ? "/gone/" : "/") + (has("slash") ? "" : name);
            const auto save = [&] {
                bool asked = false;
                const SaveResult r = saveSafely(
                    path, [&](const FileIdentity &) { return asked = true; },
                    [&](ByteSink &sink) { return UlozDatabazu(sink, zoznam); },
                    [&] { return asked = true, !has("cancel"); });
                return std::array<int, 3>{int(r.outcome), r.error, asked};
            };
            auto faults = disk == '2' ? Faults::vfat() : Faults();
            faults.link = disk == '1' ? EMLINK : faults.link;
            for (const auto &[word, fault, error] : kFaults)
                faults.*fault = has(word) ? error : faults.*fault;
            const std::array<int, 3> result = [&] {
                const SystemFaults::Scope scope(faults);
                return user ? asUser(save) : save();
            }();
            EXPECT_EQ(Outcome(result[0]), row.outcome);
            EXPECT_EQ(result[1], row.error) << std::strerror(result[1]);
            EXPECT_EQ(result[2], !has("unasked"));
            auto after = listing(top), expected = before;
            const bool inPlace =
                row.outcome == Outcome::Saved || row.outcome == Outcome::NotDurable;
            const bool existed = before.count(real), copied = disk != '0' && !has("samebackup");
            // The old file kept under a second name, or as a copy of its own.
            if ((inPlace || has("rename")) && existed)
                expected[backup] =
                    copied ? carried(before[real], after[backup], user, disk != '2') : before[real];
            const Entry fresh{"", 0666 & ~mask, user ? kUser : geteuid(), user ? kGroup : getegid(),
                              0};
            if (inPlace)
                expected[real] =
                    carried(existed ? before[real] : fresh, after[real], user, disk != '2');
            if (inPlace)
                std::get<0>(expected[real]) = saved(zoznam);
            EXPECT_EQ(after, expected);
            std::filesystem::remove_all(top);
        }
    }
    if (!canBeUser)
        GTEST_SKIP() << "not root: the rows saved by root or an ordinary user did not run";
}
