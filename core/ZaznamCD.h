#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

/// The eight texts of a record, in the order the database file stores them.
enum class Pole : std::uint8_t {
    Pesnicky,
    NazovCD,
    AutorCD,
    TypCD,
    DatumPozicania,
    Meno,
    Priezvisko,
    DatumVratenia,
};
inline constexpr int PocetPoli = 8;

/// One CD and its loan. Texts are bytes in the database file's code page (Windows-1250).
/// A record never owns the records after it: deleting it leaves `Dalsi` alone.
/// A getter's view stays valid until that record is changed or freed.
class ZaznamCD {
  public:
    /// A new record holds the default texts.
    ZaznamCD();

    std::string_view text(Pole pole) const { return texts_[static_cast<int>(pole)]; }
    void setText(Pole pole, std::string_view text) { texts_[static_cast<int>(pole)] = text; }

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

    ZaznamCD *Dalsi = nullptr;

  private:
    std::array<std::string, PocetPoli> texts_;
};
