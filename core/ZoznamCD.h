#pragma once

#include "core/ZaznamCD.h"

#include <cstdint>

/// The record list: a singly linked chain from `Prvy` of exactly `PocetCd` records.
/// Outside an operation `Aktualny` is the last record (null when empty), which is what
/// makes an append constant time. Every walk is bounded by `PocetCd`, never by a null `Dalsi`.
class ZoznamCD {
public:
    ZaznamCD *Prvy = nullptr;
    ZaznamCD *Aktualny = nullptr;
    ZaznamCD *Presuvany = nullptr;
    std::int32_t PocetCd = 0;

    ZoznamCD() = default;
    ~ZoznamCD();
    ZoznamCD(const ZoznamCD &) = delete;
    ZoznamCD &operator=(const ZoznamCD &) = delete;
    /// Takes over the other list's records; the other list is left empty.
    ZoznamCD(ZoznamCD &&other) noexcept;
    /// Frees this list's records, then takes over the other's.
    ZoznamCD &operator=(ZoznamCD &&other) noexcept;

    /// The record at a 1-based position; a position of 1 or less gives `Prvy`.
    ZaznamCD *ZaznamNaPozicii(std::int32_t pozicia) const;
    /// Appends a record created with `new`; the list owns it from now on.
    void PripojZaznam(ZaznamCD *zaznam);
    /// Deletes every record; the list is empty afterwards.
    void VymazVsetky();
};

/// The one list of the running program.
extern ZoznamCD Zoznam;
