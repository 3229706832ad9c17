// Opening the listing on a million records: construct the dialog, fill it, show it
// (offscreen unless a display is asked for) and let it paint. The baseline in the same run
// is one walk over the list that touches every record's first column.

#include "bench/WindowBenchmarkMain.h"
#include "dialogs/Vypiscd.h"

#include <QApplication>
#include <QEvent>
#include <QTableView>

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr int kRecords = 1'000'000;

const ZoznamCD &millionRecords()
{
    static ZoznamCD zoznam = [] {
        ZoznamCD z;
        for (int i = 0; i < kRecords; ++i) {
            auto *record = new ZaznamCD;
            record->setDatumPozicania(std::to_string(i));
            z.PripojZaznam(record);
        }
        return z;
    }();
    return zoznam;
}

void WalkList(benchmark::State &state)
{
    const ZoznamCD &zoznam = millionRecords();
    for (auto _ : state) {
        std::size_t bytes = 0;
        const ZaznamCD *z = zoznam.Prvy;
        for (int i = 0; i < zoznam.PocetCd; ++i, z = z->Dalsi)
            bytes += z->DatumPozicania().size();
        benchmark::DoNotOptimize(bytes);
    }
}

// Counts the paint events of the list's viewport, to show that the figure includes drawing.
class PaintCounter : public QObject {
  public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

void OpenListing(benchmark::State &state)
{
    const ZoznamCD &zoznam = millionRecords();
    PaintCounter counter;
    for (auto _ : state) {
        auto *dialog = new TVypisForm(nullptr, zoznam);
        auto *view = dialog->findChild<QTableView *>("ListView");
        view->viewport()->installEventFilter(&counter);
        dialog->show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(view->model()->rowCount());
        state.PauseTiming();
        dialog->close();
        delete dialog;
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["paints"] =
        benchmark::Counter(counter.paints, benchmark::Counter::kAvgIterations);
}

BENCHMARK(WalkList)->Unit(benchmark::kMillisecond);
BENCHMARK(OpenListing)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return runWindowBenchmarks(argc, argv, [] { millionRecords(); });
}
