// Painting the preview as someone with a colour-vision deficiency sees it, against the plain
// paint of the same map, in one run: each iteration paints both ways, timed apart, and the
// "ratio" counter is simulated time over plain time (the budget is 1.5). The time shown is the
// simulated paint's, item colours simulated afresh each time as the window does.

#include "ShippedPreview.h"
#include "ShippedScheme.h"
#include "editing/ColorScience.h"
#include "preview/PreviewMap.h"
#include "preview/PreviewPainter.h"
#include "scheme/SchemeFile.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <random>
#include <vector>

namespace {

// The shipped preview has no fixed-colour cells; screenshots of signs and text give some.
// This stamps small pictures of a few hundred fixed colours over it.
TPreviewMap WithFixedPictures(TPreviewMap map)
{
    std::mt19937 random(20240601);
    const int scale = std::max(1, map.Width() / 240);
    for (int i = 0; i < 20 * scale * scale; ++i) {
        const int left = int(random() % unsigned(map.Width()));
        const int top = int(random() % unsigned(map.Height()));
        for (int y = top; y < std::min(map.Height(), top + 12); ++y)
            for (int x = left; x < std::min(map.Width(), left + 12); ++x)
                map.SetCell(x, y, std::uint32_t(random() % 300) * 0x010203);
    }
    return map;
}

void PaintThroughSimulation(benchmark::State& state)
{
    const int width = int(state.range(0));
    const int height = int(state.range(1));
    const TPreviewMap shipped = ShippedPreview(width, height);
    const TPreviewMap map = state.range(2) != 0 ? WithFixedPictures(shipped) : shipped;
    const std::vector<TRGBTriple> colors = ShippedSchemeColors();
    const std::ptrdiff_t bytesPerLine = 3 * width;
    std::vector<std::uint8_t> plain(std::size_t(bytesPerLine) * std::size_t(height));
    std::vector<std::uint8_t> simulated(plain.size());
    const TVisionDeficiency deficiency = TVisionDeficiency::Deuteranopia;
    const TColorTransform transform
        = [deficiency](const TRGBTriple& color) { return SimulateVision(deficiency, color); };

    using TClock = std::chrono::steady_clock;
    TClock::duration plainTotal {};
    TClock::duration simulatedTotal {};
    for (auto _ : state) {
        const TClock::time_point start = TClock::now();
        PaintPreviewPixels(map, colors, plain.data(), bytesPerLine);
        benchmark::ClobberMemory();
        const TClock::time_point between = TClock::now();
        std::vector<TRGBTriple> seen(colors.size());
        std::transform(colors.begin(), colors.end(), seen.begin(), transform);
        PaintPreviewPixelsThrough(map, seen, transform, simulated.data(), bytesPerLine);
        benchmark::ClobberMemory();
        const TClock::time_point end = TClock::now();
        plainTotal += between - start;
        simulatedTotal += end - between;
        state.SetIterationTime(std::chrono::duration<double>(end - between).count());
    }
    const double runs = double(state.iterations());
    state.counters["plain_us"]
        = std::chrono::duration<double, std::micro>(plainTotal).count() / runs;
    state.counters["simulated_us"]
        = std::chrono::duration<double, std::micro>(simulatedTotal).count() / runs;
    state.counters["ratio"] = double(simulatedTotal.count()) / double(plainTotal.count());
}

} // namespace

// Width, height, and whether fixed-colour pictures are stamped over the shipped preview.
BENCHMARK(PaintThroughSimulation)
    ->Args({240, 320, 0})
    ->Args({3840, 2160, 0})
    ->Args({240, 320, 1})
    ->Args({3840, 2160, 1})
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
