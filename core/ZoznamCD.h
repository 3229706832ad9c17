#pragma once

#include "core/ZaznamCD.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>
#include <type_traits>
#include <vector>

/// The record list: a singly linked chain from `Prvy` of exactly `PocetCd` records.
/// Outside an operation `Aktualny` is the last record (null when empty), which is what
/// makes an append constant time. Every walk is bounded by `PocetCd`, never by a null `Dalsi`.
///
/// The records of a loaded file, and the bytes their texts lie in, are kept in large blocks
/// of the list's own and freed all at once with it; records appended with `PripojZaznam`
/// are single heap objects.
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

    /// Keeps bytes for as long as the list's records: loaded records point into them.
    void PodrzBajty(std::unique_ptr<char[]> bajty);
    /// Appends a loaded record, made in the list's own storage. Its texts lie one after
    /// another in bytes the list keeps, as a record's block holds them: Pesnicky (ten titles,
    /// each followed by a bar), then each other text followed by a bar. None is "0" or holds
    /// a NUL byte or another bar. Throws std::length_error when they are too large for a record
    /// (`TextBlock::fits`).
    ZaznamCD *PripojNacitany(const std::array<std::string_view, PocetPoli> &texty);

    /// Relinks the records into `poradie`, which holds each record of the list once, and
    /// remembers that order for the walks that follow.
    void Prepoj(std::vector<ZaznamCD *> poradie);

    /// Calls `f` with each record in list order; when `f` returns bool, false ends the walk.
    /// `f` may free the record it is given.
    template <class F> void PreKazdy(F &&f) const;

  private:
    struct alignas(ZaznamCD) Miesto {
        unsigned char bajty[sizeof(ZaznamCD)];
    };
    std::vector<std::unique_ptr<Miesto[]>> miesta_; ///< storage of the loaded records
    std::size_t volne_ = 0;                         ///< unused places in the last block
    std::vector<std::unique_ptr<char[]>> bajty_;    ///< the bytes their texts lie in
    /// The records in the order the last relink left them, or empty. Only a hint: the walks
    /// follow `Dalsi` all the same, so an order changed since by hand costs only time.
    std::vector<ZaznamCD *> poradie_;
};

template <class F> void ZoznamCD::PreKazdy(F &&f) const
{
    // After a sort the records lie scattered, and following Dalsi alone would wait for memory
    // at every step. The remembered order names the records ahead, so they are fetched while
    // the walk is busy with the ones before.
    constexpr std::size_t vopred = 16;
    const std::size_t n = PocetCd > 0 ? std::size_t(PocetCd) : 0;
    const bool poznaPoradie = poradie_.size() == n;
    ZaznamCD *zaznam = Prvy;
    for (std::size_t i = 0; i < n; ++i) {
        if (poznaPoradie && i + vopred < n) {
            const char *dalej = reinterpret_cast<const char *>(poradie_[i + vopred]);
            __builtin_prefetch(dalej);
            __builtin_prefetch(dalej + sizeof(ZaznamCD) - 1);
        }
        // Read before `f`, which may free the record.
        ZaznamCD *dalsi = i + 1 < n ? zaznam->Dalsi : nullptr;
        if constexpr (std::is_same_v<std::invoke_result_t<F &, ZaznamCD &>, bool>) {
            if (!f(*zaznam))
                return;
        } else {
            f(*zaznam);
        }
        zaznam = dalsi;
    }
}

/// The one list of the running program.
extern ZoznamCD Zoznam;
