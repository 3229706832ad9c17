#include "core/ZaznamCD.h"

#include <algorithm>
#include <atomic>
#include <cassert>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <utility>

namespace {

constexpr std::string_view kPredvolene[PocetPoli] = {
    "Song01|Song02|Song03|Song04|Song05|Song06|Song07|Song08|Song09|Song10|",
    "Name CD ",
    "Autor CD",
    "Typ CD ",
    "01012003",
    "Nedefinovane",
    "Nedefinovane",
    "31122100"};
// The same texts as one block, shared by every record until it is first changed.
constexpr std::string_view kPredvolenyBlok =
    "Song01|Song02|Song03|Song04|Song05|Song06|Song07|Song08|Song09|Song10|Name CD |Autor CD|"
    "Typ CD |01012003|Nedefinovane|Nedefinovane|31122100|";

constexpr std::array<std::uint32_t, PocetPoli> kPredvoleneKonce = [] {
    std::array<std::uint32_t, PocetPoli> konce{};
    std::size_t koniec = 0;
    for (int f = 0; f < PocetPoli; ++f) {
        koniec += (f > 1) + kPredvolene[f].size();
        konce[f] = std::uint32_t(koniec);
    }
    return konce;
}();
static_assert(kPredvoleneKonce[PocetPoli - 1] + 1 == kPredvolenyBlok.size());

std::uint8_t kod(Pole pole, DruhStraty druh)
{
    return std::uint8_t(1 + int(pole) * 4 + int(druh));
}

// The format's rules for one record: what the reader would stop at or split.
std::uint8_t najdiStratu(const ZaznamCD &z)
{
    const std::string_view piesne = z.Pesnicky();
    if (piesne.find('\0') != std::string_view::npos)
        return kod(Pole::Pesnicky, DruhStraty::NulInText);
    // The load rebuilds exactly ten titles, each followed by a bar.
    if (std::count(piesne.begin(), piesne.end(), '|') != 10 || piesne.back() != '|')
        return kod(Pole::Pesnicky, DruhStraty::BarInText);
    std::size_t od = 0;
    for (std::size_t bar = piesne.find('|'); bar != std::string_view::npos;
         od = bar + 1, bar = piesne.find('|', od)) {
        if (piesne.substr(od, bar - od) == "0")
            return kod(Pole::Pesnicky, DruhStraty::TextIsZero);
    }
    for (int f = 1; f < PocetPoli; ++f) {
        const std::string_view text = z.text(static_cast<Pole>(f));
        if (text.find('\0') != std::string_view::npos)
            return kod(static_cast<Pole>(f), DruhStraty::NulInText);
        if (text.find('|') != std::string_view::npos)
            return kod(static_cast<Pole>(f), DruhStraty::BarInText);
        if (text == "0")
            return kod(static_cast<Pole>(f), DruhStraty::TextIsZero);
    }
    return 0;
}

// How many records in memory have a loss. A save asks before writing whether any record of
// the list has one; while none anywhere has, it need not look at each record.
std::atomic<std::size_t> sLossou{0};

} // namespace

bool ZaznamCD::niektoryMaStratu() noexcept
{
    return sLossou.load(std::memory_order_relaxed) != 0;
}

void ZaznamCD::nastavStratu(std::uint8_t strata) noexcept
{
    if (strata != 0 && strata_ == 0)
        sLossou.fetch_add(1, std::memory_order_relaxed);
    else if (strata == 0 && strata_ != 0)
        sLossou.fetch_sub(1, std::memory_order_relaxed);
    strata_ = strata;
}

ZaznamCD::ZaznamCD() noexcept : bajty_(kPredvolenyBlok.data())
{
    std::copy(kPredvoleneKonce.begin(), kPredvoleneKonce.end(), konce_);
}

ZaznamCD::ZaznamCD(const std::array<std::string_view, PocetPoli> &texty)
    : bajty_(texty[0].data()), vZozname_(true)
{
    for (int f = 0; f < PocetPoli; ++f) {
        const auto koniec = std::size_t(texty[f].data() + texty[f].size() - bajty_);
        if (koniec >= std::numeric_limits<std::uint32_t>::max())
            throw std::length_error("a record holds at most 4 GiB of text");
        konce_[f] = std::uint32_t(koniec);
    }
    // The reader gives only texts that come back as they are.
    assert(najdiStratu(*this) == 0);
}

ZaznamCD::ZaznamCD(const ZaznamCD &other) : Dalsi(other.Dalsi), bajty_(other.bajty_)
{
    std::copy(other.konce_, other.konce_ + PocetPoli, konce_);
    if (bajty_ != kPredvolenyBlok.data()) {
        const std::size_t velkost = std::size_t(konce_[PocetPoli - 1]) + 1;
        char *blok = new char[velkost];
        std::memcpy(blok, other.bajty_, velkost);
        bajty_ = blok;
        vlastny_ = true;
    }
    nastavStratu(other.strata_);
}

ZaznamCD &ZaznamCD::operator=(const ZaznamCD &other)
{
    if (this != &other) {
        ZaznamCD kopia(other);
        if (vlastny_)
            delete[] bajty_;
        bajty_ = kopia.bajty_;
        vlastny_ = std::exchange(kopia.vlastny_, false);
        std::copy(other.konce_, other.konce_ + PocetPoli, konce_);
        nastavStratu(other.strata_);
        Dalsi = other.Dalsi;
    }
    return *this;
}

ZaznamCD::~ZaznamCD()
{
    nastavStratu(0);
    if (vlastny_)
        delete[] bajty_;
}

void ZaznamCD::setText(Pole pole, std::string_view text)
{
    const std::string_view stary = this->text(pole);
    const auto zaciatok = std::size_t(stary.data() - bajty_);
    const std::size_t koniec = zaciatok + stary.size();
    const std::size_t velkost = std::size_t(konce_[PocetPoli - 1]) + 1;
    const std::size_t nova = velkost - stary.size() + text.size();
    if (text.size() > std::numeric_limits<std::uint32_t>::max() ||
        nova > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("a record holds at most 4 GiB of text");

    // A new block even when the size stays: `text` may be a view into this record.
    char *blok = new char[nova];
    std::memcpy(blok, bajty_, zaciatok);
    if (!text.empty())
        std::memcpy(blok + zaciatok, text.data(), text.size());
    std::memcpy(blok + zaciatok + text.size(), bajty_ + koniec, velkost - koniec);
    for (int f = static_cast<int>(pole); f < PocetPoli; ++f)
        konce_[f] = std::uint32_t(konce_[f] - stary.size() + text.size());
    if (vlastny_)
        delete[] bajty_;
    bajty_ = blok;
    vlastny_ = true;
    nastavStratu(najdiStratu(*this));
}

std::optional<StrataTextu> ZaznamCD::strata() const noexcept
{
    if (strata_ == 0)
        return std::nullopt;
    return StrataTextu{Pole((strata_ - 1) / 4), DruhStraty((strata_ - 1) % 4)};
}
