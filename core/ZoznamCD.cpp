#include "core/ZoznamCD.h"

#include <utility>

ZoznamCD Zoznam;

ZoznamCD::~ZoznamCD()
{
    VymazVsetky();
}

ZoznamCD::ZoznamCD(ZoznamCD &&other) noexcept
    : Prvy(std::exchange(other.Prvy, nullptr)), Aktualny(std::exchange(other.Aktualny, nullptr)),
      Presuvany(std::exchange(other.Presuvany, nullptr)), PocetCd(std::exchange(other.PocetCd, 0))
{
}

ZoznamCD &ZoznamCD::operator=(ZoznamCD &&other) noexcept
{
    if (this != &other) {
        VymazVsetky();
        Prvy = std::exchange(other.Prvy, nullptr);
        Aktualny = std::exchange(other.Aktualny, nullptr);
        Presuvany = std::exchange(other.Presuvany, nullptr);
        PocetCd = std::exchange(other.PocetCd, 0);
    }
    return *this;
}

ZaznamCD *ZoznamCD::ZaznamNaPozicii(std::int32_t pozicia) const
{
    ZaznamCD *zaznam = Prvy;
    for (std::int32_t i = 1; i < pozicia; ++i)
        zaznam = zaznam->Dalsi;
    return zaznam;
}

void ZoznamCD::PripojZaznam(ZaznamCD *zaznam)
{
    // Aktualny is the last record between operations, so this is the record
    // a walk of PocetCd - 1 steps from Prvy would reach.
    if (PocetCd > 0)
        Aktualny->Dalsi = zaznam;
    ++PocetCd;
    Aktualny = zaznam;
    if (PocetCd == 1)
        Prvy = zaznam;
}

void ZoznamCD::VymazVsetky()
{
    // A loop bounded by the count, never recursion: ten million records must not
    // exhaust the stack, and the last record's Dalsi is not relied on.
    ZaznamCD *zaznam = Prvy;
    for (std::int32_t i = 0; i < PocetCd; ++i) {
        ZaznamCD *dalsi = zaznam->Dalsi;
        delete zaznam;
        zaznam = dalsi;
    }
    PocetCd = 0;
    Prvy = nullptr;
    Aktualny = nullptr;
    Presuvany = nullptr;
}
