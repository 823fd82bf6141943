// Matching the links of a help file's contents against its entries (TChmPathIndex): each link
// should cost about one lookup whatever its length and however many entries the file has. The
// plain lookup of each entry is the yardstick; links full of slashes must stay close to it.
#include "help/ChmPathIndex.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> ArchivePaths(std::size_t count)
{
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < count; ++i)
        paths.push_back("/sub" + std::to_string(i % 10) + "/p" + std::to_string(i) + ".htm");
    return paths;
}

void BM_FindEachEntry(benchmark::State& state)
{
    const std::vector<std::string> stored = ArchivePaths(std::size_t(state.range(0)));
    const std::vector<std::string_view> paths(stored.begin(), stored.end());
    const TChmPathIndex index(paths);
    for (auto _ : state) {
        for (const std::string& path : stored)
            benchmark::DoNotOptimize(index.Find(path));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Links as a hostile contents file writes them: 100 slashes before the page's name.
void BM_ResolveSlashedLinks(benchmark::State& state)
{
    const std::vector<std::string> stored = ArchivePaths(std::size_t(state.range(0)));
    const std::vector<std::string_view> paths(stored.begin(), stored.end());
    const TChmPathIndex index(paths);
    std::vector<std::string> links;
    for (const std::string& path : stored)
        links.push_back(std::string(100, '/') + path.substr(path.rfind('/') + 1));
    for (auto _ : state) {
        for (const std::string& link : links)
            benchmark::DoNotOptimize(index.ResolveTopic(link));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_FindEachEntry)->Arg(1000)->Arg(100000);
BENCHMARK(BM_ResolveSlashedLinks)->Arg(1000)->Arg(100000);

} // namespace

BENCHMARK_MAIN();
