#pragma once

#include <cstdint>
#include <iterator>
#include <optional>
#include <string_view>

/// The eight texts of a record, in the order the database file stores them: Pesnicky carries
/// its own bars (ten titles, each followed by one), every later text is followed by one.
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

/// What the program says of a field besides its place in the file.
struct FieldInfo {
    Pole pole;
    /// The label of its box in the entry dialog, by which the loss warning names it; the
    /// warning adds the title's number to "Pesnicky" when one title is at fault.
    std::string_view label;
};

/// Every field, in file order.
inline constexpr FieldInfo kFields[PocetPoli] = {
    {Pole::Pesnicky, "Pesnicky"},          {Pole::NazovCD, "Nazov CD"},
    {Pole::AutorCD, "Autor CD"},           {Pole::TypCD, "Typ CD"},
    {Pole::DatumPozicania, "Pozicane OD"}, {Pole::Meno, "Meno"},
    {Pole::Priezvisko, "Priezvisko"},      {Pole::DatumVratenia, "Pozicane DO"},
};
static_assert([] {
    for (int f = 0; f < PocetPoli; ++f)
        if (kFields[f].pole != Pole(f))
            return false;
    return true;
}());

/// What the field `pole` says of itself.
constexpr const FieldInfo &fieldInfo(Pole pole)
{
    return kFields[static_cast<int>(pole)];
}

/// The key of each sort setting (`TypTriedenia`), in the order of the options of "Nastavenie
/// triedenia". The option "Nazov Albumu" (3) sorts by AutorCD.
inline constexpr Pole kSortFields[] = {Pole::DatumPozicania, Pole::DatumVratenia, Pole::NazovCD,
                                       Pole::AutorCD, Pole::Priezvisko};

/// The field a sort setting sorts by; none for a setting outside the table, which sorts every
/// record by the key "0" and so moves nothing.
constexpr std::optional<Pole> sortField(std::int32_t mode)
{
    if (mode < 0 || mode >= std::int32_t(std::size(kSortFields)))
        return std::nullopt;
    return kSortFields[mode];
}

/// The field of each search setting (`TypVyhladavania`), in the order of the options of
/// "Nastavenie vyhladavania".
inline constexpr Pole kSearchFields[] = {Pole::DatumPozicania, Pole::AutorCD, Pole::NazovCD,
                                         Pole::Priezvisko, Pole::TypCD};

/// The setting a search works with: a setting outside the table searches as 0 does.
constexpr std::int32_t searchSetting(std::int32_t setting)
{
    return setting >= 0 && setting < std::int32_t(std::size(kSearchFields)) ? setting : 0;
}

/// The field a search setting searches.
constexpr Pole searchField(std::int32_t setting)
{
    return kSearchFields[searchSetting(setting)];
}
