// Reading every item's colour from a screenshot (Tools > Import colors): a 3840 x 2160 screenshot
// of a map of 400 areas, lossless, with JPEG-like noise (read as lossless pixels and as a JPEG's,
// from the cells whose chroma is their item's alone), and at twice the map's size (reduced
// first), against painting the same map once, the plain operation the preview repeats on every
// edit. Budget: under 100 ms per screenshot.

#include "AreaMap.h"
#include "editing/ColorScience.h"
#include "preview/PreviewMap.h"
#include "preview/PreviewPainter.h"
#include "tools/import/ScreenshotColors.h"
#include "scheme/SchemeFile.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

namespace {

// The areas of MakeAreaMap; each row of seeds is crossed by a road two cells wide, an item of its
// own, whose cells have no interior.
TPreviewMap MakeCityMap(int width, int height, int columns, int rows)
{
    TPreviewMap map = MakeAreaMap(width, height, columns, rows);
    const double cellHeight = double(height) / rows;
    for (int r = 0; r < rows; ++r) {
        const int y = int((r + 0.5) * cellHeight);
        for (int x = 0; x < width; ++x) {
            map.SetCell(x, y, ItemReferenceBase + std::uint32_t(columns * rows + r));
            map.SetCell(x, y + 1, ItemReferenceBase + std::uint32_t(columns * rows + r));
        }
    }
    return map;
}

struct TScreenshot
{
    int Width;
    int Height;
    std::vector<std::uint8_t> Pixels;
};

struct TCase
{
    TPreviewMap Map;
    std::size_t ItemCount;
    TScreenshot Lossless;
    TScreenshot Noisy;
    TScreenshot Doubled; // of the half-size map
    TPreviewMap HalfMap;
};

TScreenshot Paint(const TPreviewMap& map, const std::vector<TRGBTriple>& colors)
{
    TScreenshot shot {map.Width(), map.Height(), {}};
    shot.Pixels.reserve(map.Cells().size() * 3);
    // As the navigator paints it: the whole index names the item (the preview's painter takes
    // only its low byte).
    for (std::size_t i = 0; i < map.Cells().size(); ++i) {
        const TRGBTriple& color = colors[map.Cells()[i] - ItemReferenceBase];
        shot.Pixels.insert(shot.Pixels.end(), {color.rgbtRed, color.rgbtGreen, color.rgbtBlue});
    }
    return shot;
}

const TCase& Case()
{
    static const TCase c = [] {
        // 380 areas and 20 roads in muted colours, many of them close, as on a real map.
        std::mt19937 random(5);
        std::vector<TRGBTriple> colors(400);
        for (TRGBTriple& color : colors)
            color = FromOklchMapped({0.6 + 0.3 * random() / double(random.max()),
                0.1 * random() / double(random.max()), 360.0 * random() / double(random.max())});
        TCase made {MakeCityMap(3840, 2160, 20, 19), colors.size(), {}, {}, {}, {}};
        made.Lossless = Paint(made.Map, colors);
        // Up to 3 levels off in each channel, as JPEG leaves a flat area.
        made.Noisy = made.Lossless;
        for (std::uint8_t& byte : made.Noisy.Pixels)
            byte = std::uint8_t(std::clamp(int(byte) + int(random() % 7) - 3, 0, 255));
        made.HalfMap = MakeCityMap(1920, 1080, 20, 19);
        const TScreenshot half = Paint(made.HalfMap, colors);
        made.Doubled = {3840, 2160, std::vector<std::uint8_t>(3840 * 2160 * 3)};
        for (int y = 0; y < 2160; ++y)
            for (int x = 0; x < 3840; ++x)
                for (int k = 0; k < 3; ++k)
                    made.Doubled.Pixels[std::size_t((y * 3840 + x) * 3 + k)]
                        = half.Pixels[std::size_t(((y / 2) * 1920 + x / 2) * 3 + k)];
        return made;
    }();
    return c;
}

void Read(
    benchmark::State& state, const TPreviewMap& map, const TScreenshot& shot, bool lossy = false)
{
    const TCase& c = Case();
    for (auto _ : state) {
        const int scale = ScreenshotScale(shot.Width, shot.Height, map.Width(), map.Height());
        const TPixelCoding coding = CellCoding(lossy, scale);
        if (scale == 1) {
            benchmark::DoNotOptimize(
                ReadItemColors(map, c.ItemCount, shot.Pixels.data(), shot.Width * 3, coding));
        } else {
            const TRgbPixels reduced = ReduceScreenshot(
                shot.Pixels.data(), shot.Width, shot.Height, shot.Width * 3, scale);
            benchmark::DoNotOptimize(ReadItemColors(
                map, c.ItemCount, reduced.Bytes.data(), reduced.BytesPerLine(), coding));
        }
    }
}

void ReadLossless(benchmark::State& state)
{
    Read(state, Case().Map, Case().Lossless);
}

void ReadNoisy(benchmark::State& state)
{
    Read(state, Case().Map, Case().Noisy);
}

void ReadNoisyAsJpeg(benchmark::State& state)
{
    Read(state, Case().Map, Case().Noisy, true);
}

void ReadTwiceThePreviewSize(benchmark::State& state)
{
    Read(state, Case().HalfMap, Case().Doubled);
}

// What the readings are measured against: one paint of the same map.
void PaintSameMap(benchmark::State& state)
{
    const TCase& c = Case();
    std::vector<TRGBTriple> colors(c.ItemCount, TRGBTriple {1, 2, 3});
    std::vector<std::uint8_t> pixels(c.Lossless.Pixels.size());
    for (auto _ : state) {
        PaintPreviewPixels(c.Map, colors, pixels.data(), c.Map.Width() * 3);
        benchmark::DoNotOptimize(pixels.data());
    }
}

} // namespace

BENCHMARK(PaintSameMap)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadLossless)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadNoisy)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadNoisyAsJpeg)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadTwiceThePreviewSize)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
