#include "storage/Databaza.h"

#include "Pomocky.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace testdata;
using std::string_literals::operator""s;
using Kind = StrataPriUlozeni::Kind;

namespace {

TEST(NajdiStratu, FindsTheFirstTextThatASaveAndLoadWouldChange)
{
    const std::string titles = "b|c|d|e|f|g|h|i|j|"; // the last nine titles
    const struct {
        const char *name;
        std::size_t record; ///< 0-based index of the record to change in a list of three
        std::size_t field;  ///< 0 for Pesnicky, then file order
        std::string text;
        bool lost;
        Kind kind;
    } rows[] = {
        {"bar in name", 1, 1, "A|B", true, Kind::BarInText},
        {"bar in due date", 2, 7, "31|12", true, Kind::BarInText},
        {"zero surname", 1, 6, "0", true, Kind::TextIsZero},
        {"blank zero is fine", 1, 6, " 0", false, {}},
        {"nul in author", 2, 2, "Ka\0pela"s, true, Kind::NulInText},
        {"nul in songs", 1, 0, "a\0|"s + titles, true, Kind::NulInText},
        {"zero title", 2, 0, "a|b|0|d|e|f|g|h|i|j|", true, Kind::TextIsZero},
        {"nine titles", 1, 0, titles, true, Kind::BarInText},
        {"eleven titles", 1, 0, "a|k|" + titles, true, Kind::BarInText},
        {"last bar missing", 1, 0, "a|" + titles + "k", true, Kind::BarInText},
        {"empty songs", 1, 0, "", true, Kind::BarInText},
        {"digit opens the first record", 0, 0, "7 dni|" + titles, true, Kind::LeadingDigit},
        {"digit opens the second record", 1, 0, "7 dni|" + titles, false, {}},
    };
    static const char *names[] = {"Pesnicky",       "NazovCD", "AutorCD",    "TypCD",
                                  "DatumPozicania", "Meno",    "Priezvisko", "DatumVratenia"};
    EXPECT_FALSE(NajdiStratu(ZoznamCD{}));
    for (const auto &c : rows) {
        SCOPED_TRACE(c.name);
        std::vector<Texts> records(3, defaults());
        records[c.record][c.field] = c.text;
        if (c.lost && c.record < 2)
            records[2][7] += "|"; // a later loss must not be the one reported
        ZoznamCD zoznam;
        for (const Texts &t : records)
            append(zoznam, t);

        const auto loss = NajdiStratu(zoznam);
        ASSERT_EQ(loss.has_value(), c.lost);
        if (loss) {
            EXPECT_EQ(loss->record, std::int32_t(c.record + 1));
            EXPECT_STREQ(loss->field, names[c.field]);
            EXPECT_EQ(loss->kind, c.kind);
        }
        // What it reports must agree with what a save and a load really do.
        StringSink sink;
        ASSERT_TRUE(UlozDatabazu(sink, zoznam));
        MemorySource source(sink.bytes);
        const VysledokNacitania v = NacitajDatabazu(source);
        EXPECT_EQ(v.completed && recordsOf(v.zoznam) == records, !c.lost);
    }
}

} // namespace
