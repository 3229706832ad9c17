// Load, save, append and clear at 1,000 to 1,000,000 records, against a plain read of the
// same file in the same run. BM_Load reuses the memory of the previous load; BM_LoadCold
// starts from memory the system has to map in page by page. `bench_storage --peak-rss N` instead
// loads N records once and prints the peak resident memory against the file's size.

#include "storage/Databaza.h"
#include "FileStream.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

/// Records of about 200 bytes in the file: ten titles of 11 bytes, short fields.
void fillList(ZoznamCD &zoznam, int n)
{
    char text[32];
    for (int i = 0; i < n; ++i) {
        auto *z = new ZaznamCD;
        std::string songs;
        for (int t = 0; t < 10; ++t) {
            std::snprintf(text, sizeof text, "Piesen %04d|", (i * 10 + t) % 10000);
            songs += text;
        }
        z->setPesnicky(songs);
        std::snprintf(text, sizeof text, "Album c. %06d", i % 1000000);
        z->setNazovCD(text);
        std::snprintf(text, sizeof text, "Interpret %04d", i % 5000);
        z->setAutorCD(text);
        z->setTypCD(i % 3 ? "audio" : "mp3");
        z->setDatumPozicania("15.03.2003");
        z->setMeno(i % 2 ? "Peter" : "Zuzana");
        std::snprintf(text, sizeof text, "Kovac %03d", i % 1000);
        z->setPriezvisko(text);
        z->setDatumVratenia("31.03.2003");
        zoznam.PripojZaznam(z);
    }
}

std::string pathFor(int n, const char *what)
{
    return "/tmp/platnovnik_bench_" + std::to_string(getpid()) + "_" + what + "_" +
           std::to_string(n) + ".pln";
}

bool saveTo(const std::string &path, const ZoznamCD &zoznam)
{
    std::FILE *file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    FileSink sink(file);
    const bool ok = UlozDatabazu(sink, zoznam);
    return std::fclose(file) == 0 && ok;
}

std::vector<std::string> &tempFiles()
{
    static std::vector<std::string> files;
    return files;
}

/// The file of n records, written once per run.
const std::string &fileOf(int n)
{
    static std::map<int, std::string> files;
    auto it = files.find(n);
    if (it == files.end()) {
        ZoznamCD zoznam;
        fillList(zoznam, n);
        const std::string path = pathFor(n, "load");
        if (!saveTo(path, zoznam)) {
            std::perror(path.c_str());
            std::exit(1);
        }
        tempFiles().push_back(path);
        it = files.emplace(n, path).first;
    }
    return it->second;
}

long fileSize(const std::string &path)
{
    std::FILE *file = std::fopen(path.c_str(), "rb");
    std::fseek(file, 0, SEEK_END);
    const long size = std::ftell(file);
    std::fclose(file);
    return size;
}

void BM_RawRead(benchmark::State &state)
{
    const std::string &path = fileOf(int(state.range(0)));
    std::unique_ptr<char[]> buffer(new char[1 << 16]);
    std::size_t total = 0;
    for (auto _ : state) {
        const int fd = open(path.c_str(), O_RDONLY);
        ssize_t got;
        total = 0;
        while ((got = read(fd, buffer.get(), 1 << 16)) > 0)
            total += std::size_t(got);
        close(fd);
        benchmark::DoNotOptimize(buffer.get());
    }
    state.SetBytesProcessed(std::int64_t(total) * state.iterations());
}

/// Loads the file; `cold` hands the freed memory back to the system before each load, as in a
/// program that has not held records yet, so every page of the new records is a fresh page.
void load(benchmark::State &state, bool cold)
{
    const std::string &path = fileOf(int(state.range(0)));
    const long size = fileSize(path);
    for (auto _ : state) {
        std::FILE *file = std::fopen(path.c_str(), "rb");
        FileSource source(file);
        auto result = std::make_unique<VysledokNacitania>(NacitajDatabazu(source));
        std::fclose(file);
        if (!result->completed || result->zoznam.PocetCd != state.range(0))
            state.SkipWithError("load did not complete");
        state.PauseTiming();
        result.reset();
        if (cold)
            malloc_trim(0);
        state.ResumeTiming();
    }
    state.SetBytesProcessed(std::int64_t(size) * state.iterations());
}

void BM_Load(benchmark::State &state)
{
    load(state, false);
}

void BM_LoadCold(benchmark::State &state)
{
    load(state, true);
}

void BM_Save(benchmark::State &state)
{
    ZoznamCD zoznam;
    fillList(zoznam, int(state.range(0)));
    const std::string path = pathFor(int(state.range(0)), "save");
    tempFiles().push_back(path);
    for (auto _ : state) {
        if (!saveTo(path, zoznam))
            state.SkipWithError("save failed");
    }
    state.SetBytesProcessed(std::int64_t(fileSize(path)) * state.iterations());
}

/// Appends a batch of ready records to a list of n, then takes them off again, so the list
/// stays at its size however many iterations run.
void BM_Append(benchmark::State &state)
{
    constexpr int batch = 1000;
    ZoznamCD zoznam;
    fillList(zoznam, int(state.range(0)));
    std::vector<ZaznamCD> ready(batch);
    ZaznamCD *const last = zoznam.Aktualny;
    const std::int32_t count = zoznam.PocetCd;
    for (auto _ : state) {
        for (ZaznamCD &z : ready)
            zoznam.PripojZaznam(&z);
        benchmark::DoNotOptimize(zoznam.Aktualny);
        zoznam.PocetCd = count;
        zoznam.Aktualny = last;
        last->Dalsi = nullptr;
    }
    state.SetItemsProcessed(state.iterations() * batch);
}

void BM_Clear(benchmark::State &state)
{
    ZoznamCD zoznam;
    for (auto _ : state) {
        state.PauseTiming();
        fillList(zoznam, int(state.range(0)));
        state.ResumeTiming();
        zoznam.VymazVsetky();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

#define SIZES ->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)
BENCHMARK(BM_RawRead) SIZES;
BENCHMARK(BM_Load) SIZES;
BENCHMARK(BM_LoadCold) SIZES;
BENCHMARK(BM_Save) SIZES;
BENCHMARK(BM_Append) SIZES->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Clear) SIZES;

/// Keeps every run's time, so that the ratios can be printed at the end.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs)
            seconds[run.benchmark_name()] =
                run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> seconds;
};

int peakRss(int n)
{
    // A child writes the file, so that building its list does not count here.
    const std::string path = pathFor(n, "rss");
    if (const pid_t child = fork(); child == 0) {
        ZoznamCD zoznam;
        fillList(zoznam, n);
        _exit(saveTo(path, zoznam) ? 0 : 1);
    } else {
        int status = 0;
        waitpid(child, &status, 0);
        if (status != 0)
            return 1;
    }
    const long size = fileSize(path);
    rusage before{};
    getrusage(RUSAGE_SELF, &before);
    std::FILE *file = std::fopen(path.c_str(), "rb");
    FileSource source(file);
    const VysledokNacitania result = NacitajDatabazu(source);
    std::fclose(file);
    rusage after{};
    getrusage(RUSAGE_SELF, &after);
    std::remove(path.c_str());
    const double peak = double(after.ru_maxrss) * 1024;
    std::printf("records loaded        %d (%s)\n", result.zoznam.PocetCd,
                result.completed ? "completed" : "stopped");
    std::printf("file size             %.1f MB\n", size / 1e6);
    std::printf("peak RSS before load  %.1f MB\n", before.ru_maxrss * 1024 / 1e6);
    std::printf("peak RSS with records %.1f MB\n", peak / 1e6);
    std::printf("peak RSS / file size  %.2f\n", peak / double(size));
    return result.completed ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--peak-rss") == 0)
        return peakRss(std::atoi(argv[2]));

    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (const char *size : {"1000", "100000", "1000000"}) {
        const auto raw = reporter.seconds.find(std::string("BM_RawRead/") + size);
        if (raw == reporter.seconds.end())
            continue;
        for (const char *what : {"BM_Load/", "BM_LoadCold/", "BM_Save/"}) {
            const auto it = reporter.seconds.find(what + std::string(size));
            if (it != reporter.seconds.end())
                std::printf("%s%s / raw read: %.1f\n", what, size, it->second / raw->second);
        }
    }
    for (const std::string &path : tempFiles())
        std::remove(path.c_str());
    benchmark::Shutdown();
    return 0;
}
