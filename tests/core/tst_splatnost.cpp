#include "core/Splatnost.h"

#include <gtest/gtest.h>

#include <ctime>
#include <tuple>

TEST(Splatnost, ReadsDueDatesAsTypedAndCountsDaysLate)
{
    const Datum may11{11, 5, 2003};
    // clang-format off
    struct Row { const char *typed; Datum dnes; long long dni; }; // dni 0: not overdue
    const Row rows[] = {
        {"04.05.2003", may11, 7}, {"4.5.2003", may11, 7}, {" \t04052003  ", may11, 7},
        {"10.05.2003", may11, 1}, {"11.05.2003", may11, 0}, {"31122100", may11, 0},
        {"01.01.1970", {1, 1, 2000}, 10957}, {"1.1.0001", {31, 12, 9999}, 3652058},
        // not a real day (the months' lengths are tried below), or not typed as a date
        {"00.05.2003", may11, 0}, {"05.13.2003", {1, 1, 2004}, 0}, {"1.1.0000", may11, 0},
        {"Nedefinovane", may11, 0}, {"", may11, 0}, {"04.05.03", may11, 0}, {"040503", may11, 0},
        {"4052003", may11, 0}, {"4.5.2003.", may11, 0}, {"4..2003", may11, 0},
        {"004.5.2003", may11, 0}, {"4.5.02003", may11, 0}, {"4 .5.2003", may11, 0}, {"04.052003", may11, 0},
        // slashes and dashes, day first, one kind throughout; the year first only with dashes
        {"04/05/2003", may11, 7}, {"4-5-2003", may11, 7}, {"2003-05-04", may11, 7}, {"2003-5-4", may11, 7},
        {"04.05/2003", may11, 0}, {"4-5/2003", may11, 0}, {"2003/05/04", may11, 0}, {"2003.5.4", may11, 0},
        {"04/05/03", may11, 0}, {"03-05-04", may11, 0}, {"2003-05-004", may11, 0}, {"-4-5-2003", may11, 0},
    };
    // clang-format on
    for (const Row &r : rows) {
        const std::optional<Omeskanie> late = PoTermine(r.typed, r.dnes);
        EXPECT_EQ(late.has_value(), r.dni > 0) << '"' << r.typed << '"';
        EXPECT_EQ(late ? late->Dni : 0, r.dni) << '"' << r.typed << '"';
    }
    // Every month's last day is a day, the one after it in the same month is not, in a common and
    // a leap year: the C library's calendar is the judge, and the date read is the date typed,
    // in each form in turn.
    const auto day = [](int d, int m, int y) {
        std::tm t{};
        t.tm_mday = d, t.tm_mon = m - 1, t.tm_year = y - 1900, t.tm_hour = 12;
        return timegm(&t) / 86400; // days since 1970, the date normalised
    };
    for (int year : {1900, 2003, 2004, 2000}) {
        for (int month = 1; month <= 12; ++month) {
            const int last = int(day(0, month + 1, year) - day(0, month, year));
            const auto typed = [&](int d) {
                const std::string dd = std::to_string(d), m = std::to_string(month);
                const char separator = ".-/"[month % 3];
                return month % 4 == 3 ? std::to_string(year) + '-' + m + '-' + dd
                                      : dd + separator + m + separator + std::to_string(year);
            };
            ASSERT_FALSE(PoTermine(typed(last + 1), {1, 1, year + 1})) << typed(last + 1);
            const std::optional<Omeskanie> late = PoTermine(typed(last), {1, 1, year + 1});
            ASSERT_TRUE(late) << typed(last);
            EXPECT_EQ(std::tuple(late->Dni, late->Splatnost.Den, late->Splatnost.Mesiac,
                                 late->Splatnost.Rok),
                      std::tuple(day(1, 1, year + 1) - day(last, month, year), last, month, year));
        }
    }
}
