#include "core/FileLoss.h"

std::optional<StrataTextu> textLoss(Pole pole, std::string_view text) noexcept
{
    constexpr auto none = std::string_view::npos;
    if (text.find('\0') != none)
        return StrataTextu{pole, DruhStraty::NulInText};
    if (pole != Pole::Pesnicky) {
        if (text.find('|') != none)
            return StrataTextu{pole, DruhStraty::BarInText};
        if (text == "0")
            return StrataTextu{pole, DruhStraty::TextIsZero};
        return std::nullopt;
    }
    // The load rebuilds exactly `kSongTitles` titles, each followed by a bar. One walk over the
    // titles counts them and notes the first that is exactly "0".
    std::int32_t titles = 0, zero = 0;
    std::size_t from = 0;
    for (std::size_t bar; (bar = text.find('|', from)) != none; from = bar + 1) {
        ++titles;
        if (zero == 0 && text.substr(from, bar - from) == "0")
            zero = titles;
    }
    if (titles != kSongTitles || from != text.size())
        return StrataTextu{pole, DruhStraty::BarInText};
    if (zero != 0)
        return StrataTextu{pole, DruhStraty::TextIsZero, zero};
    return std::nullopt;
}

std::optional<StrataTextu> firstRecordLoss(const std::optional<StrataTextu> &own,
                                           std::string_view songs) noexcept
{
    const bool outranked =
        own && own->pole == Pole::Pesnicky && own->druh != DruhStraty::TextIsZero;
    if (!outranked && !songs.empty() && songs.front() >= '0' && songs.front() <= '9')
        return StrataTextu{Pole::Pesnicky, DruhStraty::LeadingDigit, 1};
    return own;
}
