// The media folder scan against a plain listing of the same folder, and the title sort with
// duplicate removal that every addition and merge runs over the whole archive.
#include "intake/media_scan.h"
#include "intake/remove_duplicates.h"
#include "intake/title_sort.h"

#include "base/text.h"
#include "sample_words.h"

#include <benchmark/benchmark.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

const std::array<std::string, 7> kVideo = {".avi", ".mpg", ".divx", ".mpeg", ".wmv", ".wmf", ".asf"};

// A folder of n files: seven in eight carry a video extension in lower, upper or mixed case,
// the rest are other files. Made once per process and removed at exit.
const fs::path& mediaFolder(int n)
{
    struct Folder
    {
        fs::path path;
        ~Folder()
        {
            std::error_code ec;
            fs::remove_all(path, ec);
        }
    };
    static std::map<int, Folder> made;
    if (auto it = made.find(n); it != made.end())
        return it->second.path;
    Folder& f = made[n];
    f.path = fs::temp_directory_path() / ("pellicorio-intake-bench-" + std::to_string(n));
    fs::remove_all(f.path);
    fs::create_directories(f.path);
    for (int i = 0; i < n; ++i) {
        std::string ext = i % 8 == 7 ? (i % 16 == 7 ? ".txt" : ".srt") : kVideo[static_cast<std::size_t>(i % 8)];
        if (i % 3 == 1)
            ext = text::upperAscii(ext);
        else if (i % 3 == 2)
            ext[1] = static_cast<char>(ext[1] - 32);
        std::ofstream(f.path / ("Film numero " + std::to_string(i) + ext)) << i;
    }
    return f.path;
}

void BM_ScanMediaFolder(benchmark::State& state)
{
    const fs::path& folder = mediaFolder(static_cast<int>(state.range(0)));
    Settings settings = Settings::defaults("/nowhere");
    settings.MediaFolder = folder.string();
    settings.NickName = "Gino";
    IntakeModel intake;
    intake.VolumeLabel = "FILM01";
    for (auto _ : state) {
        ScanMediaFolder(intake, settings);
        benchmark::DoNotOptimize(intake.IntakeCount);
    }
    state.counters["entries"] = intake.IntakeCount;
}
BENCHMARK(BM_ScanMediaFolder)->Arg(20000)->Unit(benchmark::kMillisecond);

// The least a scan must do: list the folder, match the extensions ignoring case, stat each match.
void BM_ScanBaseline(benchmark::State& state)
{
    const fs::path& folder = mediaFolder(static_cast<int>(state.range(0)));
    int found = 0;
    for (auto _ : state) {
        found = 0;
        for (const fs::directory_entry& e : fs::directory_iterator(folder)) {
            const std::string ext = text::lowerAscii(e.path().extension().string());
            bool video = false;
            for (const std::string& v : kVideo)
                video = video || ext == v;
            if (!video)
                continue;
            struct stat st {};
            if (::stat(e.path().c_str(), &st) == 0)
                ++found;
        }
        benchmark::DoNotOptimize(found);
    }
    state.counters["entries"] = found;
}
BENCHMARK(BM_ScanBaseline)->Arg(20000)->Unit(benchmark::kMillisecond);

// An unsorted archive of n records with one in ten repeating an earlier one.
const ArchiveModel& unsortedArchive(int n)
{
    static std::map<int, ArchiveModel> cache;
    if (auto it = cache.find(n); it != cache.end())
        return it->second;
    std::mt19937 rnd(n);
    std::uniform_int_distribution<int> earlier(1, n);
    ArchiveModel& m = cache[n];
    m.ArchiveTable.reserveRows(n);
    for (int i = 1; i <= n; ++i) {
        const int j = i > 10 && i % 10 == 0 ? std::uniform_int_distribution<int>(1, i - 1)(rnd) : 0;
        dfilm& r = m.ArchiveTable.edit(i);
        if (j) {
            r = m.ArchiveTable.row(j);
            continue;
        }
        r.titolo = text::upperAscii(sampleWords(rnd, 3)) + " " + std::to_string(earlier(rnd)) + ".AVI";
        r.genere = "FANTASCIENZA";
        r.posizione = "Gino-FILM" + std::to_string(i % 500);
        r.dimmb = 700 + i % 7;
        r.trama = "Trama del film numero " + std::to_string(i);
    }
    m.ArchiveCount = n;
    return m;
}

void BM_SortAndRemoveDuplicates(benchmark::State& state)
{
    const ArchiveModel& source = unsortedArchive(static_cast<int>(state.range(0)));
    int removed = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ArchiveModel m;
        m.ArchiveTable = source.ArchiveTable;
        m.ArchiveCount = source.ArchiveCount;
        state.ResumeTiming();
        SortArchiveTable(m);
        removed = RemoveDuplicates(m, {});
        benchmark::DoNotOptimize(m.ArchiveCount);
        state.PauseTiming();
        m = ArchiveModel();
        state.ResumeTiming();
    }
    state.counters["removed"] = removed;
}
BENCHMARK(BM_SortAndRemoveDuplicates)->Arg(1000000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
