// The read-outs' costs: the one pass over a loaded map that finds the touching items, and the
// texts asked for per pointer move (a pixel's read-out) and per list tooltip (an item's
// neighbours and contrasts), on the shipped preview and a screen-sized map tiled from it.

#include "ShippedPreview.h"
#include "ShippedScheme.h"
#include "preview/ItemNeighbours.h"
#include "tools/readout/ItemReadout.h"
#include "preview/PreviewFile.h"
#include "preview/PreviewMap.h"
#include "scheme/SchemeFile.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

const TPreviewMap& Preview(int width)
{
    static const TPreviewMap small = ShippedPreview(240, 320);
    static const TPreviewMap large = ShippedPreview(3840, 2160);
    return width == 240 ? small : large;
}

TAnsiString SchemeDescription(std::size_t item)
{
    return ShippedScheme()[item].Description;
}

void NeighboursOfMap(benchmark::State& state)
{
    const TPreviewMap& map = Preview(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(TItemNeighbours(map));
    state.SetItemsProcessed(state.iterations() * map.Cells().size());
    state.counters["pairs"] = static_cast<double>(TItemNeighbours(map).Pairs().size());
}

// A pointer sweeping along the rows, a new cell at each step.
void PixelReadout(benchmark::State& state)
{
    const TPreviewMap& map = Preview(240);
    const std::vector<TRGBTriple> colors = ShippedSchemeColors();
    const TReadoutItems items {colors, SchemeDescription};
    std::size_t at = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(CellReadoutText(map.Cells()[at], items));
        at = (at + 7) % map.Cells().size();
    }
}

void ListEntryReadout(benchmark::State& state)
{
    const TItemNeighbours neighbours(Preview(240));
    const std::vector<TRGBTriple> colors = ShippedSchemeColors();
    const TReadoutItems items {colors, SchemeDescription};
    std::size_t item = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ItemEntryText(item, items, neighbours));
        item = (item + 1) % colors.size();
    }
}

} // namespace

BENCHMARK(NeighboursOfMap)->Arg(240)->Arg(3840)->Unit(benchmark::kMillisecond);
BENCHMARK(PixelReadout)->Unit(benchmark::kNanosecond);
BENCHMARK(ListEntryReadout)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
