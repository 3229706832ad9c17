#include "core/Triedenie.h"
#include "core/Text.h"
#include "core/ZoznamCD.h"
#include "tests/core/LiteralSort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <random>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

// Remembers every call in order: ('m', maximum) or ('p', position).
using Call = std::pair<char, int>;
struct Recorder : PriebehTriedenia {
    std::vector<Call> calls;
    void setMaximum(int maximum) override { calls.emplace_back('m', maximum); }
    void setPosition(int position) override { calls.emplace_back('p', position); }
};

// For two or more records: the maximum n first, then positions rising from 2 to at most n,
// then 0 last. For fewer: only position 0, the maximum untouched.
testing::AssertionResult ProgressIsHonest(const Recorder &r, int n)
{
    const std::vector<Call> &c = r.calls;
    bool ok = n < 2 ? c == std::vector<Call>{{'p', 0}}
                    : c.size() >= 3 && c.front() == Call{'m', n} && c[1] == Call{'p', 2} &&
                          c.back() == Call{'p', 0};
    for (std::size_t i = 2; ok && n >= 2 && i + 1 < c.size(); ++i)
        ok = c[i].first == 'p' && c[i].second > c[i - 1].second && c[i].second <= n;
    if (ok)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << testing::PrintToString(c) << " for n = " << n;
}

// Keys from a few stems of 0 to 20 bytes, some prefixes of others, plus up to three symbols:
// both cases, a blank, a digit, bytes above 127 and a zero byte (no edit box or file yields
// one, but it must not confuse the order). Many keys repeat, many agree on their first
// eight or sixteen bytes and differ after them.
std::string RandomKey(std::mt19937 &rng)
{
    // clang-format off
    static const char *const stems[] = {"", "", "Name CD", "Name CD ", "01012003", "Nedefinovan",
                                        "Nedefinovane", "Ludwig van Beeth", "Ludwig van Beethoven"};
    // clang-format on
    static const std::array<std::string, 10> symbols = {
        "a", "A", "b", "B", "0", " ", "\xE1", "\xFF", "\x80", std::string(1, '\0')};
    std::string key = stems[rng() % 9];
    for (unsigned count = rng() % 4; count > 0; --count)
        key += symbols[rng() % symbols.size()];
    return key;
}

ZoznamCD RandomList(std::mt19937 &rng, int n)
{
    ZoznamCD zoznam;
    for (int i = 0; i < n; ++i) {
        auto *z = new ZaznamCD;
        for (Pole key : {Pole::DatumPozicania, Pole::DatumVratenia, Pole::NazovCD, Pole::AutorCD,
                         Pole::Priezvisko})
            z->setText(key, RandomKey(rng));
        zoznam.PripojZaznam(z);
    }
    return zoznam;
}

// The records from Prvy, bounded by the count.
std::vector<ZaznamCD *> Order(const ZoznamCD &zoznam)
{
    std::vector<ZaznamCD *> order;
    ZaznamCD *z = zoznam.Prvy;
    for (std::int32_t i = 0; i < zoznam.PocetCd; ++i, z = z->Dalsi)
        order.push_back(z);
    return order;
}

// Links the records in the given order, as appends leave them.
void Relink(ZoznamCD &zoznam, const std::vector<ZaznamCD *> &order)
{
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i]->Dalsi = i + 1 < order.size() ? order[i + 1] : nullptr;
    zoznam.Prvy = order.empty() ? nullptr : order.front();
    zoznam.Aktualny = order.empty() ? nullptr : order.back();
    zoznam.Presuvany = nullptr;
}

// Everything a pass may change: the order, the cursors, the last link and the count.
auto OutcomeOf(const ZoznamCD &zoznam)
{
    const std::vector<ZaznamCD *> order = Order(zoznam);
    return std::make_tuple(order, zoznam.Prvy, zoznam.Aktualny, zoznam.Presuvany,
                           order.empty() ? nullptr : order.back()->Dalsi, zoznam.PocetCd);
}

class Differential : public testing::TestWithParam<std::int32_t> {};

TEST_P(Differential, SameListAsTheStepByStepSort)
{
    const std::int32_t mode = GetParam();
    std::mt19937 rng(20030101u + unsigned(mode));
    for (int round = 0; round < 300; ++round) {
        // Mostly small lists, where the edge cases live, some up to a few hundred, beyond the
        // size where the pass stops comparing and starts sorting byte by byte.
        const int n = round < 40       ? round % 5
                      : round % 7 == 0 ? 250 + int(rng() % 150)
                      : round % 3 == 0 ? int(rng() % 250)
                                       : int(rng() % 40);
        SCOPED_TRACE(testing::Message() << "round " << round << ", " << n << " records");
        ZoznamCD zoznam = RandomList(rng, n);
        const std::vector<ZaznamCD *> original = Order(zoznam);

        literal::Triedenie(zoznam, mode, nullptr);
        const auto expected = OutcomeOf(zoznam);
        Relink(zoznam, original);
        Recorder progress;
        ZoradZoznam(zoznam, mode, round % 4 == 3 ? nullptr : &progress);
        ASSERT_TRUE(OutcomeOf(zoznam) == expected);
        if (round % 4 != 3) {
            ASSERT_TRUE(ProgressIsHonest(progress, n));
        }
    }
}

// Every key, and modes outside 0..4 that must move nothing.
INSTANTIATE_TEST_SUITE_P(Modes, Differential, testing::Values(0, 1, 2, 3, 4, 5, -1, INT32_MIN));

TEST(ZoradZoznam, TwoRecordsOutOfOrderSwapLinks)
{
    ZoznamCD zoznam;
    auto *first = new ZaznamCD, *second = new ZaznamCD;
    first->setNazovCD("b");
    second->setNazovCD("a");
    zoznam.PripojZaznam(first);
    zoznam.PripojZaznam(second);
    ZoradZoznam(zoznam, 2, nullptr);
    EXPECT_EQ(zoznam.Prvy, second);
    EXPECT_EQ(second->Dalsi, first);
    EXPECT_EQ(first->Dalsi, nullptr);
    EXPECT_EQ(zoznam.Aktualny, first);
    EXPECT_EQ(zoznam.PocetCd, 2);
}

TEST(ZoradZoznam, ManyRecordsStableInAFewProgressSteps)
{
    // Far more records than one sorted run or progress slice holds; the step-by-step sort
    // would take hours here, a plain stable sort is the yardstick.
    std::mt19937 rng(42);
    ZoznamCD zoznam = RandomList(rng, 100'000);
    std::vector<ZaznamCD *> expected = Order(zoznam);
    std::stable_sort(expected.begin(), expected.end(), [](const ZaznamCD *a, const ZaznamCD *b) {
        return JeVacsi(b->AutorCD(), a->AutorCD());
    });
    Recorder progress;
    ZoradZoznam(zoznam, 3, &progress);
    EXPECT_TRUE(Order(zoznam) == expected);
    EXPECT_EQ(zoznam.Aktualny, expected.back());
    EXPECT_EQ(expected.back()->Dalsi, nullptr);
    EXPECT_TRUE(ProgressIsHonest(progress, 100'000));
    // Several real steps, but nowhere near one per record; the last one reaches n.
    EXPECT_GT(progress.calls.size(), 6u);
    EXPECT_LT(progress.calls.size(), 100u);
    EXPECT_EQ(progress.calls[progress.calls.size() - 2].second, 100'000);
}

} // namespace
