#include "core/Text.h"
#include "core/ZoznamCD.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Comparison {
    const char *name;
    std::string a, b;
    bool greater;
};

class JeVacsiTest : public testing::TestWithParam<Comparison> {};

TEST_P(JeVacsiTest, OrdersBytesUnsignedWithPrefixFirst)
{
    const Comparison &c = GetParam();
    EXPECT_EQ(JeVacsi(c.a, c.b), c.greater);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, JeVacsiTest,
    testing::Values(Comparison{"later_last_byte", "abd", "abc", true},
                    Comparison{"longer_after_its_prefix", "abc", "ab", true},
                    Comparison{"prefix_not_after_longer", "ab", "abc", false},
                    Comparison{"empty_not_after_empty", "", "", false},
                    Comparison{"empty_before_anything", "", "\x01", false},
                    Comparison{"small_letter_after_capital", "a", "Z", true},
                    Comparison{"high_byte_after_ascii", "\xE1", "z", true},
                    Comparison{"high_bytes_compare_unsigned", "\xFF", "\x80", true},
                    Comparison{"equal_is_not_greater", "Typ CD ", "Typ CD ", false},
                    Comparison{"day_first_dates_order_by_day", "02.01.1990", "01.12.2099", true}),
    [](const testing::TestParamInfo<Comparison> &info) { return std::string(info.param.name); });

TEST(JeRovny, CountsBlanksAndLength)
{
    EXPECT_FALSE(JeRovny("Typ CD ", "Typ CD"));
    EXPECT_TRUE(JeRovny("", ""));
    EXPECT_FALSE(JeRovny("0", "00"));
    EXPECT_TRUE(JeRovny(std::string("a\xFF", 2), std::string("a\xFF", 2)));
}

TEST(ZaznamCD, NewRecordHoldsTheDefaultTexts)
{
    ZaznamCD z;
    EXPECT_EQ(z.Pesnicky, "Song01|Song02|Song03|Song04|Song05|Song06|Song07|Song08|Song09|Song10|");
    EXPECT_EQ(z.Pesnicky.size(), 70u);
    EXPECT_EQ(z.NazovCD, "Name CD ");
    EXPECT_EQ(z.AutorCD, "Autor CD");
    EXPECT_EQ(z.TypCD, "Typ CD ");
    EXPECT_EQ(z.DatumPozicania, "01012003");
    EXPECT_EQ(z.Meno, "Nedefinovane");
    EXPECT_EQ(z.Priezvisko, "Nedefinovane");
    EXPECT_EQ(z.DatumVratenia, "31122100");
    EXPECT_EQ(z.Dalsi, nullptr);
}

TEST(ZoznamCD, AppendLinksBehindTheLastAndMovesTheCursor)
{
    ZoznamCD zoznam;
    auto *a = new ZaznamCD;
    zoznam.PripojZaznam(a);
    EXPECT_EQ(zoznam.Prvy, a);
    EXPECT_EQ(zoznam.Aktualny, a);
    EXPECT_EQ(zoznam.PocetCd, 1);

    auto *b = new ZaznamCD;
    zoznam.PripojZaznam(b);
    EXPECT_EQ(zoznam.Prvy, a);
    EXPECT_EQ(zoznam.Aktualny, b);
    EXPECT_EQ(a->Dalsi, b);
    EXPECT_EQ(b->Dalsi, nullptr);
    EXPECT_EQ(zoznam.PocetCd, 2);

    EXPECT_EQ(zoznam.ZaznamNaPozicii(0), a);
    EXPECT_EQ(zoznam.ZaznamNaPozicii(1), a);
    EXPECT_EQ(zoznam.ZaznamNaPozicii(2), b);
}

TEST(ZoznamCD, ClearingEmptiesAndTheNextAppendStartsAFreshList)
{
    ZoznamCD zoznam;
    zoznam.VymazVsetky(); // on an empty list: nothing happens
    EXPECT_EQ(zoznam.PocetCd, 0);

    for (int i = 0; i < 3; ++i)
        zoznam.PripojZaznam(new ZaznamCD);
    zoznam.VymazVsetky();
    EXPECT_EQ(zoznam.PocetCd, 0);
    EXPECT_EQ(zoznam.Prvy, nullptr);
    EXPECT_EQ(zoznam.Aktualny, nullptr);

    auto *c = new ZaznamCD;
    zoznam.PripojZaznam(c);
    EXPECT_EQ(zoznam.Prvy, c);
    EXPECT_EQ(zoznam.PocetCd, 1);
}

TEST(ZoznamCD, MoveHandsOverEveryRecordAndEmptiesTheSource)
{
    ZoznamCD from;
    for (int i = 0; i < 3; ++i)
        from.PripojZaznam(new ZaznamCD);
    ZaznamCD *first = from.Prvy;

    ZoznamCD to;
    to.PripojZaznam(new ZaznamCD); // freed by the assignment
    to = std::move(from);
    EXPECT_EQ(to.PocetCd, 3);
    EXPECT_EQ(to.Prvy, first);
    EXPECT_EQ(from.PocetCd, 0);
    EXPECT_EQ(from.Prvy, nullptr);
}

TEST(ZoznamCD, DestroyingALongChainDoesNotRecurse)
{
    // A recursive destructor would need millions of stack frames here.
    ZoznamCD zoznam;
    for (int i = 0; i < 2'000'000; ++i) {
        auto *z = new ZaznamCD;
        z->Pesnicky.clear();
        zoznam.PripojZaznam(z);
    }
    EXPECT_EQ(zoznam.PocetCd, 2'000'000);
}

} // namespace
