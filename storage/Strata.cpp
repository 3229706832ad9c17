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

} // namespace

std::optional<StrataPriUlozeni> NajdiStratu(const ZoznamCD &zoznam)
{
    static const char *const names[PocetPoli] = {"Pesnicky",   "NazovCD",        "AutorCD",
                                                 "TypCD",      "DatumPozicania", "Meno",
                                                 "Priezvisko", "DatumVratenia"};
    std::optional<StrataPriUlozeni> found;
    std::int32_t i = 0;
    const auto check = [&](const ZaznamCD &zaznam) {
        const std::optional<StrataTextu> strata =
            ++i == 1 ? firstRecordLoss(zaznam) : zaznam.strata();
        if (strata)
            found = StrataPriUlozeni{i, names[int(strata->pole)], strata->druh};
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
