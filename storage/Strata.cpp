#include "storage/Databaza.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace {

using Kind = StrataPriUlozeni::Kind;

bool isDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}

/// What a save and a load would do to the song text, if anything, and to which title.
std::optional<Kind> songsLoss(std::string_view songs, bool first, std::int32_t &title)
{
    if (songs.find('\0') != std::string_view::npos)
        return Kind::NulInText;
    // The load rebuilds exactly ten titles, each followed by a bar.
    if (std::count(songs.begin(), songs.end(), '|') != 10 || songs.back() != '|')
        return Kind::BarInText;
    // The count is written right before the first title and would take its digits.
    title = 1;
    if (first && isDigit(songs.front()))
        return Kind::LeadingDigit;
    std::size_t from = 0;
    for (std::size_t bar = songs.find('|'); bar != std::string_view::npos;
         from = bar + 1, bar = songs.find('|', from), ++title) {
        if (songs.substr(from, bar - from) == "0")
            return Kind::TextIsZero;
    }
    title = 0;
    return std::nullopt;
}

std::optional<Kind> fieldLoss(std::string_view text)
{
    if (text.find('\0') != std::string_view::npos)
        return Kind::NulInText;
    if (text.find('|') != std::string_view::npos)
        return Kind::BarInText;
    if (text == "0")
        return Kind::TextIsZero;
    return std::nullopt;
}

} // namespace

std::optional<StrataPriUlozeni> NajdiStratu(const ZoznamCD &zoznam)
{
    const ZaznamCD *zaznam = zoznam.Prvy;
    for (std::int32_t i = 1; i <= zoznam.PocetCd; ++i) {
        std::int32_t title = 0;
        if (auto kind = songsLoss(zaznam->Pesnicky(), i == 1, title))
            return StrataPriUlozeni{i, "Pesnicky", *kind, title};
        static const char *const names[PocetPoli] = {"Pesnicky",   "NazovCD",        "AutorCD",
                                                     "TypCD",      "DatumPozicania", "Meno",
                                                     "Priezvisko", "DatumVratenia"};
        for (int f = 1; f < PocetPoli; ++f) {
            if (auto kind = fieldLoss(zaznam->text(static_cast<Pole>(f))))
                return StrataPriUlozeni{i, names[f], *kind};
        }
        if (i < zoznam.PocetCd)
            zaznam = zaznam->Dalsi;
    }
    return std::nullopt;
}
