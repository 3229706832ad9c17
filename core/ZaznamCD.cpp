#include "core/ZaznamCD.h"

#include <cassert>

// A record is 56 bytes on a 64-bit system, as it was while its block was a pointer and two
// flags: a million of them are in memory at once, and every walk reads them.
static_assert(sizeof(void *) != 8 || sizeof(ZaznamCD) <= 56);

ZaznamCD::ZaznamCD() noexcept = default;

ZaznamCD::ZaznamCD(const std::array<std::string_view, PocetPoli> &texty)
    : texty_(texty), placement_(Placement::ListStorage)
{
    // The reader gives only texts that come back as they are.
    for (int f = 0; f < PocetPoli; ++f)
        assert(!textLoss(Pole(f), texty[f]));
}

// A copy is a separate object wherever the original lives.
ZaznamCD::ZaznamCD(const ZaznamCD &other)
    : Dalsi(other.Dalsi), texty_(other.texty_), straty_(other.straty_)
{
}

ZaznamCD &ZaznamCD::operator=(const ZaznamCD &other)
{
    // The placement stays: it is where this object lives.
    texty_ = other.texty_;
    straty_ = other.straty_;
    Dalsi = other.Dalsi;
    return *this;
}

void ZaznamCD::setText(Pole pole, std::string_view text)
{
    // Looked at before the change, which may free the bytes `text` lies in.
    const bool strata = textLoss(pole, text).has_value();
    texty_.setText(pole, text);
    const unsigned bit = 1u << static_cast<int>(pole);
    straty_ = std::uint8_t(strata ? straty_ | bit : straty_ & ~bit);
}

std::optional<StrataTextu> ZaznamCD::prvaStrata() const noexcept
{
    for (int f = 0; f < PocetPoli; ++f) {
        if (straty_ >> f & 1u)
            return textLoss(Pole(f), text(Pole(f)));
    }
    return std::nullopt;
}
