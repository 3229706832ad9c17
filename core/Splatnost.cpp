#include "core/Splatnost.h"

#include <tuple>

namespace {

std::string_view trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool isRealDay(const Datum &d)
{
    if (d.Den < 1 || d.Mesiac < 1 || d.Mesiac > 12 || d.Rok < 1)
        return false;
    constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (d.Rok % 4 == 0 && d.Rok % 100 != 0) || d.Rok % 400 == 0;
    return d.Den <= (d.Mesiac == 2 && leap ? 29 : days[d.Mesiac - 1]);
}

// The day, month and year as typed, whether or not they name a real day; nothing when the
// text is not written as a date. One pass, as it runs for every record when a search window
// opens: up to three runs of digits split by one separator, the same throughout.
std::optional<Datum> readTyped(std::string_view text)
{
    int value[3] = {};
    std::size_t length[3] = {};
    std::size_t part = 0;
    int number = 0; // the run being read, kept out of the arrays until it ends
    std::size_t digits = 0;
    char separator = 0; // none until the first
    for (char c : text) {
        if ((c == '.' || c == '-' || c == '/') && part < 2 && (!separator || c == separator)) {
            separator = c;
            value[part] = number;
            length[part++] = digits;
            number = 0;
            digits = 0;
        } else if (c < '0' || c > '9' || digits == 8) {
            return {};
        } else {
            number = number * 10 + (c - '0');
            ++digits;
        }
    }
    value[part] = number;
    length[part] = digits;
    if (part == 0) {
        // A new record holds its date as eight digits; fewer could be split more than one way.
        if (length[0] != 8)
            return {};
        return Datum{value[0] / 1000000, value[0] / 10000 % 100, value[0] % 10000};
    }
    if (part != 2)
        return {};
    const auto dayOrMonth = [&](std::size_t i) { return length[i] == 1 || length[i] == 2; };
    // Day first with any separator, as the dotted form is; year first only with dashes, as
    // ISO 8601 writes it. A year of two digits would have to be guessed.
    if (dayOrMonth(0) && dayOrMonth(1) && length[2] == 4)
        return Datum{value[0], value[1], value[2]};
    if (separator == '-' && length[0] == 4 && dayOrMonth(1) && dayOrMonth(2))
        return Datum{value[2], value[1], value[0]};
    return {};
}

// Days since 1 March of year 0 of the Gregorian calendar, counted in 400-year cycles.
std::int64_t dayNumber(const Datum &d)
{
    const std::int64_t y = std::int64_t(d.Rok) - (d.Mesiac <= 2);
    const std::int64_t cycle = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yearOfCycle = y - cycle * 400;
    const std::int64_t dayOfYear = (153 * ((d.Mesiac + 9) % 12) + 2) / 5 + d.Den - 1;
    return cycle * 146097 + yearOfCycle * 365 + yearOfCycle / 4 - yearOfCycle / 100 + dayOfYear;
}

} // namespace

std::optional<Omeskanie> PoTermine(std::string_view datumVratenia, const Datum &dnes)
{
    const std::optional<Datum> typed = readTyped(trimmed(datumVratenia));
    if (!typed)
        return {};
    const Datum &d = *typed;
    // Most loans are in time, which is settled before the calendar is consulted.
    if (std::tie(d.Rok, d.Mesiac, d.Den) >= std::tie(dnes.Rok, dnes.Mesiac, dnes.Den) ||
        !isRealDay(d))
        return {};
    return Omeskanie{d, dayNumber(dnes) - dayNumber(d)};
}
