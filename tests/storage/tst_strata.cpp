#include "storage/Databaza.h"

#include "Pomocky.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using namespace testdata;
using std::string_literals::operator""s;
using Kind = StrataPriUlozeni::Kind;

namespace {

struct LossCase {
    const char *name;
    std::size_t record; ///< 0-based index of the record to change in a list of three
    std::size_t field;  ///< 0 for Pesnicky, then file order
    std::string text;
    bool lost;
    Kind kind = Kind::BarInText;
};

class LossTest : public testing::TestWithParam<LossCase> {};

TEST_P(LossTest, FindsWhatASaveAndLoadWouldChange)
{
    static const char *names[] = {"Pesnicky",       "NazovCD", "AutorCD",    "TypCD",
                                  "DatumPozicania", "Meno",    "Priezvisko", "DatumVratenia"};
    const LossCase &c = GetParam();
    std::vector<Texts> records(3, defaults());
    records[c.record][c.field] = c.text;
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

const std::string tenTitles = "a|b|c|d|e|f|g|h|i|j|";

INSTANTIATE_TEST_SUITE_P(
    Texts, LossTest,
    testing::Values(
        LossCase{"defaults_survive", 0, 1, "Name CD ", false},
        LossCase{"bar_in_name", 1, 1, "A|B", true, Kind::BarInText},
        LossCase{"bar_in_due_date", 2, 7, "31|12", true, Kind::BarInText},
        LossCase{"zero_surname", 1, 6, "0", true, Kind::TextIsZero},
        LossCase{"double_zero_is_fine", 1, 6, "00", false},
        LossCase{"blank_zero_is_fine", 1, 6, " 0", false},
        LossCase{"empty_field_is_fine", 2, 4, "", false},
        LossCase{"nul_in_author", 2, 2, "Ka\0pela"s, true, Kind::NulInText},
        LossCase{"nul_in_songs", 1, 0, "a\0|b|c|d|e|f|g|h|i|j|"s, true, Kind::NulInText},
        LossCase{"zero_title", 2, 0, "a|b|0|d|e|f|g|h|i|j|", true, Kind::TextIsZero},
        LossCase{"empty_titles_are_fine", 1, 0, "||||||||||", false},
        LossCase{"nine_titles", 1, 0, "a|b|c|d|e|f|g|h|i|", true, Kind::BarInText},
        LossCase{"eleven_titles", 1, 0, tenTitles + "k|", true, Kind::BarInText},
        LossCase{"last_bar_missing", 1, 0, "a|b|c|d|e|f|g|h|i|j|k", true, Kind::BarInText},
        LossCase{"empty_songs", 1, 0, "", true, Kind::BarInText},
        LossCase{"first_title_of_first_record_with_digit", 0, 0, "7 dni|" + tenTitles.substr(2),
                 true, Kind::LeadingDigit},
        LossCase{"first_title_of_second_record_with_digit", 1, 0, "7 dni|" + tenTitles.substr(2),
                 false},
        LossCase{"first_title_with_sign_is_fine", 0, 0, "-7|" + tenTitles.substr(2), false},
        LossCase{"high_bytes_are_fine", 0, 3, "\xFF\xE1\x80", false}),
    [](const testing::TestParamInfo<LossCase> &info) { return std::string(info.param.name); });

TEST(NajdiStratu, ReportsTheFirstLossInFileOrder)
{
    ZoznamCD zoznam;
    Texts first = defaults(), second = defaults();
    first[7] = "0";
    second[1] = "A|B";
    append(zoznam, second);
    append(zoznam, first);
    append(zoznam, second);
    const auto loss = NajdiStratu(zoznam);
    ASSERT_TRUE(loss);
    EXPECT_EQ(loss->record, 1);
    EXPECT_STREQ(loss->field, "NazovCD");
}

TEST(NajdiStratu, EmptyListLosesNothing)
{
    ZoznamCD zoznam;
    EXPECT_FALSE(NajdiStratu(zoznam));
}

} // namespace
