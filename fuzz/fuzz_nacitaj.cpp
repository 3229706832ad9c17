// Feeds arbitrary bytes to the database reader and checks what every load must guarantee.

#include "storage/Databaza.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    MemorySource source(bytes);
    const VysledokNacitania v = NacitajDatabazu(source);
    check(v.offset <= size, "offset inside the file");

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
    StringSink sink;
    std::optional<StrataPriUlozeni> written;
    check(UlozDatabazu(sink, v.zoznam, &written), "saving to memory succeeds");
    check(!written, "the writer finds no loss either");
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
