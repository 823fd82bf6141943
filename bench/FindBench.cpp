// Finding items in a document of 100,000 items (a generated colour file): what each keystroke
// in the find window costs the core, query by query, against preparing the document once per
// change. The budget is 50 ms per keystroke, window included (FindWindowBench).

#include "GeneratedScheme.h"
#include "ShippedPreview.h"
#include "tools/find/FindQuery.h"
#include "preview/ItemNeighbours.h"
#include "tools/find/ItemSearch.h"
#include "scheme/SavedScheme.h"
#include "scheme/SchemeFile.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

struct TDocument
{
    std::vector<TSchemeItem> Items;
    std::vector<TRGBTriple> Colors;
    TSavedScheme Saved;
};

const TDocument& Document()
{
    static const TDocument document = [] {
        const std::filesystem::path file = std::filesystem::temp_directory_path()
            / ("tintwright-bench-find-" + std::to_string(::getpid()) + ".clr");
        std::ofstream(file, std::ios::binary) << GeneratedSchemeText(100000);
        TDocument read;
        read.Items = ReadSchemeFile(file);
        std::filesystem::remove(file);
        for (const TSchemeItem& item : read.Items)
            read.Colors.push_back(item.Color);
        read.Saved.Reset(read.Items);
        return read;
    }();
    return document;
}

TItemSearch PreparedSearch()
{
    TItemSearch search;
    search.SetNeighbours(TItemNeighbours(ShippedPreview(240, 320)));
    search.SetItems(
        Document().Colors, [](std::size_t item) { return Document().Items[item].Description; });
    return search;
}

void BM_PrepareDocument(benchmark::State& state)
{
    const TItemNeighbours neighbours(ShippedPreview(240, 320));
    for (auto _ : state) {
        TItemSearch search;
        search.SetNeighbours(neighbours);
        search.SetItems(
            Document().Colors, [](std::size_t item) { return Document().Items[item].Description; });
        benchmark::DoNotOptimize(search);
    }
    state.counters["items"] = double(Document().Colors.size());
}
BENCHMARK(BM_PrepareDocument)->Unit(benchmark::kMillisecond);

// One keystroke: the query parsed and run over every item.
void BM_FindQuery(benchmark::State& state, const char* text, TFindFilters filters)
{
    const TItemSearch search = PreparedSearch();
    std::size_t found = 0;
    for (auto _ : state) {
        const std::vector<TFindHit> hits
            = search.Find(ParseFindQuery(text), filters, Document().Saved);
        found = hits.size();
        benchmark::DoNotOptimize(hits.data());
    }
    state.counters["found"] = double(found);
}
BENCHMARK_CAPTURE(BM_FindQuery, word, "road", TFindFilters {})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FindQuery, two_words_accent, "grun strasse", TFindFilters {})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FindQuery, number, "54321", TFindFilters {})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FindQuery, code, "#F80", TFindFilters {})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FindQuery, near, "near #FF8800", TFindFilters {})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FindQuery, near_grey, "near 128 128 128", TFindFilters {})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FindQuery, filter_only, "", TFindFilters {false, true, false})
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
