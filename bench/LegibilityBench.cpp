// The legibility check's cost while the user edits: bringing its rows up to date after one
// item's colour changed, under normal vision and under every kind of vision at once (budget: under
// 1 ms on the shipped preview, under 20 ms on the screen-sized map), against working them all out
// afresh, on the shipped preview and scheme and on a screen-sized map of 400 items.

#include "AreaMap.h"
#include "ShippedPreview.h"
#include "ShippedScheme.h"
#include "editing/ColorScience.h"
#include "preview/ItemNeighbours.h"
#include "preview/Legibility.h"
#include "preview/PreviewMap.h"
#include "scheme/SchemeFile.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

namespace {

struct TCase
{
    TPreviewMap Map;
    std::vector<TRGBTriple> Colors;
};

const TCase& Case(int width)
{
    static const TCase shipped {ShippedPreview(240, 320), ShippedSchemeColors()};
    static const TCase areas = [] {
        return TCase {MakeAreaMap(3840, 2160, 20, 20), MutedColors(400)};
    }();
    return width == 240 ? shipped : areas;
}

// Each step gives one item (in turn, among those on the map) another colour, or its own back;
// the second argument is the choice of vision (0 normal, 5 every kind at once).
void UpdateAfterOneColourChange(benchmark::State& state)
{
    const TCase& c = Case(int(state.range(0)));
    const TItemNeighbours neighbours(c.Map);
    TLegibility legibility(neighbours.TouchingPairs(), c.Colors, TJudgedVision(state.range(1)),
        DefaultLegibilityThreshold, {});
    std::vector<std::uint32_t> items;
    for (const std::uint32_t item : neighbours.Items())
        if (item < c.Colors.size())
            items.push_back(item);
    std::size_t step = 0;
    for (auto _ : state) {
        const std::uint32_t item = items[step % items.size()];
        const bool back = step / items.size() % 2 == 1;
        const TRGBTriple color = c.Colors[item];
        legibility.SetColor(item,
            back ? color
                 : TRGBTriple {color.rgbtBlue, color.rgbtGreen,
                     static_cast<std::uint8_t>(color.rgbtRed ^ 0x20)});
        benchmark::DoNotOptimize(legibility.FlaggedCount());
        ++step;
    }
    state.counters["rows"] = double(legibility.Rows().size());
    state.counters["flagged"] = double(legibility.FlaggedCount());
}

void AllRowsAfresh(benchmark::State& state)
{
    const TCase& c = Case(int(state.range(0)));
    const std::vector<TTouchingPair> pairs = TItemNeighbours(c.Map).TouchingPairs();
    for (auto _ : state)
        benchmark::DoNotOptimize(TLegibility(
            pairs, c.Colors, TJudgedVision(state.range(1)), DefaultLegibilityThreshold, {})
                                     .FlaggedCount());
}

// Once per loaded map: the pass that finds the touching pairs and their borders.
void PairsOfMap(benchmark::State& state)
{
    const TCase& c = Case(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(TItemNeighbours(c.Map).TouchingPairs());
    state.counters["pairs"] = double(TItemNeighbours(c.Map).TouchingPairs().size());
}

} // namespace

BENCHMARK(UpdateAfterOneColourChange)
    ->Args({240, 0})
    ->Args({240, 5})
    ->Args({3840, 0})
    ->Args({3840, 5})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(AllRowsAfresh)
    ->Args({240, 0})
    ->Args({240, 5})
    ->Args({3840, 0})
    ->Args({3840, 5})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(PairsOfMap)->Arg(240)->Arg(3840)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
