#pragma once

#include "core/ZoznamCD.h"
#include "storage/ByteStream.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace testdata {

/// A record's eight texts in file order.
using Texts = std::array<std::string, 8>;

/// The two records of the worked example and the 255 bytes they are saved as.
inline const std::string workedExample =
    "2Song01|Song02|Song03|Song04|Song05|Song06|Song07|Song08|Song09|Song10|Name CD |Autor CD|"
    "Typ CD |01012003|Nedefinovane|Nedefinovane|31122100|Ranna|Vecer|Dazd|More|Cesta|Domov|Leto|"
    "Zima|Noc|Koniec|Piesne 2003|Kapela|audio|15.03.2003|Peter|Kovac|31.03.2003|";
// clang-format off
inline const Texts secondExampleRecord = {"Ranna|Vecer|Dazd|More|Cesta|Domov|Leto|Zima|Noc|Koniec|",
    "Piesne 2003", "Kapela", "audio", "15.03.2003", "Peter", "Kovac", "31.03.2003"};
// clang-format on

inline Texts textsOf(const ZaznamCD &z)
{
    Texts texts;
    for (int f = 0; f < PocetPoli; ++f)
        texts[f] = z.text(static_cast<Pole>(f));
    return texts;
}

inline Texts defaults()
{
    return textsOf(ZaznamCD{});
}

inline void append(ZoznamCD &zoznam, const Texts &t)
{
    auto *z = new ZaznamCD;
    for (int f = 0; f < PocetPoli; ++f)
        z->setText(static_cast<Pole>(f), t[f]);
    zoznam.PripojZaznam(z);
}

/// The records reachable from Prvy in PocetCd steps.
inline std::vector<Texts> recordsOf(const ZoznamCD &zoznam)
{
    std::vector<Texts> out;
    const ZaznamCD *z = zoznam.Prvy;
    for (std::int32_t i = 0; i < zoznam.PocetCd; ++i, z = z->Dalsi)
        out.push_back(textsOf(*z));
    return out;
}

/// A file's bytes written by hand from texts, the way the format lays them out.
inline std::string fileOf(const std::string &count, const std::vector<Texts> &records)
{
    std::string out = count;
    for (const Texts &t : records) {
        out += t[0];
        for (std::size_t f = 1; f < t.size(); ++f)
            out += t[f] + "|";
    }
    return out;
}

/// Hands its bytes out a few at a time (all at once for seed 0), so that items cross block
/// boundaries; with `fails`, the end of the bytes is a read error as a broken disk gives.
struct TrickleSource : ByteSource {
    TrickleSource(std::string_view bytes, unsigned seed, bool fails = false)
        : rest(bytes), random(seed), trickle(seed != 0), fails(fails)
    {
    }
    std::size_t read(char *buffer, std::size_t capacity) override
    {
        const std::size_t n =
            std::min({capacity, rest.size(), trickle ? std::size_t(1 + random() % 7) : capacity});
        std::memcpy(buffer, rest.data(), n);
        rest.remove_prefix(n);
        return n;
    }
    bool failed() const override { return fails && rest.empty(); }
    std::string_view rest;
    std::mt19937 random;
    bool trickle, fails;
};

/// A random record that a save and a load bring back unchanged: no bar in a text, no NUL,
/// no text "0", no digit opening the first title of the first record. It favours the bytes
/// that matter to the format: digits, white space, 0xFF, line breaks.
inline Texts safeRecord(std::mt19937 &random, bool first)
{
    auto text = [&](std::size_t maxLength) {
        static const std::string alphabet = "0123456789 \t\r\n\xFF\x80\xE1-+abcXYZ";
        std::string s(random() % (maxLength + 1), 'x');
        for (char &ch : s)
            ch = random() % 4 ? alphabet[random() % alphabet.size()] : char(1 + random() % 255);
        std::replace(s.begin(), s.end(), '|', '/');
        return s == "0" ? "00" : s;
    };
    Texts t;
    for (int title = 0; title < 10; ++title) {
        std::string s = text(8);
        if (first && title == 0 && !s.empty() && s[0] >= '0' && s[0] <= '9')
            s.insert(s.begin(), 'x');
        t[0] += s + "|";
    }
    for (std::size_t f = 1; f < t.size(); ++f)
        t[f] = text(12);
    return t;
}

} // namespace testdata
