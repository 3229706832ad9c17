#include "core/Text.h"
#include "core/ZoznamCD.h"

#include <gtest/gtest.h>

#include <string>

using std::string_literals::operator""s;

namespace {

TEST(Text, OrdersBytesUnsignedWithPrefixFirst)
{
    struct Row {
        std::string a, b;
        int order; // the sign of a compared with b
    };
    // clang-format off
    const Row rows[] = {
        {"abd", "abc", 1}, {"abc", "ab", 1}, {"", "", 0}, {"", "\x01", -1}, {"a", "Z", 1},
        {"\xE1", "z", 1}, {"\xFF", "\x80", 1}, {"0", "00", -1}, {"a\xFF", "a\xFF", 0},
        {"Typ CD ", "Typ CD", 1},                   // the trailing blank counts
        {"a\0b"s, "a"s, 1}, {"a\0b"s, "a\0c"s, -1}, // a zero byte is a byte like any other
        {"02.01.1990", "01.12.2099", 1},            // day-first dates order by day
    };
    // clang-format on
    for (const Row &r : rows) {
        SCOPED_TRACE(testing::PrintToString(r.a) + " vs " + testing::PrintToString(r.b));
        EXPECT_EQ(JeVacsi(r.a, r.b), r.order > 0);
        EXPECT_EQ(JeVacsi(r.b, r.a), r.order < 0);
        EXPECT_EQ(JeRovny(r.a, r.b), r.order == 0);
    }
}

TEST(ZoznamCD, AppendClearAndMove)
{
    ZoznamCD zoznam;
    zoznam.VymazVsetky(); // on an empty list: nothing happens
    auto *a = new ZaznamCD, *b = new ZaznamCD;
    zoznam.PripojZaznam(a);
    EXPECT_EQ(zoznam.Aktualny, a);
    zoznam.PripojZaznam(b);
    EXPECT_EQ(zoznam.Prvy, a);
    EXPECT_EQ(zoznam.Aktualny, b);
    EXPECT_EQ(a->Dalsi, b);
    EXPECT_EQ(zoznam.PocetCd, 2);
    EXPECT_EQ(zoznam.ZaznamNaPozicii(0), a);
    EXPECT_EQ(zoznam.ZaznamNaPozicii(2), b);

    zoznam.VymazVsetky();
    EXPECT_EQ(zoznam.PocetCd, 0);
    EXPECT_EQ(zoznam.Prvy, nullptr);
    EXPECT_EQ(zoznam.Aktualny, nullptr);
    auto *c = new ZaznamCD;
    zoznam.PripojZaznam(c); // starts a fresh list, not behind a freed record
    EXPECT_EQ(zoznam.Prvy, c);

    ZoznamCD to;
    to.PripojZaznam(new ZaznamCD); // freed by the assignment
    to = std::move(zoznam);
    EXPECT_EQ(to.PocetCd, 1);
    EXPECT_EQ(to.Prvy, c);
    EXPECT_EQ(zoznam.PocetCd, 0);
    EXPECT_EQ(zoznam.Prvy, nullptr);
}

TEST(ZoznamCD, DestroyingALongChainDoesNotRecurse)
{
    // A recursive destructor would need millions of stack frames here.
    ZoznamCD zoznam;
    for (int i = 0; i < 2'000'000; ++i) {
        auto *z = new ZaznamCD;
        z->setPesnicky("");
        zoznam.PripojZaznam(z);
    }
    EXPECT_EQ(zoznam.PocetCd, 2'000'000);
}

} // namespace
