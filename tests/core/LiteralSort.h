#pragma once

// The insertion sort by positions, written out step by step and slow on purpose: every
// record is found by walking from Prvy and every key is a copy. It is the order the fast
// pass must reproduce, and the yardstick the benchmark measures against.

#include "core/Text.h"
#include "core/Triedenie.h"
#include "core/ZoznamCD.h"

#include <cstdint>
#include <string>

namespace literal {

inline std::string KlucTriedenia(const ZoznamCD &zoznam, std::int32_t mode, std::int32_t pozicia)
{
    const ZaznamCD *zaznam = zoznam.ZaznamNaPozicii(pozicia);
    switch (mode) {
    case 0:
        return zaznam->DatumPozicania;
    case 1:
        return zaznam->DatumVratenia;
    case 2:
        return zaznam->NazovCD;
    case 3:
        return zaznam->AutorCD;
    case 4:
        return zaznam->Priezvisko;
    default:
        return "0";
    }
}

// Moves Presuvany, at position i + 1 with key m, in front of the first record of positions
// 1..i whose key is greater than m.
inline void PresunZaznam(ZoznamCD &zoznam, std::int32_t mode, std::int32_t i, const std::string &m)
{
    const std::string kopia = m;
    zoznam.Aktualny->Dalsi = zoznam.Presuvany->Dalsi;
    ZaznamCD *trailing = nullptr; // the record at position k - 1
    std::int32_t k = 1;
    // Aktualny at position i is greater than m, so the scan ends there at the latest.
    for (; k <= i; ++k) {
        if (JeVacsi(KlucTriedenia(zoznam, mode, k), kopia))
            break;
        trailing = trailing ? trailing->Dalsi : zoznam.Prvy;
    }
    if (k == 1) {
        zoznam.Presuvany->Dalsi = zoznam.Prvy;
        zoznam.Prvy = zoznam.Presuvany;
    } else {
        zoznam.Presuvany->Dalsi = trailing->Dalsi;
        trailing->Dalsi = zoznam.Presuvany;
    }
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
        const std::string left = KlucTriedenia(zoznam, mode, i);
        const std::string right = KlucTriedenia(zoznam, mode, i + 1);
        if (JeVacsi(left, right))
            PresunZaznam(zoznam, mode, i, right);
        zoznam.Aktualny = zoznam.ZaznamNaPozicii(i + 1);
    }
    if (progress)
        progress->setPosition(0);
}

} // namespace literal
