#pragma once

#include "core/FileLoss.h"
#include "core/Pole.h"
#include "core/TextBlock.h"

#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

/// One CD and its loan. Texts are bytes in the database file's code page (Windows-1250).
/// A record never owns the records after it: deleting it leaves `Dalsi` alone.
/// A getter's view stays valid until that record is changed or freed.
///
/// The eight texts lie in one `TextBlock`, laid out as the database file holds the record. A new
/// record shares the constant defaults until its first change, which gives it a block of its
/// own; a record loaded from a file points into the bytes its list read and keeps.
class ZaznamCD {
  public:
    /// A new record holds the default texts.
    ZaznamCD() noexcept;
    ZaznamCD(const ZaznamCD &other);
    ZaznamCD &operator=(const ZaznamCD &other);

    std::string_view text(Pole pole) const noexcept { return texty_.text(pole); }
    /// Throws std::length_error when the texts would be too large for a record (`TextBlock::fits`).
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
    std::string_view ulozenie() const noexcept { return texty_.bytes(); }

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

    /// Where the record object itself lives, which decides how its list frees it.
    enum class Placement : std::uint8_t {
        Separate,    ///< an object of its own: a list that holds it deletes it (made with new)
        ListStorage, ///< made in its list's storage: ended alone, the storage goes with the list
    };

    /// A loaded record, made in its list's storage: `texty` lie one after another in bytes
    /// that the list keeps, laid out as in a block.
    explicit ZaznamCD(const std::array<std::string_view, PocetPoli> &texty);
    std::optional<StrataTextu> prvaStrata() const noexcept;

    // A million records are in memory at once. The attribute lets the two bytes after the
    // block lie in its tail padding, as loose members would, so that a record stays at 56 bytes.
    [[no_unique_address]] TextBlock texty_;
    Placement placement_ = Placement::Separate;
    std::uint8_t straty_ = 0; ///< a bit for each text that has a loss
    static_assert(PocetPoli <= std::numeric_limits<decltype(straty_)>::digits,
                  "a loss bit for each field");
};
