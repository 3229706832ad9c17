#pragma once

// The insertion sort by positions, written out step by step and slow on purpose: every
// record is found by walking from Prvy and every key is a copy. This is what the sort pass
// replaces; the benchmark shows how far apart the two are.

#include "core/Text.h"
#include "core/Triedenie.h"
#include "core/ZoznamCD.h"

#include <cstdint>
#include <string>

namespace literal {

inline std::string KlucTriedenia(const ZoznamCD &zoznam, std::int32_t mode, std::int32_t pozicia)
{
    const ZaznamCD *z = zoznam.ZaznamNaPozicii(pozicia);
    const std::string_view keys[] = {z->DatumPozicania(), z->DatumVratenia(), z->NazovCD(),
                                     z->AutorCD(), z->Priezvisko()};
    return std::string(mode >= 0 && mode <= 4 ? keys[mode] : "0");
}

// Moves Presuvany, at position i + 1 with key m, in front of the first record of positions
// 1..i whose key is greater than m. Aktualny at position i is greater, so the scan ends there.
inline void PresunZaznam(ZoznamCD &zoznam, std::int32_t mode, std::int32_t i, const std::string &m)
{
    zoznam.Aktualny->Dalsi = zoznam.Presuvany->Dalsi;
    ZaznamCD *trailing = nullptr; // the record at position k - 1
    std::int32_t k = 1;
    for (; k <= i && !JeVacsi(KlucTriedenia(zoznam, mode, k), m); ++k)
        trailing = trailing ? trailing->Dalsi : zoznam.Prvy;
    ZaznamCD *&link = k == 1 ? zoznam.Prvy : trailing->Dalsi;
    zoznam.Presuvany->Dalsi = link;
    link = zoznam.Presuvany;
}

inline void Triedenie(ZoznamCD &zoznam, std::int32_t mode, PriebehTriedenia *progress)
{
    const std::int32_t n = zoznam.PocetCd;
    zoznam.Aktualny = zoznam.Prvy;
    for (std::int32_t i = 1; i < n; ++i) {
        if (progress) {
            progress->setPosition(i + 1);
            progress->setMaximum(n);
        }
        zoznam.Presuvany = zoznam.Aktualny->Dalsi;
        const std::string right = KlucTriedenia(zoznam, mode, i + 1);
        if (JeVacsi(KlucTriedenia(zoznam, mode, i), right))
            PresunZaznam(zoznam, mode, i, right);
        zoznam.Aktualny = zoznam.ZaznamNaPozicii(i + 1);
    }
    if (progress)
        progress->setPosition(0);
}

} // namespace literal
