#include "core/Triedenie.h"
#include "core/Text.h"
#include "core/ZoznamCD.h"
#include "tests/core/LiteralSort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

// Remembers every call in order: ('m', maximum) or ('p', position).
class Recorder : public PriebehTriedenia {
  public:
    std::vector<std::pair<char, int>> calls;
    void setMaximum(int maximum) override { calls.emplace_back('m', maximum); }
    void setPosition(int position) override { calls.emplace_back('p', position); }
};

// For two or more records: the maximum n first, then positions rising from 2 to at most n,
// then 0 last. For fewer: only position 0, the maximum untouched.
testing::AssertionResult ProgressIsHonest(const Recorder &r, int n)
{
    using Calls = std::vector<std::pair<char, int>>;
    if (n < 2) {
        if (r.calls == Calls{{'p', 0}})
            return testing::AssertionSuccess();
        return testing::AssertionFailure() << "expected only position 0 for n = " << n;
    }
    if (r.calls.size() < 3 || r.calls.front() != std::make_pair('m', n) ||
        r.calls[1] != std::make_pair('p', 2) || r.calls.back() != std::make_pair('p', 0))
        return testing::AssertionFailure() << "bad start or end for n = " << n;
    for (std::size_t i = 2; i + 1 < r.calls.size(); ++i) {
        const auto [kind, value] = r.calls[i];
        if (kind != 'p' || value <= r.calls[i - 1].second || value > n)
            return testing::AssertionFailure() << "call " << i << " does not advance, n = " << n;
    }
    return testing::AssertionSuccess();
}

// Keys from a few stems of 0 to 20 bytes, some prefixes of others, plus up to three symbols:
// both cases, a blank, a digit, bytes above 127 and a zero byte (no edit box or file yields
// one, but it must not confuse the order). Many keys repeat, many agree on their first
// eight or sixteen bytes and differ after them.
std::string RandomKey(std::mt19937 &rng)
{
    static const std::array<std::string, 9> stems = {"",
                                                     "",
                                                     "Name CD",
                                                     "Name CD ",
                                                     "01012003",
                                                     "Nedefinovan",
                                                     "Nedefinovane",
                                                     "Ludwig van Beeth",
                                                     "Ludwig van Beethoven"};
    static const std::array<std::string, 10> symbols = {
        "a", "A", "b", "B", "0", " ", "\xE1", "\xFF", "\x80", std::string(1, '\0')};
    std::string key = stems[rng() % stems.size()];
    for (unsigned count = rng() % 4; count > 0; --count)
        key += symbols[rng() % symbols.size()];
    return key;
}

ZaznamCD *RandomRecord(std::mt19937 &rng)
{
    auto *z = new ZaznamCD;
    z->DatumPozicania = RandomKey(rng);
    z->DatumVratenia = RandomKey(rng);
    z->NazovCD = RandomKey(rng);
    z->AutorCD = RandomKey(rng);
    z->Priezvisko = RandomKey(rng);
    return z;
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

using Fields = std::array<std::string, 8>;
Fields FieldsOf(const ZaznamCD &z)
{
    return {z.Pesnicky,       z.NazovCD, z.AutorCD,    z.TypCD,
            z.DatumPozicania, z.Meno,    z.Priezvisko, z.DatumVratenia};
}

struct Outcome {
    std::vector<ZaznamCD *> order;
    ZaznamCD *prvy, *aktualny, *presuvany, *lastDalsi;
    std::int32_t pocet;
    bool operator==(const Outcome &o) const
    {
        return order == o.order && prvy == o.prvy && aktualny == o.aktualny &&
               presuvany == o.presuvany && lastDalsi == o.lastDalsi && pocet == o.pocet;
    }
};

Outcome OutcomeOf(const ZoznamCD &zoznam)
{
    std::vector<ZaznamCD *> order = Order(zoznam);
    return {order,
            zoznam.Prvy,
            zoznam.Aktualny,
            zoznam.Presuvany,
            order.empty() ? nullptr : order.back()->Dalsi,
            zoznam.PocetCd};
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

        ZoznamCD zoznam;
        for (int i = 0; i < n; ++i)
            zoznam.PripojZaznam(RandomRecord(rng));
        const std::vector<ZaznamCD *> original = Order(zoznam);
        std::vector<Fields> fields;
        for (const ZaznamCD *z : original)
            fields.push_back(FieldsOf(*z));

        Relink(zoznam, original);
        literal::Triedenie(zoznam, mode, nullptr);
        const Outcome expected = OutcomeOf(zoznam);

        Relink(zoznam, original);
        Recorder progress;
        ZoradZoznam(zoznam, mode, round % 4 == 3 ? nullptr : &progress);
        ASSERT_TRUE(OutcomeOf(zoznam) == expected);
        if (round % 4 != 3) {
            ASSERT_TRUE(ProgressIsHonest(progress, n));
        }
        for (std::size_t i = 0; i < original.size(); ++i)
            ASSERT_EQ(FieldsOf(*original[i]), fields[i]) << "record " << i << " changed";
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, Differential, testing::Values(0, 1, 2, 3, 4, 5, -1),
                         [](const testing::TestParamInfo<std::int32_t> &info) {
                             return info.param < 0 ? std::string("minus1")
                                                   : "mode" + std::to_string(info.param);
                         });

TEST(ZoradZoznam, TwoRecordsOutOfOrderSwapLinks)
{
    ZoznamCD zoznam;
    auto *first = new ZaznamCD;
    auto *second = new ZaznamCD;
    first->NazovCD = "b";
    second->NazovCD = "a";
    zoznam.PripojZaznam(first);
    zoznam.PripojZaznam(second);

    ZoradZoznam(zoznam, 2, nullptr);
    EXPECT_EQ(zoznam.Prvy, second);
    EXPECT_EQ(second->Dalsi, first);
    EXPECT_EQ(first->Dalsi, nullptr);
    EXPECT_EQ(zoznam.Aktualny, first);
    EXPECT_EQ(zoznam.PocetCd, 2);
}

TEST(ZoradZoznam, StaysStableAcrossManySortedRuns)
{
    // Far more records than one sorted run holds, so the merges decide the order; the
    // step-by-step sort would take hours here, a plain stable sort is the yardstick.
    std::mt19937 rng(42);
    ZoznamCD zoznam;
    for (int i = 0; i < 70'001; ++i)
        zoznam.PripojZaznam(RandomRecord(rng));
    std::vector<ZaznamCD *> expected = Order(zoznam);
    std::stable_sort(expected.begin(), expected.end(), [](const ZaznamCD *a, const ZaznamCD *b) {
        return JeVacsi(b->AutorCD, a->AutorCD);
    });

    ZoradZoznam(zoznam, 3, nullptr);
    EXPECT_TRUE(Order(zoznam) == expected);
    EXPECT_EQ(zoznam.Aktualny, expected.back());
    EXPECT_EQ(expected.back()->Dalsi, nullptr);
}

struct ProgressCase {
    const char *name;
    int n;
};

class ProgressEnd : public testing::TestWithParam<ProgressCase> {};

TEST_P(ProgressEnd, RisesFromTwoAndEndsAtZero)
{
    const int n = GetParam().n;
    ZoznamCD zoznam;
    std::mt19937 rng(7);
    for (int i = 0; i < n; ++i)
        zoznam.PripojZaznam(RandomRecord(rng));
    Recorder progress;
    ZoradZoznam(zoznam, 0, &progress);
    EXPECT_TRUE(ProgressIsHonest(progress, n));
    if (n > 50'000) {
        // Several real steps, but nowhere near one per record; the last one reaches n.
        EXPECT_GT(progress.calls.size(), 6u);
        EXPECT_LT(progress.calls.size(), 100u);
        EXPECT_EQ(progress.calls[progress.calls.size() - 2].second, n);
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, ProgressEnd,
                         testing::Values(ProgressCase{"empty_keeps_maximum", 0},
                                         ProgressCase{"one_keeps_maximum", 1},
                                         ProgressCase{"two", 2}, ProgressCase{"three", 3},
                                         ProgressCase{"many_in_several_steps", 100'000}),
                         [](const testing::TestParamInfo<ProgressCase> &info) {
                             return std::string(info.param.name);
                         });

TEST(KlucTriedenia, PointsIntoTheChosenFieldOrIsZero)
{
    ZaznamCD z;
    z.DatumPozicania = "lent";
    z.DatumVratenia = "due";
    z.NazovCD = "name";
    z.AutorCD = "author";
    z.Priezvisko = "surname";
    const std::pair<std::int32_t, const std::string *> fields[] = {{0, &z.DatumPozicania},
                                                                   {1, &z.DatumVratenia},
                                                                   {2, &z.NazovCD},
                                                                   {3, &z.AutorCD},
                                                                   {4, &z.Priezvisko}};
    for (const auto &[mode, field] : fields)
        EXPECT_EQ(KlucTriedenia(z, mode).data(), field->data()) << "mode " << mode;
    for (std::int32_t mode : {5, -1, INT32_MAX, INT32_MIN})
        EXPECT_EQ(KlucTriedenia(z, mode), "0") << "mode " << mode;
}

} // namespace
