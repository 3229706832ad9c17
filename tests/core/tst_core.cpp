#include "core/Text.h"
#include "core/Triedenie.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>
#include <tuple>

using std::string_literals::operator""s;

namespace {

TEST(Text, OrdersBytesUnsignedWithPrefixFirst)
{
    // clang-format off
    const std::tuple<std::string, std::string, int> rows[] = { // the sign of a against b
        {"abd", "abc", 1}, {"abc", "ab", 1}, {"", "", 0}, {"", "\x01", -1}, {"a", "Z", 1},
        {"\xE1", "z", 1}, {"\xFF", "\x80", 1}, {"a\xFF", "a\xFF", 0}, {"Typ CD ", "Typ CD", 1},
        {"a\0b"s, "a"s, 1}, {"a\0b"s, "a\0c"s, -1}, {"02.01.1990", "01.12.2099", 1}};
    // clang-format on
    for (const auto &[a, b, order] : rows) {
        EXPECT_EQ(std::tuple(JeVacsi(a, b), JeVacsi(b, a), JeRovny(a, b)),
                  std::tuple(order > 0, order < 0, order == 0))
            << a << " vs " << b;
    }
}

// Remembers the progress calls in order: ('m', maximum) or ('p', position).
struct Recorder : PriebehTriedenia {
    std::vector<std::pair<char, int>> calls;
    void setMaximum(int maximum) override { calls.emplace_back('m', maximum); }
    void setPosition(int position) override { calls.emplace_back('p', position); }
};

// Against a stable sort by the byte comparison, for every key and for modes outside the table
// that must move nothing: order, links, cursors and progress.
TEST(ZoradZoznam, StableByTheModesKey)
{
    const Pole keys[] = {Pole::DatumPozicania, Pole::DatumVratenia, Pole::NazovCD, Pole::AutorCD,
                         Pole::Priezvisko};
    // Keys that repeat, are prefixes of others, or agree on their first 8, 16, 24 or 40 bytes
    // and differ after; ties among hundreds of records go the radix way.
    const std::string deep = "Ludwig van Beethoven: Symfonia c. 9 d mol";
    // clang-format off
    const std::string stems[] = {"", "Name CD", "Name CD ", "Nedefinovane", deep.substr(0, 8),
                                 deep.substr(0, 16), deep.substr(0, 24), deep.substr(0, 40)};
    // clang-format on
    const std::string symbols("aAbB0 \xE1\xFF\x80\0", 10);
    for (const std::int32_t mode : {0, 1, 2, 3, 4, 5, -1, INT32_MIN}) {
        std::mt19937 rng(20030101u + unsigned(mode));
        const bool sorts = mode >= 0 && mode < std::int32_t(std::size(keys));
        for (int round = 0; round < (sorts ? 200 : 45); ++round) {
            // Mostly small lists, some beyond a byte-wise pass, deep ties by the thousand, and
            // once a list beyond a progress slice.
            const int n = round < 40                   ? round % 5
                          : round == 40                ? (mode % 5 == 0 ? 20'000 : 0)
                          : round == 41 || round == 42 ? 1'500
                                                       : int(rng() % (round % 9 * 50 + 9));
            const unsigned firstStem = round == 41 || round == 42 ? 4 : 0;
            SCOPED_TRACE(testing::Message() << "mode " << mode << ", round " << round << ", " << n);
            ZoznamCD zoznam;
            std::vector<ZaznamCD *> expected;
            for (int i = 0; i < n; ++i) {
                expected.push_back(new ZaznamCD);
                for (Pole key : keys) {
                    std::string text = stems[firstStem + rng() % (8 - firstStem)];
                    for (unsigned count = rng() % 4; count > 0; --count)
                        text += symbols[rng() % symbols.size()];
                    expected.back()->setText(key, text);
                }
                zoznam.PripojZaznam(expected.back());
            }
            ZaznamCD *const last = zoznam.Aktualny;
            if (sorts)
                std::stable_sort(expected.begin(), expected.end(), [&](auto *a, auto *b) {
                    return JeVacsi(b->text(keys[mode]), a->text(keys[mode]));
                });
            Recorder progress;
            ZoradZoznam(zoznam, mode, round % 4 == 3 ? nullptr : &progress);
            std::vector<ZaznamCD *> order;
            for (ZaznamCD *z = zoznam.Prvy; order.size() < expected.size(); z = z->Dalsi)
                order.push_back(z);
            ASSERT_TRUE(order == expected);
            ASSERT_EQ(std::tie(zoznam.PocetCd, zoznam.Aktualny, zoznam.Presuvany),
                      std::make_tuple(n, n ? expected.back() : nullptr, n > 1 ? last : nullptr));
            ASSERT_TRUE(n == 0 || expected.back()->Dalsi == nullptr);
            // Maximum n, positions rising from 2 to n in about 100 steps at most, then 0.
            const auto &c = progress.calls;
            if (round % 4 == 3)
                continue;
            ASSERT_EQ(c.size(), n < 2 ? 1u : std::clamp<std::size_t>(c.size(), 3, 104)); // n<2: 0
            ASSERT_EQ(c.back(), std::pair('p', 0));
            ASSERT_TRUE(n < 2 || (c[0] == std::pair('m', n) && c[1] == std::pair('p', 2) &&
                                  c[c.size() - 2] == std::pair('p', n)));
            for (std::size_t i = 2; n > 1 && i + 1 < c.size(); ++i)
                ASSERT_TRUE(c[i].first == 'p' && c[i].second > c[i - 1].second);
        }
    }
}

} // namespace
