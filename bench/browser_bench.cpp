// Filter passes and the genre refresh over large archives with realistic texts.
#include "browser/filters.h"
#include "browser/genres.h"

#include "base/dates.h"

#include "sample_words.h"

#include <benchmark/benchmark.h>

#include <map>
#include <random>

namespace {

const RegionalSettings kItalian = RegionalSettings::italian();

std::string text_upper(std::string s);

const ArchiveModel& archive(int n)
{
    static std::map<int, ArchiveModel> cache;
    if (auto it = cache.find(n); it != cache.end())
        return it->second;
    std::mt19937 rnd(n);
    std::uniform_int_distribution<int> genre(0, 399), day(0, 7000);
    const auto words = [&](int k) { return sampleWords(rnd, k); };
    ArchiveModel& m = cache[n];
    m.ArchiveTable.reserveRows(n);
    for (int i = 1; i <= n; ++i) {
        dfilm& r = m.ArchiveTable.edit(i);
        r.titolo = text_upper(words(3)) + " " + std::to_string(i) + ".AVI";
        r.genere = "GENERE " + std::to_string(genre(rnd));
        r.attore1 = "Attore " + words(2);
        r.attore2 = "Attrice " + words(2);
        r.regia = "Regista " + words(1);
        r.posizione = "Gino-FILM" + std::to_string(i % 500);
        r.dataa = 36000 + day(rnd);
        r.trama = words(60);
    }
    m.ArchiveCount = n;
    m.copyArchiveToView();
    return m;
}

void run(benchmark::State& state, const FilterTexts& texts)
{
    ArchiveModel m = archive(static_cast<int>(state.range(0)));
    const FilterCriteria criteria = FilterCriteria::read(texts, kItalian);
    SearchIndex index;
    index.refresh(m); // built once after a load or a change, then kept while the user types
    for (auto _ : state) {
        ApplyFilters(m, criteria, &index);
        benchmark::DoNotOptimize(m.ViewCount);
    }
    state.counters["matches"] = m.ViewCount;
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_ApplyFiltersTitle(benchmark::State& state) { run(state, {"amore", "", "", "", "", "", std::nullopt}); }

void BM_ApplyFiltersAll(benchmark::State& state)
{
    run(state, {"a", "GENERE 7", "attrice", "regista", "01/01/2000", "film", std::nullopt});
}

void BM_RefreshGenres(benchmark::State& state)
{
    ArchiveModel m = archive(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        RefreshGenres(m);
        const Statistics s = RefreshStatistics(m);
        benchmark::DoNotOptimize(s.counts.data());
    }
    state.counters["genres"] = m.GenreCount;
}

void BM_BuildSearchIndex(benchmark::State& state)
{
    const ArchiveModel& m = archive(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        SearchIndex index;
        index.refresh(m);
        benchmark::DoNotOptimize(index.arrival(1));
    }
}

BENCHMARK(BM_ApplyFiltersTitle)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ApplyFiltersAll)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildSearchIndex)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RefreshGenres)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

std::string text_upper(std::string s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 32);
    return s;
}

} // namespace

BENCHMARK_MAIN();
