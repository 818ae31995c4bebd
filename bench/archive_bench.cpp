// Archive load and save against plain baselines on the same files:
//   BM_SplitBaseline: getline and split into twelve strings of one reused record.
//   BM_FwriteBaseline: the same bytes in one fwrite, then fsync.
//   BM_SaveLoadedArchive: the save of an archive as start-up loaded it.
//   BM_StartupPath: everything from films.txt to a filled title list model, without widgets;
//   its counter resident_per_file_byte is what the loaded archive keeps resident per file byte.
//   BM_FirstFilter: the first title filter pass right after that, with its list fill.
//   BM_FilterBeforeTheIndex: the same pass on the records, as while the index is rebuilt.
// PELLICORIO_BENCH_DIR chooses where the files go (default: the temporary folder).
#include "archive/archive_file.h"

#include "base/dates.h"
#include "browser/filters.h"
#include "browser/genres.h"
#include "browser/index_keeper.h"
#include "browser/open_archive.h"
#include "platform/dialogs.h"
#include "ui/title_list_model.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <malloc.h>
#include <map>
#include <memory>
#include <random>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
const RegionalSettings kItalian = RegionalSettings::italian();

class SilentDialogs : public Dialogs
{
public:
    void message(Kind, const std::string&) override {}
    bool confirm(Kind, const std::string&) override { return false; }
    std::optional<std::string> inputBox(const std::string&, const std::string&, const std::string&) override
    {
        return std::string("bench");
    }
    std::optional<std::string> chooseFolder(const std::string&) override { return std::nullopt; }
    std::optional<std::string> chooseFile(const std::string&, const std::string&) override { return std::nullopt; }
    std::optional<std::string> chooseSaveFile(const SaveFile&) override { return std::nullopt; }
    void beep() override {}
    void setClipboardText(const std::string&) override {}
    void openUrl(const std::string&) override {}
};

fs::path benchFolder()
{
    const char* env = std::getenv("PELLICORIO_BENCH_DIR");
    fs::path dir = env && *env ? fs::path(env) : fs::temp_directory_path() / "pellicorio-bench";
    fs::create_directories(dir);
    return dir;
}

std::string text_upper(std::string s);

std::string words(std::mt19937& rnd, int count)
{
    static const char* const kWords[] = {"il", "la", "di", "amore", "notte", "citt\xE0", "ritorno", "ombra",
                                          "guerra", "segreto", "viaggio", "mare", "fuoco", "ultimo", "tempo",
                                          "strada", "cuore", "destino", "cielo", "uomo", "donna", "sogno"};
    std::uniform_int_distribution<int> pick(0, static_cast<int>(std::size(kWords)) - 1);
    std::string out;
    for (int i = 0; i < count; ++i) {
        if (i)
            out += ' ';
        out += kWords[pick(rnd)];
    }
    return out;
}

ArchiveModel makeArchive(int n)
{
    std::mt19937 rnd(n);
    std::uniform_int_distribution<int> genre(0, 299), plotWords(40, 70), day(0, 7000);
    ArchiveModel m;
    m.ArchiveTable.reserveRows(n);
    for (int i = 1; i <= n; ++i) {
        dfilm& r = m.ArchiveTable.edit(i);
        r.titolo = text_upper(words(rnd, 3)) + " " + std::to_string(i) + ".AVI";
        r.genere = "GENERE " + std::to_string(genre(rnd));
        r.attore1 = "Attore " + words(rnd, 2) + ", Attrice " + words(rnd, 2);
        r.attore2 = "Caratterista " + words(rnd, 2);
        r.regia = "Regista " + words(rnd, 1);
        r.posizione = "Gino-FILM" + std::to_string(i % 500);
        r.durata = std::to_string(80 + i % 90) + "'";
        r.datau = std::to_string(1950 + i % 75);
        r.dataa = 36000 + day(rnd);
        r.dimmb = 700 + (i % 1000) / 7.0;
        r.riservato = 0;
        r.trama = words(rnd, plotWords(rnd)) + ".";
        ++m.ArchiveCount;
    }
    return m;
}

// Builds the archive of n records once, with its file.
struct Fixture
{
    ArchiveModel model;
    std::string bytes;
    fs::path file;
};

Fixture& fixture(int n)
{
    static std::map<int, Fixture> cache;
    auto it = cache.find(n);
    if (it != cache.end())
        return it->second;
    Fixture& f = cache[n];
    f.model = makeArchive(n);
    f.bytes = formatArchive(f.model.ArchiveTable, f.model.ArchiveCount, kItalian);
    f.file = benchFolder() / ("films-" + std::to_string(n) + ".txt");
    std::ofstream(f.file, std::ios::binary | std::ios::trunc) << f.bytes;
    return f;
}

std::string text_upper(std::string s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return s;
}

void BM_LoadArchive(benchmark::State& state)
{
    Fixture& f = fixture(static_cast<int>(state.range(0)));
    SilentDialogs dialogs;
    for (auto _ : state) {
        ArchiveModel m;
        LoadArchive(m, f.file.string(), kItalian, dialogs);
        if (m.ArchiveCount != f.model.ArchiveCount)
            state.SkipWithError("wrong count");
        benchmark::DoNotOptimize(m.ViewCount);
        state.PauseTiming(); // freeing two tables is not part of the load
        { ArchiveModel gone = std::move(m); }
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(f.bytes.size()));
}

void BM_SplitBaseline(benchmark::State& state)
{
    Fixture& f = fixture(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::ifstream in(f.file, std::ios::binary);
        std::string line;
        std::string fields[12];
        long lines = 0;
        while (std::getline(in, line)) {
            std::size_t start = 0;
            for (int k = 0; k < 11; ++k) {
                const std::size_t tab = line.find('\t', start);
                fields[k].assign(line, start, tab - start);
                start = tab + 1;
            }
            fields[11].assign(line, start);
            ++lines;
        }
        benchmark::DoNotOptimize(fields);
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(f.bytes.size()));
}

void BM_SaveArchive(benchmark::State& state)
{
    Fixture& f = fixture(static_cast<int>(state.range(0)));
    const std::string path = (benchFolder() / "save-films.txt").string();
    for (auto _ : state)
        SaveArchive(f.model, path, kItalian);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(f.bytes.size()));
}

// The save after a start-up load, whose records are still lines of the file read.
void BM_SaveLoadedArchive(benchmark::State& state)
{
    Fixture& f = fixture(static_cast<int>(state.range(0)));
    SilentDialogs dialogs;
    ArchiveModel m;
    LoadArchive(m, f.file.string(), kItalian, dialogs);
    const std::string path = (benchFolder() / "save-loaded-films.txt").string();
    for (auto _ : state)
        SaveArchive(m, path, kItalian);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(f.bytes.size()));
}

void BM_FwriteBaseline(benchmark::State& state)
{
    Fixture& f = fixture(static_cast<int>(state.range(0)));
    const std::string path = (benchFolder() / "fwrite-films.txt").string();
    for (auto _ : state) {
        FILE* out = std::fopen(path.c_str(), "wb");
        std::fwrite(f.bytes.data(), 1, f.bytes.size(), out);
        std::fflush(out);
        ::fsync(fileno(out));
        std::fclose(out);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(f.bytes.size()));
}

long residentBytes()
{
    malloc_trim(0); // what the allocator keeps for later is not the archive's
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return resident * ::sysconf(_SC_PAGESIZE);
}

// What the program holds once its title list is filled.
struct Opened
{
    ArchiveModel model;
    std::unique_ptr<IndexKeeper> keeper = std::make_unique<IndexKeeper>();
    OpenedArchive opened;
    std::unique_ptr<TitleListModel> titles = std::make_unique<TitleListModel>();
};

void startupPath(Opened& o, const std::string& path, Dialogs& dialogs)
{
    o.opened = OpenArchive(o.model, path, kItalian, dialogs, *o.keeper);
    o.titles->setArchive(&o.model);
    o.titles->fill(o.model.ViewCount, std::move(o.opened.listRows));
}

void BM_StartupPath(benchmark::State& state)
{
    Fixture& f = fixture(static_cast<int>(state.range(0)));
    SilentDialogs dialogs;
    double perByte = 0;
    bool first = true;
    for (auto _ : state) {
        state.PauseTiming();
        const long before = residentBytes();
        auto o = std::make_unique<Opened>();
        state.ResumeTiming();
        startupPath(*o, f.file.string(), dialogs);
        state.PauseTiming();
        if (o->model.ArchiveCount != f.model.ArchiveCount || o->titles->rowCount() != o->model.ArchiveCount)
            state.SkipWithError("wrong count");
        // Measured on the first pass: later ones reuse what the allocator kept of the earlier.
        if (first)
            perByte = static_cast<double>(residentBytes() - before) / static_cast<double>(f.bytes.size());
        first = false;
        o.reset();
        state.ResumeTiming();
    }
    state.counters["resident_per_file_byte"] = perByte;
}

void BM_FirstFilter(benchmark::State& state)
{
    Fixture& f = fixture(static_cast<int>(state.range(0)));
    SilentDialogs dialogs;
    const FilterCriteria criteria = FilterCriteria::read({"amore", "", "", "", "", "", std::nullopt}, kItalian);
    int matches = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto o = std::make_unique<Opened>();
        startupPath(*o, f.file.string(), dialogs);
        state.ResumeTiming();
        ApplyFilters(o->model, criteria, *o->keeper);
        o->titles->fill(o->model.ViewCount);
        state.PauseTiming();
        matches = o->model.ViewCount;
        o.reset();
        state.ResumeTiming();
    }
    state.counters["matches"] = matches;
}

// A keystroke while the index is being built again after a change: the records themselves.
void BM_FilterBeforeTheIndex(benchmark::State& state)
{
    Fixture& f = fixture(static_cast<int>(state.range(0)));
    SilentDialogs dialogs;
    const FilterCriteria criteria = FilterCriteria::read({"amore", "", "", "", "", "", std::nullopt}, kItalian);
    Opened o;
    startupPath(o, f.file.string(), dialogs);
    for (auto _ : state) {
        ApplyFilters(o.model, criteria);
        o.titles->fill(o.model.ViewCount);
    }
    state.counters["matches"] = o.model.ViewCount;
}

// Several seconds each, so that a million-record run is measured over more than one load.
#define ARCHIVE_SIZES ->Arg(2000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(4.0)
BENCHMARK(BM_LoadArchive) ARCHIVE_SIZES;
BENCHMARK(BM_SplitBaseline) ARCHIVE_SIZES;
BENCHMARK(BM_SaveArchive) ARCHIVE_SIZES;
BENCHMARK(BM_SaveLoadedArchive) ARCHIVE_SIZES;
BENCHMARK(BM_FwriteBaseline) ARCHIVE_SIZES;
#define STARTUP_SIZES ->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5)
BENCHMARK(BM_StartupPath) STARTUP_SIZES;
BENCHMARK(BM_FirstFilter) STARTUP_SIZES;
BENCHMARK(BM_FilterBeforeTheIndex) STARTUP_SIZES;

} // namespace

BENCHMARK_MAIN();
