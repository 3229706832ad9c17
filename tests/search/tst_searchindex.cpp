#include "dialogs/SearchFolding.h"
#include "dialogs/SearchIndex.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

// Builds a list whose selected field holds the given texts, other fields left at defaults.
ZoznamCD listOf(const std::vector<std::string> &texts, std::int32_t pole = 3)
{
    static const std::vector<std::string ZaznamCD::*> fields = {
        &ZaznamCD::DatumPozicania, &ZaznamCD::AutorCD, &ZaznamCD::NazovCD, &ZaznamCD::Priezvisko,
        &ZaznamCD::TypCD};
    ZoznamCD zoznam;
    for (const std::string &text : texts) {
        auto *zaznam = new ZaznamCD;
        zaznam->*fields[std::size_t(pole)] = text;
        zoznam.PripojZaznam(zaznam);
    }
    return zoznam;
}

std::vector<std::int32_t> find(const std::vector<std::string> &texts, std::string_view query)
{
    const ZoznamCD zoznam = listOf(texts);
    SearchIndex index(codePageFoldTables());
    index.build(zoznam, 3);
    std::vector<std::int32_t> matches;
    index.find(query, matches);
    return matches;
}

// --- Does one field match one query ----------------------------------------------------

struct Rule {
    const char *name;
    std::string field;
    std::string query;
    bool matches;
};

class MatchingRulesTest : public testing::TestWithParam<Rule> {};

TEST_P(MatchingRulesTest, Matches)
{
    const Rule &r = GetParam();
    const auto found = find({r.field}, r.query);
    EXPECT_EQ(!found.empty(), r.matches) << "field '" << r.field << "' query '" << r.query << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Rules, MatchingRulesTest,
    testing::Values(
        Rule{"small_query_finds_capitals", "KOVAC", "kovac", true},
        Rule{"capital_query_finds_small", "kovac", "KOVAC", true},
        Rule{"mixed_case_both_sides", "KoVaC", "kOvAc", true},
        Rule{"plain_query_finds_diacritics", "Kov\xE1\xE8", "kovac", true},
        Rule{"plain_query_finds_capital_diacritics", "KOV\xC1\xC8", "kovac", true},
        Rule{"diacritics_query_finds_same", "Kov\xE1\xE8", "Kov\xE1\xE8", true},
        Rule{"diacritics_query_ignores_case", "KOV\xC1\xC8", "kov\xE1\xE8", true},
        Rule{"diacritics_query_skips_plain", "Kovac", "Kov\xE1\xE8", false},
        Rule{"one_diacritic_makes_all_count", "Kova\xE8", "Kov\xE1\xE8", false},
        Rule{"diacritic_differs_from_other_diacritic", "Kov\xE4\xE8", "kov\xE1\xE8", false},
        Rule{"s_caron_9A_found_by_s", "\x9Akoda", "skoda", true},
        Rule{"S_caron_8A_found_by_s_caron", "\x8AKODA", "\x9Akoda", true},
        Rule{"S_caron_8A_found_by_s", "\x8AKODA", "skoda", true},
        Rule{"c_caron_E8_found_by_C",
             "Ve\xE8\xE8"
             "a",
             "VECCA", true},
        Rule{"L_caron_found_by_l_caron", "\xBCubom\xEDr", "\xBEubo", true},
        Rule{"l_acute_found_by_l", "K\xE5\xE8", "klc", true},
        Rule{"plain_letter_differs", "\x9A", "z", false},
        Rule{"stroke_letter_kept",
             "\xB3\xF3"
             "d\xBF",
             "lodz", false},
        Rule{"at_start", "Beatles", "bea", true}, Rule{"in_middle", "Beatles", "atl", true},
        Rule{"at_end", "Beatles", "les", true}, Rule{"whole_field", "Beatles", "beatles", true},
        Rule{"longer_than_field", "Beatles", "beatles!", false},
        Rule{"not_contiguous", "Beatles", "btl", false},
        Rule{"empty_query_any_field", "Beatles", "", true},
        Rule{"empty_query_empty_field", "", "", true}, Rule{"empty_field", "", "a", false},
        Rule{"date_digits", "01012003", "2003", true},
        Rule{"blanks_count", "Abbey Road", "y r", true},
        Rule{"blanks_count_exactly", "Abbey Road", "yr", false},
        Rule{"undefined_byte_exact", "a\x81z", "\x81", true}),
    [](const testing::TestParamInfo<Rule> &info) { return std::string(info.param.name); });

// --- Whole lists --------------------------------------------------------------------------

TEST(SearchIndexTest, MatchesComeInListOrder)
{
    const std::vector<std::string> texts = {"Kov\xE1\xE8", "Nov\xE1k", "KOVAC", "Kovalik",
                                            "Horv\xE1t"};
    EXPECT_EQ(find(texts, "kovac"), (std::vector<std::int32_t>{0, 2}));
    EXPECT_EQ(find(texts, "kov\xE1"), (std::vector<std::int32_t>{0}));
    EXPECT_EQ(find(texts, "ov"), (std::vector<std::int32_t>{0, 1, 2, 3}));
    EXPECT_EQ(find(texts, ""), (std::vector<std::int32_t>{0, 1, 2, 3, 4}));
    EXPECT_EQ(find(texts, "x"), (std::vector<std::int32_t>{}));
}

TEST(SearchIndexTest, RecordFoundOnceForManyOccurrences)
{
    EXPECT_EQ(find({"aaaa", "b", "aa"}, "a"), (std::vector<std::int32_t>{0, 2}));
}

TEST(SearchIndexTest, MatchNeverSpansTwoRecords)
{
    EXPECT_TRUE(find({"ab", "cd"}, "bc").empty());
    EXPECT_TRUE(find({"ab", "cd"}, std::string("b\0c", 3)).empty());
    EXPECT_TRUE(find({"a", "", "a"}, "aa").empty());
    // A field may hold the separator byte itself (never from the program, but from a file).
    EXPECT_EQ(find({"ab", std::string("x\0y", 3)}, std::string("\0y", 2)),
              (std::vector<std::int32_t>{1}));
}

TEST(SearchIndexTest, EmptyListFindsNothing)
{
    EXPECT_TRUE(find({}, "").empty());
    EXPECT_TRUE(find({}, "a").empty());
}

TEST(SearchIndexTest, RebuildForgetsThePreviousList)
{
    SearchIndex index(codePageFoldTables());
    std::vector<std::int32_t> matches;
    const ZoznamCD first = listOf({"abc", "abd"});
    index.build(first, 3);
    const ZoznamCD second = listOf({"xyz"});
    index.build(second, 3);
    index.find("", matches);
    EXPECT_EQ(matches, (std::vector<std::int32_t>{0}));
    EXPECT_EQ(&index.record(0), second.Prvy);
}

TEST(SearchIndexTest, EachSettingSearchesItsField)
{
    ZoznamCD zoznam;
    auto *zaznam = new ZaznamCD;
    zaznam->DatumPozicania = "d0";
    zaznam->AutorCD = "a1";
    zaznam->NazovCD = "n2";
    zaznam->Priezvisko = "p3";
    zaznam->TypCD = "t4";
    zaznam->Meno = "m";
    zaznam->DatumVratenia = "r";
    zoznam.PripojZaznam(zaznam);
    const char *texts[] = {"d0", "a1", "n2", "p3", "t4"};
    for (std::int32_t pole = 0; pole < 5; ++pole) {
        SearchIndex index(codePageFoldTables());
        index.build(zoznam, pole);
        std::vector<std::int32_t> matches;
        for (std::int32_t other = 0; other < 5; ++other) {
            index.find(texts[other], matches);
            EXPECT_EQ(matches.size(), other == pole ? 1u : 0u) << pole << " " << other;
        }
        for (const char *unsearched : {"m", "r", "Song"}) {
            index.find(unsearched, matches);
            EXPECT_TRUE(matches.empty()) << pole << " " << unsearched;
        }
    }
    // A setting out of range searches as setting 0 does.
    EXPECT_EQ(&searchedField(*zaznam, 7), &zaznam->DatumPozicania);
    EXPECT_EQ(&searchedField(*zaznam, -1), &zaznam->DatumPozicania);
}

// The fast scan against the rule applied one record at a time, on random lists over an
// alphabet of case and diacritic variants, the separator byte and undefined bytes.
TEST(SearchIndexTest, AgreesWithRecordByRecordReference)
{
    const std::string alphabet("aA\xE1\xC1"
                               "cC\xE8\xC8"
                               "sS\x9A\x8A"
                               " \x81\0",
                               15);
    const FoldTables &t = codePageFoldTables();
    std::mt19937 random(20240607);
    auto text = [&](std::size_t maxLength) {
        std::string s(random() % (maxLength + 1), ' ');
        for (char &c : s)
            c = alphabet[random() % alphabet.size()];
        return s;
    };
    for (int round = 0; round < 300; ++round) {
        std::vector<std::string> texts(random() % 12);
        for (std::string &s : texts)
            s = text(6);
        const ZoznamCD zoznam = listOf(texts);
        SearchIndex index(t);
        index.build(zoznam, 3);
        std::vector<std::int32_t> matches;
        for (int q = 0; q < 20; ++q) {
            const std::string query = text(3);
            bool diacritics = false;
            for (unsigned char b : query)
                diacritics |= t.plain[b] != t.caseOnly[b];
            const auto &map = diacritics ? t.caseOnly : t.plain;
            auto fold = [&](std::string s) {
                for (char &c : s)
                    c = char(map[static_cast<unsigned char>(c)]);
                return s;
            };
            std::vector<std::int32_t> expected;
            for (std::size_t i = 0; i < texts.size(); ++i) {
                if (fold(texts[i]).find(fold(query)) != std::string::npos)
                    expected.push_back(std::int32_t(i));
            }
            index.find(query, matches);
            ASSERT_EQ(matches, expected) << "round " << round << " query " << q;
        }
    }
}

} // namespace
