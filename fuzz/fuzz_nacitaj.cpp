// Feeds arbitrary bytes to the database reader and checks what every load must guarantee.
// Inputs stay a few KiB, so each is also read in small blocks handed out a few bytes at a
// time, and written back through a small buffer: every block and buffer boundary is crossed,
// and neither may change what is read or written.

#include "storage/Databaza.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string_view>

namespace {

void check(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

bool sameTexts(const ZaznamCD &a, const ZaznamCD &b)
{
    return a.Pesnicky() == b.Pesnicky() && a.NazovCD() == b.NazovCD() &&
           a.AutorCD() == b.AutorCD() && a.TypCD() == b.TypCD() &&
           a.DatumPozicania() == b.DatumPozicania() && a.Meno() == b.Meno() &&
           a.Priezvisko() == b.Priezvisko() && a.DatumVratenia() == b.DatumVratenia();
}

// Hands out at most `most` bytes a read.
class TrickleSource : public ByteSource {
  public:
    TrickleSource(std::string_view bytes, std::size_t most) : rest_(bytes), most_(most) {}
    std::size_t read(char *buffer, std::size_t capacity) override
    {
        const std::size_t n = std::min({capacity, most_, rest_.size()});
        std::memcpy(buffer, rest_.data(), n);
        rest_.remove_prefix(n);
        return n;
    }

  private:
    std::string_view rest_;
    std::size_t most_;
};

bool sameLoad(const VysledokNacitania &a, const VysledokNacitania &b)
{
    if (a.completed != b.completed || a.count != b.count || a.offset != b.offset ||
        a.zoznam.PocetCd != b.zoznam.PocetCd)
        return false;
    if (!a.completed)
        return a.reason == b.reason && a.record == b.record;
    const ZaznamCD *x = a.zoznam.Prvy;
    const ZaznamCD *y = b.zoznam.Prvy;
    for (std::int32_t i = 0; i < a.zoznam.PocetCd; ++i, x = x->Dalsi, y = y->Dalsi) {
        if (!sameTexts(*x, *y))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    MemorySource source(bytes);
    const VysledokNacitania v = NacitajDatabazu(source);
    check(v.offset <= size, "offset inside the file");
    // Sizes that vary with the input, so that boundaries fall everywhere.
    const std::size_t block = 16 + size % 53, most = 1 + size % 7, buffer = 16 + size % 41;
    TrickleSource trickle(bytes, most);
    check(sameLoad(v, NacitajDatabazu(trickle, block)), "small blocks read the same");

    if (!v.completed) {
        check(v.zoznam.PocetCd == 0 && !v.zoznam.Prvy && !v.zoznam.Aktualny,
              "a stopped load leaves nothing");
        return 0;
    }

    check(v.zoznam.PocetCd == v.count, "a completed load holds the file's count");
    const ZaznamCD *last = nullptr;
    const ZaznamCD *z = v.zoznam.Prvy;
    for (std::int32_t i = 0; i < v.zoznam.PocetCd; ++i) {
        check(z != nullptr, "every counted record is reachable");
        last = z;
        z = z->Dalsi;
    }
    check(v.zoznam.Aktualny == last, "Aktualny is the last record");

    // Whatever was loaded survives a save and a load unchanged.
    const auto loss = NajdiStratu(v.zoznam);
    check(!loss, "loaded texts are always saveable");
    if (loss)
        return 0;
    StringSink sink, small;
    std::optional<StrataPriUlozeni> written;
    check(UlozDatabazu(sink, v.zoznam, &written), "saving to memory succeeds");
    check(!written, "the writer finds no loss either");
    check(UlozDatabazu(small, v.zoznam, nullptr, buffer) && small.bytes == sink.bytes,
          "a small buffer writes the same");
    MemorySource again(sink.bytes);
    const VysledokNacitania w = NacitajDatabazu(again);
    check(w.completed && w.zoznam.PocetCd == v.zoznam.PocetCd, "the saved file loads whole");
    check(w.offset == sink.bytes.size(), "the saved file has no trailing bytes");
    const ZaznamCD *a = v.zoznam.Prvy;
    const ZaznamCD *b = w.zoznam.Prvy;
    for (std::int32_t i = 0; i < v.zoznam.PocetCd; ++i, a = a->Dalsi, b = b->Dalsi)
        check(sameTexts(*a, *b), "the records come back unchanged");
    return 0;
}
