#include "dialogs/SearchFolding.h"
#include "dialogs/SearchIndex.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

// The records found when the searched field (Priezvisko) of the records holds `texts`.
std::vector<std::int32_t> find(const std::vector<std::string> &texts, std::string_view query)
{
    ZoznamCD zoznam;
    for (const std::string &text : texts) {
        auto *zaznam = new ZaznamCD;
        zaznam->setPriezvisko(text);
        zoznam.PripojZaznam(zaznam);
    }
    SearchIndex index(codePageFoldTables());
    index.build(zoznam, 3);
    std::vector<std::int32_t> matches;
    index.find(query, matches);
    return matches;
}

struct Rule {
    const char *name;
    std::string field, query;
    bool matches;
};

class MatchingRules : public testing::TestWithParam<Rule> {};

TEST_P(MatchingRules, Match)
{
    const Rule &r = GetParam();
    EXPECT_EQ(!find({r.field}, r.query).empty(), r.matches);
}

// Windows-1250: 0xE1 'á', 0xC1 'Á', 0xE8 'č', 0xC8 'Č', 0x9A 'š', 0x8A 'Š', 0xE4 'ä'.
INSTANTIATE_TEST_SUITE_P(
    Rules, MatchingRules,
    testing::Values(Rule{"small_finds_capitals", "KOVAC", "kovac", true},
                    Rule{"capitals_find_small", "kovac", "KOVAC", true},
                    Rule{"plain_finds_diacritics", "Kov\xE1\xE8", "kovac", true},
                    Rule{"plain_finds_capital_diacritics", "KOV\xC1\xC8", "kovac", true},
                    Rule{"diacritics_find_same_any_case", "KOV\xC1\xC8", "kov\xE1\xE8", true},
                    Rule{"diacritics_skip_plain", "Kovac", "Kov\xE1\xE8", false},
                    Rule{"one_diacritic_makes_all_count", "Kova\xE8", "Kov\xE1\xE8", false},
                    Rule{"other_diacritic_differs", "Kov\xE4\xE8", "kov\xE1\xE8", false},
                    Rule{"c_caron_E8_found_by_C", "Ve\xE8\xE8y", "VECC", true},
                    Rule{"s_caron_9A_found_by_s", "\x9Akoda", "skoda", true},
                    Rule{"S_caron_8A_found_by_s_caron", "\x8AKODA", "\x9Akoda", true},
                    Rule{"plain_letter_differs", "\x9A", "z", false},
                    Rule{"at_start", "Beatles", "bea", true},
                    Rule{"in_middle", "Beatles", "atl", true},
                    Rule{"at_end", "Beatles", "les", true},
                    Rule{"longer_than_field", "Beatles", "beatles!", false},
                    Rule{"not_contiguous", "Beatles", "btl", false},
                    Rule{"blanks_count", "Abbey Road", "yr", false},
                    Rule{"empty_query_finds_any_field", "Beatles", "", true},
                    Rule{"empty_query_finds_empty_field", "", "", true},
                    Rule{"empty_field_finds_nothing", "", "a", false}),
    [](const testing::TestParamInfo<Rule> &info) { return std::string(info.param.name); });

TEST(SearchIndex, MatchNeverSpansTwoRecords)
{
    EXPECT_TRUE(find({"ab", "cd"}, "bc").empty());
    EXPECT_TRUE(find({"ab", "cd"}, std::string("b\0c", 3)).empty());
    EXPECT_TRUE(find({"a", "", "a"}, "aa").empty());
    // A field may hold the separator byte itself (never from the program, but from a file).
    EXPECT_EQ(find({"ab", std::string("x\0y", 3)}, std::string("\0y", 2)),
              (std::vector<std::int32_t>{1}));
}

// The fast scan against the rule applied one record at a time, on random lists over an
// alphabet of case and diacritic variants, the separator byte and undefined bytes.
TEST(SearchIndex, AgreesWithRecordByRecordReference)
{
    const std::string alphabet("aA\xE1\xC1"
                               "cC\xE8\xC8"
                               "sS\x9A\x8A \x81\0",
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
        for (int q = 0; q < 20; ++q) {
            const std::string query = text(3);
            bool diacritics = false;
            for (unsigned char b : query)
                diacritics |= t.plain[b] != t.caseOnly[b];
            auto fold = [&](std::string s) {
                for (char &c : s)
                    c = char((diacritics ? t.caseOnly : t.plain)[static_cast<unsigned char>(c)]);
                return s;
            };
            std::vector<std::int32_t> expected;
            for (std::size_t i = 0; i < texts.size(); ++i) {
                if (fold(texts[i]).find(fold(query)) != std::string::npos)
                    expected.push_back(std::int32_t(i));
            }
            ASSERT_EQ(find(texts, query), expected) << "round " << round << " query " << q;
        }
    }
}

} // namespace
