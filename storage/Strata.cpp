#include "storage/Databaza.h"

#include <string_view>

namespace {

// The first record's loss: the count is written right before its first title and would take
// the title's digits. That outranks a title "0" and any later field, not a wrong count of bars
// or a NUL byte.
std::optional<StrataTextu> firstRecordLoss(const ZaznamCD &zaznam)
{
    const std::optional<StrataTextu> strata = zaznam.strata();
    const std::string_view songs = zaznam.Pesnicky();
    if ((!strata || strata->pole != Pole::Pesnicky || strata->druh == DruhStraty::TextIsZero) &&
        !songs.empty() && songs.front() >= '0' && songs.front() <= '9')
        return StrataTextu{Pole::Pesnicky, DruhStraty::LeadingDigit};
    return strata;
}

// The 1-based title of the song text that the loss is in, when it is in one title: the first
// for a leading digit, the one that is exactly "0" for the end marker.
std::int32_t titleAtFault(std::string_view songs, DruhStraty druh)
{
    if (druh == DruhStraty::LeadingDigit)
        return 1;
    if (druh != DruhStraty::TextIsZero)
        return 0;
    std::int32_t title = 1;
    for (std::size_t from = 0, bar; (bar = songs.find('|', from)) != std::string_view::npos;
         from = bar + 1, ++title) {
        if (songs.substr(from, bar - from) == "0")
            return title;
    }
    return 0;
}

} // namespace

std::optional<StrataPriUlozeni> NajdiStratu(const ZoznamCD &zoznam)
{
    std::optional<StrataPriUlozeni> found;
    std::int32_t i = 0;
    const auto check = [&](const ZaznamCD &zaznam) {
        const std::optional<StrataTextu> strata =
            ++i == 1 ? firstRecordLoss(zaznam) : zaznam.strata();
        if (strata)
            found = StrataPriUlozeni{
                i, strata->pole, strata->druh,
                strata->pole == Pole::Pesnicky ? titleAtFault(zaznam.Pesnicky(), strata->druh) : 0};
        return !found;
    };
    // Each record has known its own loss since its texts were set. While no record in memory
    // has one, only the first record's first title is left to look at.
    if (ZaznamCD::niektoryMaStratu())
        zoznam.PreKazdy(check);
    else if (zoznam.PocetCd > 0)
        check(*zoznam.Prvy);
    return found;
}
