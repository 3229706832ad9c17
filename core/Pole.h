#pragma once

#include <cstdint>
#include <iterator>
#include <optional>
#include <string_view>

/// The eight texts of a record, in the order the database file stores them: Pesnicky carries
/// its own bars (a bar after each title), every later text is followed by one.
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

/// What the program says of a field besides its place in the file.
struct FieldInfo {
    Pole pole;
    /// The label of its box in the entry dialog, by which the loss warning names it; the
    /// warning adds the title's number to "Pesnicky" when one title is at fault.
    std::string_view label;
    /// The text of a new record.
    std::string_view defaultText;
};

/// Every field, in file order. The rest of the program follows this table: a record's block,
/// the file's items, the entry dialog's boxes and the loss bits fail to compile when they
/// no longer fit it.
inline constexpr FieldInfo kFields[] = {
    {Pole::Pesnicky, "Pesnicky",
     "Song01|Song02|Song03|Song04|Song05|Song06|Song07|Song08|Song09|Song10|"},
    {Pole::NazovCD, "Nazov CD", "Name CD "},
    {Pole::AutorCD, "Autor CD", "Autor CD"},
    {Pole::TypCD, "Typ CD", "Typ CD "},
    {Pole::DatumPozicania, "Pozicane OD", "01012003"},
    {Pole::Meno, "Meno", "Nedefinovane"},
    {Pole::Priezvisko, "Priezvisko", "Nedefinovane"},
    {Pole::DatumVratenia, "Pozicane DO", "31122100"},
};
inline constexpr int PocetPoli = int(std::size(kFields));

/// The song titles that Pesnicky holds.
inline constexpr int kSongTitles = 10;
/// The items of one record in the file, each ended by a bar: the titles, then the later fields.
inline constexpr int kItemsPerRecord = kSongTitles + PocetPoli - 1;

// Each row in its field's place, and defaults that the file brings back as they are.
static_assert([] {
    for (int f = 0; f < PocetPoli; ++f) {
        const std::string_view text = kFields[f].defaultText;
        int bars = 0;
        for (char c : text)
            bars += c == '|';
        if (kFields[f].pole != Pole(f) || text == "0" ||
            (f == 0 ? bars != kSongTitles || text.back() != '|' : bars != 0))
            return false;
    }
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

/// The field a sort setting sorts by; none for a number outside the table (`KlucTriedenia`
/// says what a sort by it does).
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

/// The number of the setting of `table` that means `pole`; -1, which no dialog stores, when
/// none does.
template <std::size_t N> constexpr std::int32_t settingOf(const Pole (&table)[N], Pole pole)
{
    for (std::size_t i = 0; i < N; ++i)
        if (table[i] == pole)
            return std::int32_t(i);
    return -1;
}

/// The sort mode that sorts by `pole`.
constexpr std::int32_t sortModeOf(Pole pole)
{
    return settingOf(kSortFields, pole);
}

/// The search setting that searches `pole`.
constexpr std::int32_t searchSettingOf(Pole pole)
{
    return settingOf(kSearchFields, pole);
}
