#include "core/Triedenie.h"
#include "storage/Databaza.h"

#include <gtest/gtest.h>

#include <array>
#include <random>

using std::string_literals::operator""s;
using Reason = DovodZastavenia;
using Kind = StrataPriUlozeni::Kind;

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
