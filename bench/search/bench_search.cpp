// One keystroke's search over a million records: the folded-key scan, the whole window
// (search, model reset, view update), and two baselines measured in the same run: a plain
// memchr over as many bytes as the keys hold (the floor), and decoding and folding every
// record's text again at each keystroke (the naive search).
#include "toolkit/CodePage.h"
#include "bench/WindowBenchmarkMain.h"
#include "core/SearchIndex.h"
#include "dialogs/Hladanie.h"
#include "dialogs/SearchFolding.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr std::int32_t kRecords = 1'000'000;
constexpr std::int32_t kSurname = searchSettingOf(Pole::Priezvisko);

// Slovak-looking names in Windows-1250, some with diacritics, about ten bytes each.
std::string name(std::mt19937 &random)
{
    static const char *const starts[] = {"Ko", "No",       "Ho",       "Ma",    "Bo",
                                         "Ta", "Ne",       "Ri",       "Lo",    "Pe",
                                         "Ka", "\x8A\x65", "\xC8\x65", "\xBCu", "Sz"};
    static const char *const middles[] = {"v", "v\xE1", "r", "l", "\x9A", "\xE8", "n",
                                          "d", "m",     "b", "t", "k",    "ri",   "lo"};
    static const char *const ends[] = {"\xE1\xE8", "ak", "ov\xE1", "ik", "\xE1k", "sk\xFD",
                                       "a",        "ec", "\xEDk",  "an", "ko",    "ovi\xE8"};
    std::string s = starts[random() % std::size(starts)];
    for (unsigned i = random() % 3; i > 0; --i)
        s += middles[random() % std::size(middles)];
    return s + ends[random() % std::size(ends)];
}

const ZoznamCD &bigList()
{
    static const ZoznamCD zoznam = [] {
        ZoznamCD z;
        std::mt19937 random(1);
        for (std::int32_t i = 0; i < kRecords; ++i) {
            auto *r = new ZaznamCD;
            r->setPriezvisko(name(random));
            r->setMeno(name(random));
            r->setAutorCD(name(random));
            z.PripojZaznam(r);
        }
        return z;
    }();
    return zoznam;
}

const SearchIndex &bigIndex()
{
    static const SearchIndex index = [] {
        SearchIndex i(codePageFoldTables());
        i.build(bigList(), kSurname);
        return i;
    }();
    return index;
}

const char *const kQueries[] = {"k", "kova", "kov\xE1", "qqqq", ""};

void queryArgs(benchmark::internal::Benchmark *b)
{
    for (int q = 0; q < int(std::size(kQueries)); ++q)
        b->Arg(q);
}

void BM_IndexFind(benchmark::State &state)
{
    const SearchIndex &index = bigIndex();
    const std::string_view query = kQueries[state.range(0)];
    std::vector<std::int32_t> matches;
    for (auto _ : state) {
        index.find(query, matches);
        benchmark::DoNotOptimize(matches.data());
    }
    state.SetLabel("'" + CodePage::toQString(query).toStdString() + "'");
    state.counters["matches"] = double(matches.size());
    state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_IndexFind)->Apply(queryArgs)->Unit(benchmark::kMillisecond);

// The floor: one pass of memchr over as many bytes as the folded keys take.
void BM_BaselineMemchr(benchmark::State &state)
{
    std::size_t bytes = 0;
    const ZaznamCD *r = bigList().Prvy;
    for (std::int32_t i = 0; i < kRecords; ++i, r = r->Dalsi)
        bytes += r->Priezvisko().size() + 1;
    const std::string keys(bytes, 'a');
    for (auto _ : state)
        benchmark::DoNotOptimize(std::memchr(keys.data(), 'q', keys.size()));
    state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_BaselineMemchr)->Unit(benchmark::kMillisecond);

// The naive search: decode, fold and compare every record's text at every keystroke.
QString folded(const QString &text)
{
    QString out;
    for (QChar c : text.normalized(QString::NormalizationForm_D)) {
        if (c.category() != QChar::Mark_NonSpacing)
            out += c.toLower();
    }
    return out;
}

void BM_BaselineDecodeEachKeystroke(benchmark::State &state)
{
    const ZoznamCD &zoznam = bigList();
    const QString query = folded(QStringLiteral("kova"));
    std::int32_t found = 0;
    for (auto _ : state) {
        found = 0;
        const ZaznamCD *r = zoznam.Prvy;
        for (std::int32_t i = 0; i < kRecords; ++i, r = r->Dalsi)
            found += folded(CodePage::toQString(r->Priezvisko())).contains(query);
    }
    state.counters["matches"] = found;
    state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_BaselineDecodeEachKeystroke)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_IndexBuild(benchmark::State &state)
{
    SearchIndex index(codePageFoldTables());
    for (auto _ : state)
        index.build(bigList(), kSurname);
    state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_IndexBuild)->Unit(benchmark::kMillisecond);

// What the user waits for: a key pressed in the open window until the view has updated.
// The keystrokes alternate between typing one letter after a prefix and Backspace:
// 'a' after "kov" (a few thousand rows), or 'k' into the empty box (over half the list).
void BM_WindowKeystroke(benchmark::State &state)
{
    const bool firstLetter = state.range(0) == 1;
    THladanieForm w(nullptr, bigList(), kSurname);
    w.show();
    QCoreApplication::processEvents();
    auto *edit = w.findChild<QLineEdit *>("Edit1");
    if (!firstLetter)
        QTest::keyClicks(edit, "kov");
    QCoreApplication::processEvents();
    bool typed = false;
    for (auto _ : state) {
        if (typed)
            QTest::keyClick(edit, Qt::Key_Backspace);
        else
            QTest::keyClick(edit, firstLetter ? 'k' : 'a');
        typed = !typed;
        QCoreApplication::processEvents();
    }
    state.SetLabel(firstLetter ? "'' <-> 'k'" : "'kov' <-> 'kova'");
    state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_WindowKeystroke)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// Opening the window: folding every record's field once, then the first, empty query.
void BM_WindowOpen(benchmark::State &state)
{
    bigList();
    for (auto _ : state) {
        THladanieForm w(nullptr, bigList(), kSurname);
        w.show();
        QCoreApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_WindowOpen)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    return runWindowBenchmarks(argc, argv);
}
