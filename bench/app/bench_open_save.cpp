// Open and Save of a large collection as a user meets them. Every measurement runs in a fresh
// process (a cold heap), through the functions File > Open and File > Save call, and the Save
// comes after a sort by surname, with the loss check. Yardsticks, also each in a fresh process:
// reading the file into fresh memory, and writing its bytes the way `dd bs=1M conv=fdatasync`
// does, to a new file and over an existing one (which frees the old one's blocks, as a save
// over a file frees its older backup). Prints the three ratios and the peak memory with the
// records loaded, for 1,000, 100,000 and 1,000,000 records; then the time and peak of an Open
// over a collection of the same size. Each figure is the best of a few runs, times in
// milliseconds.
//
//   bench_open_save [RUNS]        (RUNS defaults to 3; about a minute in all)

#include "app/DatabaseFile.h"
#include "core/Triedenie.h"
#include "storage/Databaza.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

namespace {

namespace fs = std::filesystem;
constexpr std::int32_t kSurname = sortModeOf(Pole::Priezvisko);

double now()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) * 1024 / 1e6;
}

// The file of n records, about 195 bytes each, written as bytes. Surnames and the rest are
// random, so that a sort by surname scatters the records through memory.
void writeFile(const std::string &path, int n)
{
    std::mt19937 random(42);
    auto word = [&](const char *prefix, int letters) {
        std::string s = prefix;
        for (int i = 0; i < letters; ++i)
            s += char('a' + random() % 26);
        return s;
    };
    std::string bytes = std::to_string(n);
    for (int i = 0; i < n; ++i) {
        for (int t = 0; t < 10; ++t)
            bytes += word("Piesen ", 4) + '|';
        bytes += word("Album ", 8) + '|' + word("Interpret ", 5) + '|' +
                 (random() % 3 ? "audio|" : "mp3|") + "15.03.2003|" + word("M", 5) + '|' +
                 word("K", 3 + random() % 7) + '|' + "31.03.2003|";
    }
    std::FILE *file = std::fopen(path.c_str(), "wb");
    if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() ||
        std::fclose(file) != 0) {
        std::perror(path.c_str());
        std::exit(1);
    }
}

// ----- the measurements, each the whole life of a child process ---------------------------

double rawRead(const std::string &path)
{
    const double start = now();
    const int fd = open(path.c_str(), O_RDONLY);
    const auto size = std::size_t(lseek(fd, 0, SEEK_END));
    lseek(fd, 0, SEEK_SET);
    std::unique_ptr<char[]> bytes(new char[size]);
    std::size_t done = 0;
    for (ssize_t got; done < size && (got = read(fd, bytes.get() + done, size - done)) > 0;)
        done += std::size_t(got);
    close(fd);
    return now() - start;
}

double ddLike(const std::string &from, const std::string &to)
{
    const double start = now();
    const int in = open(from.c_str(), O_RDONLY);
    const int out = open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::unique_ptr<char[]> block(new char[1 << 20]);
    for (ssize_t got; (got = read(in, block.get(), 1 << 20)) > 0;)
        if (write(out, block.get(), std::size_t(got)) != got)
            std::exit(1);
    fdatasync(out);
    close(out);
    close(in);
    return now() - start;
}

bool loadInto(const std::string &path)
{
    FileLoad load = loadDatabaseFile(QString::fromStdString(path));
    if (!load.result || !load.result->completed)
        return false;
    Zoznam = std::move(load.result->zoznam);
    return true;
}

double openFile(const std::string &path)
{
    const double start = now();
    if (!loadInto(path))
        std::exit(1);
    return now() - start;
}

// Open over a collection of the same size: the safe Open holds both until the new one has
// loaded completely, then frees the old one.
double openAgain(const std::string &path)
{
    if (!loadInto(path))
        std::exit(1);
    return openFile(path);
}

double saveSorted(const std::string &path, const std::string &to)
{
    if (!loadInto(path))
        std::exit(1);
    ZoradZoznam(Zoznam, kSurname, nullptr);
    const double start = now();
    // The collection has no text that the file would lose: a warning would end the run. A file
    // left at `to` by an earlier run is replaced, as a user who agreed would have it.
    const auto refuse = [](const StrataPriUlozeni &) { return false; };
    if (saveDatabaseFile(
            QString::fromStdString(to), Zoznam, std::nullopt, [] { return true; }, refuse)
            .outcome != SaveResult::Outcome::Saved)
        std::exit(1);
    return now() - start;
}

int child(const std::string &what, const std::string &path, const std::string &to)
{
    double seconds = 0;
    if (what == "raw")
        seconds = rawRead(path);
    else if (what == "open")
        seconds = openFile(path);
    else if (what == "again")
        seconds = openAgain(path);
    else if (what == "dd")
        seconds = ddLike(path, to);
    else
        seconds = saveSorted(path, to);
    std::printf("%.9f %.3f\n", seconds, peakMegabytes());
    return 0;
}

// ----- the parent ---------------------------------------------------------------------------

struct Figure {
    double seconds = 1e9;
    double peak = 0;
};

// The best of `runs` fresh processes; `before` runs ahead of each one.
template <class Before>
Figure best(const std::string &self, const std::string &what, const std::string &path,
            const std::string &to, int runs, Before before)
{
    Figure figure;
    for (int run = 0; run < runs; ++run) {
        before();
        const std::string command = self + " --child " + what + " " + path + " " + to;
        std::FILE *pipe = popen(command.c_str(), "r");
        double seconds = 0, peak = 0;
        if (!pipe || std::fscanf(pipe, "%lf %lf", &seconds, &peak) != 2 || pclose(pipe) != 0) {
            std::fprintf(stderr, "failed: %s\n", command.c_str());
            std::exit(1);
        }
        if (seconds < figure.seconds)
            figure = {seconds, peak};
    }
    return figure;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 5 && std::strcmp(argv[1], "--child") == 0)
        return child(argv[2], argv[3], argv[4]);

    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const std::string self = fs::canonical("/proc/self/exe");
    const fs::path dir =
        fs::temp_directory_path() / ("platnovnik_bench_" + std::to_string(getpid()));
    fs::create_directory(dir);
    const std::string file = dir / "zbierka.pln", copy = dir / "kopia.pln";
    const std::string other = dir / "ina.pln";
    const std::string saved = dir / "ulozena.pln", backup = saved + "~";
    auto nothing = [] {};
    auto fresh = [&] {
        fs::remove(saved);
        fs::remove(backup);
    };

    std::printf("%9s %7s | %7s %7s %5s | %7s %7s %5s | %7s %7s %5s | %7s %5s | %7s %7s\n",
                "records", "MB", "read", "open", "ratio", "dd new", "save", "ratio", "dd over",
                "save", "ratio", "peak MB", "ratio", "again", "peak MB");
    for (int n : {1'000, 100'000, 1'000'000}) {
        writeFile(file, n);
        const double megabytes = double(fs::file_size(file)) / 1e6;
        const Figure raw = best(self, "raw", file, "-", runs, nothing);
        const Figure open = best(self, "open", file, "-", runs, nothing);
        const Figure again = best(self, "again", file, "-", runs, nothing);
        const Figure dd = best(self, "dd", file, copy, runs, [&] { fs::remove(copy); });
        fs::copy_file(file, other, fs::copy_options::overwrite_existing);
        const Figure ddOver = best(self, "dd", file, other, runs, nothing);
        const Figure saveNew = best(self, "save", file, saved, runs, fresh);
        // The file saved just before is there to be replaced, and from the second run on
        // its backup too, as after any earlier save.
        const Figure saveOver = best(self, "save", file, saved, runs, nothing);
        std::printf("%9d %7.1f | %7.1f %7.1f %5.2f | %7.1f %7.1f %5.2f | %7.1f %7.1f %5.2f | "
                    "%7.1f %5.2f | %7.1f %7.1f\n",
                    n, megabytes, raw.seconds * 1e3, open.seconds * 1e3, open.seconds / raw.seconds,
                    dd.seconds * 1e3, saveNew.seconds * 1e3, saveNew.seconds / dd.seconds,
                    ddOver.seconds * 1e3, saveOver.seconds * 1e3, saveOver.seconds / ddOver.seconds,
                    open.peak, open.peak / megabytes, again.seconds * 1e3, again.peak);
        std::fflush(stdout);
    }
    fs::remove_all(dir);
    return 0;
}
