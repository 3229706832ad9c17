#pragma once

#include "core/ZoznamCD.h"

#include <string>

/// Appends a record whose name and borrower are given; the rest keeps its defaults.
inline void addRecord(ZoznamCD &zoznam, const std::string &nazov, const std::string &meno = "Jan")
{
    auto *zaznam = new ZaznamCD;
    zaznam->NazovCD = nazov;
    zaznam->Meno = meno;
    zoznam.PripojZaznam(zaznam);
}

/// The names of the records in list order, joined by commas.
inline std::string names(const ZoznamCD &zoznam)
{
    std::string out;
    const ZaznamCD *zaznam = zoznam.Prvy;
    for (int i = 0; i < zoznam.PocetCd; ++i, zaznam = zaznam->Dalsi)
        out += (i ? "," : "") + zaznam->NazovCD;
    return out;
}
