#include "storage/Databaza.h"

#include <string_view>

std::optional<StrataPriUlozeni> NajdiStratu(const ZoznamCD &zoznam)
{
    static const char *const names[PocetPoli] = {"Pesnicky",   "NazovCD",        "AutorCD",
                                                 "TypCD",      "DatumPozicania", "Meno",
                                                 "Priezvisko", "DatumVratenia"};
    // Each record knows its first loss since its texts were set; only the first record's
    // first title is looked at here, since the count is written right before it and would
    // take its digits. That outranks a title "0" and any later field, not a wrong count of
    // bars or a NUL byte.
    std::optional<StrataPriUlozeni> found;
    std::int32_t i = 0;
    zoznam.PreKazdy([&](const ZaznamCD &zaznam) {
        std::optional<StrataTextu> strata = zaznam.strata();
        if (++i == 1 &&
            (!strata || strata->pole != Pole::Pesnicky || strata->druh == DruhStraty::TextIsZero)) {
            const std::string_view songs = zaznam.Pesnicky();
            if (!songs.empty() && songs.front() >= '0' && songs.front() <= '9')
                strata = StrataTextu{Pole::Pesnicky, DruhStraty::LeadingDigit};
        }
        if (strata)
            found = StrataPriUlozeni{i, names[int(strata->pole)], strata->druh};
        return !found;
    });
    return found;
}
