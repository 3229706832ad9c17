#pragma once

#include "core/FileLoss.h"
#include "core/Pole.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

/// One CD and its loan. Texts are bytes in the database file's code page (Windows-1250).
/// A record never owns the records after it: deleting it leaves `Dalsi` alone.
/// A getter's view stays valid until that record is changed or freed.
///
/// The eight texts lie one after another in one block, laid out as the database file holds
/// the record: Pesnicky with its own bars, then each other text followed by a bar. A record
/// made with `new` owns its block (until its first change it shares the constant defaults);
/// a record loaded from a file points into the bytes its list read and keeps.
class ZaznamCD {
  public:
    /// A new record holds the default texts.
    ZaznamCD() noexcept;
    ZaznamCD(const ZaznamCD &other);
    ZaznamCD &operator=(const ZaznamCD &other);
    ~ZaznamCD();

    std::string_view text(Pole pole) const noexcept
    {
        const int f = static_cast<int>(pole);
        // Pesnicky carries its bars itself; every later text comes after its predecessor's bar.
        const std::uint32_t zaciatok = f == 0 ? 0 : konce_[f - 1] + (f > 1);
        return {bajty_ + zaciatok, konce_[f] - zaciatok};
    }
    /// Throws std::length_error when the eight texts together would reach 4 GiB.
    void setText(Pole pole, std::string_view text);

    /// The ten song titles, each followed by one bar.
    std::string_view Pesnicky() const { return text(Pole::Pesnicky); }
    std::string_view NazovCD() const { return text(Pole::NazovCD); }
    std::string_view AutorCD() const { return text(Pole::AutorCD); }
    std::string_view TypCD() const { return text(Pole::TypCD); }
    std::string_view DatumPozicania() const { return text(Pole::DatumPozicania); }
    std::string_view Meno() const { return text(Pole::Meno); }
    std::string_view Priezvisko() const { return text(Pole::Priezvisko); }
    std::string_view DatumVratenia() const { return text(Pole::DatumVratenia); }

    void setPesnicky(std::string_view t) { setText(Pole::Pesnicky, t); }
    void setNazovCD(std::string_view t) { setText(Pole::NazovCD, t); }
    void setAutorCD(std::string_view t) { setText(Pole::AutorCD, t); }
    void setTypCD(std::string_view t) { setText(Pole::TypCD, t); }
    void setDatumPozicania(std::string_view t) { setText(Pole::DatumPozicania, t); }
    void setMeno(std::string_view t) { setText(Pole::Meno, t); }
    void setPriezvisko(std::string_view t) { setText(Pole::Priezvisko, t); }
    void setDatumVratenia(std::string_view t) { setText(Pole::DatumVratenia, t); }

    /// The record's bytes in the database file: its texts with their bars, in one piece.
    std::string_view ulozenie() const noexcept
    {
        return {bajty_, std::size_t(konce_[PocetPoli - 1]) + 1};
    }

    /// The first text, in file order, that the database file cannot bring back as it is
    /// (`textLoss`). Which texts have a loss is known since they were set, so a record without
    /// one answers at once.
    std::optional<StrataTextu> strata() const noexcept
    {
        return straty_ == 0 ? std::nullopt : prvaStrata();
    }

    ZaznamCD *Dalsi = nullptr;

  private:
    friend class ZoznamCD;
    /// A loaded record: `texty` lie one after another in bytes that the list keeps, laid out
    /// as in a block of its own.
    explicit ZaznamCD(const std::array<std::string_view, PocetPoli> &texty);
    std::optional<StrataTextu> prvaStrata() const noexcept;

    const char *bajty_;
    std::uint32_t konce_[PocetPoli]; ///< where each text ends, counted from bajty_
    bool vlastny_ = false;           ///< bajty_ is this record's own block
    bool vZozname_ = false;          ///< made in its list's storage, not with new
    std::uint16_t straty_ = 0;       ///< a bit for each text that has a loss
};
