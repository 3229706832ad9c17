#include "core/ZaznamCD.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <functional>
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
static_assert([] {
    for (int f = 1; f < PocetPoli; ++f) {
        const std::size_t koniec = kPredvoleneKonce[f], dlzka = kPredvolene[f].size();
        if (kPredvolenyBlok.substr(koniec - dlzka, dlzka) != kPredvolene[f] ||
            kPredvolenyBlok[koniec] != '|')
            return false;
    }
    return true;
}());

// A block of a record's own holds its capacity in the four bytes before the texts, so that a
// change that fits is made in place.
char *novyBlok(std::size_t kapacita)
{
    char *blok = new char[sizeof(std::uint32_t) + kapacita];
    const auto k = std::uint32_t(kapacita);
    std::memcpy(blok, &k, sizeof k);
    return blok + sizeof k;
}

std::size_t kapacitaBloku(const char *bajty)
{
    std::uint32_t k;
    std::memcpy(&k, bajty - sizeof k, sizeof k);
    return k;
}

void uvolniBlok(const char *bajty)
{
    delete[](bajty - sizeof(std::uint32_t));
}

} // namespace

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
    for (int f = 0; f < PocetPoli; ++f)
        assert(!textLoss(Pole(f), texty[f]));
}

ZaznamCD::ZaznamCD(const ZaznamCD &other) : Dalsi(other.Dalsi), bajty_(other.bajty_)
{
    std::copy(other.konce_, other.konce_ + PocetPoli, konce_);
    if (bajty_ != kPredvolenyBlok.data()) {
        const std::size_t velkost = std::size_t(konce_[PocetPoli - 1]) + 1;
        char *blok = novyBlok(velkost);
        std::memcpy(blok, other.bajty_, velkost);
        bajty_ = blok;
        vlastny_ = true;
    }
    straty_ = other.straty_;
}

ZaznamCD &ZaznamCD::operator=(const ZaznamCD &other)
{
    if (this != &other) {
        ZaznamCD kopia(other);
        if (vlastny_)
            uvolniBlok(bajty_);
        bajty_ = kopia.bajty_;
        vlastny_ = std::exchange(kopia.vlastny_, false);
        std::copy(other.konce_, other.konce_ + PocetPoli, konce_);
        straty_ = other.straty_;
        Dalsi = other.Dalsi;
    }
    return *this;
}

ZaznamCD::~ZaznamCD()
{
    if (vlastny_)
        uvolniBlok(bajty_);
}

void ZaznamCD::setText(Pole pole, std::string_view text)
{
    const std::string_view stary = this->text(pole);
    const auto zaciatok = std::size_t(stary.data() - bajty_);
    const std::size_t koniec = zaciatok + stary.size();
    const std::size_t velkost = std::size_t(konce_[PocetPoli - 1]) + 1;
    const std::size_t nova = velkost - stary.size() + text.size();
    constexpr std::size_t najviac = std::numeric_limits<std::uint32_t>::max();
    if (text.size() >= najviac || nova >= najviac)
        throw std::length_error("a record holds at most 4 GiB of text");

    const bool strata = textLoss(pole, text).has_value();
    const std::less<const char *> pred;
    const bool zoSeba =
        !text.empty() && !pred(text.data(), bajty_) && pred(text.data(), bajty_ + velkost);
    if (vlastny_ && !zoSeba && nova <= kapacitaBloku(bajty_)) {
        // The block is this record's own, hence writable.
        char *blok = const_cast<char *>(bajty_);
        std::memmove(blok + zaciatok + text.size(), blok + koniec, velkost - koniec);
        if (!text.empty())
            std::memcpy(blok + zaciatok, text.data(), text.size());
    } else {
        // With room to spare: records are filled one text after another.
        char *blok = novyBlok(std::min(nova + nova / 4 + 16, najviac));
        std::memcpy(blok, bajty_, zaciatok);
        if (!text.empty())
            std::memcpy(blok + zaciatok, text.data(), text.size());
        std::memcpy(blok + zaciatok + text.size(), bajty_ + koniec, velkost - koniec);
        if (vlastny_)
            uvolniBlok(bajty_);
        bajty_ = blok;
        vlastny_ = true;
    }
    for (int f = static_cast<int>(pole); f < PocetPoli; ++f)
        konce_[f] = std::uint32_t(konce_[f] - stary.size() + text.size());
    const unsigned bit = 1u << static_cast<int>(pole);
    straty_ = std::uint16_t(strata ? straty_ | bit : straty_ & ~bit);
}

std::optional<StrataTextu> ZaznamCD::prvaStrata() const noexcept
{
    for (int f = 0; f < PocetPoli; ++f) {
        if (straty_ >> f & 1u)
            return textLoss(Pole(f), text(Pole(f)));
    }
    return std::nullopt;
}
