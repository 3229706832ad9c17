// The sort pass against GNU sort on the same records written one per line, and against the
// step-by-step insertion sort it replaces. Prints the ratios at the end, by wall time and by
// CPU time (the latter holds up better when others share the machine).
//
//   bench_sort                                (about three minutes, most of it spent in the
//                                              step-by-step sort of 5,000 records)
//   bench_sort --benchmark_filter=/1000000/   (the million-record runs only)

#include "core/Triedenie.h"
#include "core/ZoznamCD.h"
#include "LiteralSort.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The short key is a date of eight digits (field 14 of a line), with many repeats; the long
// key a CD name of 24 to 64 letters and blanks (field 11); the tied key an author of 26 or 27
// bytes from a pool of 500 that agree on their first 24 (field 12).
struct Key {
    const char *name;
    std::int32_t mode;
    int field;
};
constexpr Key kShort{"short", sortModeOf(Pole::DatumPozicania), 14};
constexpr Key kLong{"long", sortModeOf(Pole::NazovCD), 11};
constexpr Key kTied{"tied", sortModeOf(Pole::AutorCD), 12};

std::string randomDate(std::mt19937 &rng)
{
    char text[9];
    std::snprintf(text, sizeof text, "%02u%02u%04u", 1 + unsigned(rng() % 28),
                  1 + unsigned(rng() % 12), 1990 + unsigned(rng() % 40));
    return text;
}

std::string randomText(std::mt19937 &rng, std::size_t minLength, std::size_t maxLength)
{
    static const char letters[] = "abcdeefghiijklmnoopqrstuvyz     ";
    std::string text(minLength + rng() % (maxLength - minLength + 1), ' ');
    for (char &c : text)
        c = letters[rng() % (sizeof letters - 1)];
    text[0] = char('A' + rng() % 26);
    return text;
}

// A list of n records in the order they were loaded, and the same records written one per
// line as the database file writes them, with a line break after each.
struct DataSet {
    ZoznamCD zoznam;
    std::vector<ZaznamCD *> loaded;
    fs::path lines;

    explicit DataSet(int n)
    {
        std::mt19937 rng{unsigned(n)};
        lines = fs::temp_directory_path() /
                ("bench_sort_" + std::to_string(getpid()) + "_" + std::to_string(n) + ".txt");
        std::ofstream out(lines, std::ios::binary);
        for (int i = 0; i < n; ++i) {
            auto *z = new ZaznamCD;
            z->setNazovCD(randomText(rng, 24, 64));
            z->setAutorCD("Various Artists, volume " + std::to_string(1 + rng() % 500));
            z->setTypCD("CD");
            z->setDatumPozicania(randomDate(rng));
            z->setMeno(randomText(rng, 3, 10));
            z->setPriezvisko(randomText(rng, 4, 14));
            z->setDatumVratenia(randomDate(rng));
            zoznam.PripojZaznam(z);
            loaded.push_back(z);
            out << z->Pesnicky() << z->NazovCD() << '|' << z->AutorCD() << '|' << z->TypCD() << '|'
                << z->DatumPozicania() << '|' << z->Meno() << '|' << z->Priezvisko() << '|'
                << z->DatumVratenia() << "|\n";
        }
    }
    ~DataSet() { fs::remove(lines); }

    // Back to the loaded order, so that every run sorts the same unsorted list.
    void restore()
    {
        for (std::size_t i = 0; i + 1 < loaded.size(); ++i)
            loaded[i]->Dalsi = loaded[i + 1];
        loaded.back()->Dalsi = nullptr;
        zoznam.Prvy = loaded.front();
        zoznam.Aktualny = loaded.back();
    }
};

DataSet &dataSet(int n)
{
    static std::map<int, std::unique_ptr<DataSet>> sets;
    auto &set = sets[n];
    if (!set)
        set = std::make_unique<DataSet>(n);
    return *set;
}

// CPU seconds of this thread, and of finished child processes.
double threadCpu()
{
    timespec t;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

double childrenCpu()
{
    rusage usage;
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto seconds = [](const timeval &t) {
        return double(t.tv_sec) + double(t.tv_usec) * 1e-6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The machine is shared, so besides the wall time every run records the CPU time it used,
// as "cpu_ms" per iteration.
void recordCpu(benchmark::State &state, double cpuSeconds)
{
    state.counters["cpu_ms"] =
        benchmark::Counter(cpuSeconds * 1e3, benchmark::Counter::kAvgIterations);
}

// Every pass runs once per iteration on the loaded order; only the pass is timed.
template <typename Pass> void timeEach(benchmark::State &state, DataSet &data, Pass pass)
{
    double cpu = 0;
    for (auto _ : state) {
        data.restore();
        const double cpuStart = threadCpu();
        const auto start = std::chrono::steady_clock::now();
        pass();
        const auto stop = std::chrono::steady_clock::now();
        cpu += threadCpu() - cpuStart;
        state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
    }
    recordCpu(state, cpu);
    state.SetItemsProcessed(state.iterations() * data.loaded.size());
}

void registerPass(const Key &key, int n)
{
    benchmark::RegisterBenchmark(
        ("pass/" + std::string(key.name) + "/" + std::to_string(n)).c_str(),
        [key, n](benchmark::State &state) {
            DataSet &data = dataSet(n);
            timeEach(state, data, [&] { ZoradZoznam(data.zoznam, key.mode, nullptr); });
        })
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
}

void registerLiteral(const Key &key, int n)
{
    benchmark::RegisterBenchmark(
        ("literal/" + std::string(key.name) + "/" + std::to_string(n)).c_str(),
        [key, n](benchmark::State &state) {
            DataSet &data = dataSet(n);
            timeEach(state, data, [&] { literal::Triedenie(data.zoznam, key.mode, nullptr); });
        })
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);
}

void registerGnuSort(const Key &key, int n)
{
    benchmark::RegisterBenchmark(
        ("gnu_sort/" + std::string(key.name) + "/" + std::to_string(n)).c_str(),
        [key, n](benchmark::State &state) {
            DataSet &data = dataSet(n);
            const std::string command = "LC_ALL=C sort -s -t'|' -k" + std::to_string(key.field) +
                                        "," + std::to_string(key.field) + " '" +
                                        data.lines.string() + "' -o /dev/null";
            double cpu = 0;
            for (auto _ : state) {
                const double cpuStart = childrenCpu();
                const auto start = std::chrono::steady_clock::now();
                const int status = std::system(command.c_str());
                const auto stop = std::chrono::steady_clock::now();
                cpu += childrenCpu() - cpuStart;
                if (status != 0) {
                    state.SkipWithError("sort failed");
                    break;
                }
                state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
            }
            recordCpu(state, cpu);
            state.SetItemsProcessed(state.iterations() * n);
        })
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
}

// Shows the runs as usual and keeps each one's wall and CPU time per iteration for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    struct Times {
        double wall, cpu;
    };
    std::map<std::string, Times> times;

    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            if (run.error_occurred)
                continue;
            // With repetitions the median stands for the benchmark.
            if (run.run_type == Run::RT_Iteration ||
                (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")) {
                const auto cpu = run.counters.find("cpu_ms");
                times[run.run_name.function_name] = {
                    run.GetAdjustedRealTime(), cpu == run.counters.end() ? 0 : cpu->second.value};
            }
        }
    }

    void printRatio(const std::string &baseline, const std::string &pass) const
    {
        const auto b = times.find(baseline);
        const auto p = times.find(pass);
        if (b == times.end() || p == times.end())
            return;
        std::printf("%-22s %-20s wall %10.3f / %8.3f ms = %9.1f   cpu %10.3f / %8.3f ms = %9.1f\n",
                    baseline.c_str(), pass.c_str(), b->second.wall, p->second.wall,
                    b->second.wall / p->second.wall, b->second.cpu, p->second.cpu,
                    b->second.cpu / p->second.cpu);
    }
};

} // namespace

int main(int argc, char **argv)
{
    for (const Key &key : {kShort, kLong})
        for (int n : {1'000, 100'000, 1'000'000}) {
            registerPass(key, n);
            registerGnuSort(key, n);
        }
    registerPass(kTied, 1'000'000);
    registerGnuSort(kTied, 1'000'000);
    for (int n : {2'000, 5'000}) {
        registerPass(kShort, n);
        registerLiteral(kShort, n);
    }

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::printf("\nPer run, baseline / pass = ratio (above 1: the pass is faster)\n");
    for (const Key &key : {kShort, kLong})
        for (int n : {1'000, 100'000, 1'000'000}) {
            const std::string suffix = std::string(key.name) + "/" + std::to_string(n);
            reporter.printRatio("gnu_sort/" + suffix, "pass/" + suffix);
        }
    reporter.printRatio("gnu_sort/tied/1000000", "pass/tied/1000000");
    for (int n : {2'000, 5'000}) {
        const std::string suffix = "short/" + std::to_string(n);
        reporter.printRatio("literal/" + suffix, "pass/" + suffix);
    }
    return 0;
}
