// Screenshot scan speed against two measures: the floor no scan can beat (read each 3-byte
// pixel, write a 4-byte cell into a fresh map) and the plain walk over the reference entries.

#include "preview/PreviewFile.h"
#include "preview/PreviewMap.h"
#include "preview/ReferenceColors.h"
#include "preview/ReferenceScan.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

struct TScreenshot
{
    int Width;
    int Height;
    std::ptrdiff_t Stride;
    std::vector<std::uint8_t> Pixels;
};

TScreenshot BlankScreenshot(int width, int height)
{
    // Rows padded to 4 bytes, as QImage keeps them.
    const std::ptrdiff_t stride = (3 * width + 3) / 4 * 4;
    return {width, height, stride,
        std::vector<std::uint8_t>(
            static_cast<std::size_t>(stride) * static_cast<std::size_t>(height))};
}

void FillRect(TScreenshot& shot, int left, int top, int width, int height, const TRGBTriple& c)
{
    for (int y = std::max(0, top); y < std::min(shot.Height, top + height); ++y) {
        std::uint8_t* row = shot.Pixels.data() + y * shot.Stride;
        for (int x = std::max(0, left); x < std::min(shot.Width, left + width); ++x) {
            row[3 * x] = c.rgbtRed;
            row[3 * x + 1] = c.rgbtGreen;
            row[3 * x + 2] = c.rgbtBlue;
        }
    }
}

// A harder, busier screen than any navigator shows: a background, areas (parks, water,
// buildings), bordered roads across and along, and small labels and signs in fixed colours
// (black and white, which match no entry below 520 items) with short runs.
TScreenshot NavigatorScreenshot(int width, int height, std::size_t itemCount)
{
    TRGBTripleArray colors(itemCount);
    MakeReferenceColors(colors);
    std::mt19937 random(20240601);
    auto below
        = [&](int limit) { return static_cast<int>(random() % static_cast<unsigned>(limit)); };
    auto item = [&]() -> const TRGBTriple& { return colors[random() % itemCount]; };
    const TRGBTriple black {0, 0, 0};
    const TRGBTriple white {255, 255, 255};

    TScreenshot shot = BlankScreenshot(width, height);
    const int scale = std::max(1, width / 240);
    FillRect(shot, 0, 0, width, height, colors[0]);
    for (int i = 0; i < 30 * scale * scale; ++i)
        FillRect(shot, below(width), below(height), 6 + below(40 * scale), 6 + below(40 * scale),
            item());
    for (int i = 0; i < 10 * scale; ++i) {
        const TRGBTriple& road = item();
        const TRGBTriple& border = item();
        const int half = 1 + below(3 * scale);
        if (i % 2 == 0) {
            const int y = below(height);
            FillRect(shot, 0, y - half - 1, width, 2 * half + 2, border);
            FillRect(shot, 0, y - half, width, 2 * half, road);
        } else {
            const int x = below(width);
            FillRect(shot, x - half - 1, 0, 2 * half + 2, height, border);
            FillRect(shot, x - half, 0, 2 * half, height, road);
        }
    }
    // Labels: a few rows of glyph-like bits, 1 to 3 pixels wide.
    for (int i = 0; i < 8 * scale * scale; ++i) {
        const int left = below(width);
        const int top = below(height);
        const int glyphHeight = 7 * std::max(1, scale / 4);
        for (int y = 0; y < glyphHeight; ++y)
            for (int x = 0; x < 60 * std::max(1, scale / 4); x += 1 + below(3))
                if (below(3) == 0)
                    FillRect(shot, left + x, top + y, 1 + below(2), 1, below(2) ? black : white);
    }
    return shot;
}

// A lossless screenshot of the navigator under a reference scheme: the shipped preview painted
// in the reference colours and scaled up to the screen's size.
TScreenshot ShippedPreviewScreenshot(int width, int height, std::size_t itemCount)
{
    const TPreviewMap preview = ReadPreviewFile(
        std::filesystem::path(TINTWRIGHT_SOURCE_DIR) / "data/previews/Preview.cpf");
    TRGBTripleArray colors(itemCount);
    MakeReferenceColors(colors);
    TScreenshot shot = BlankScreenshot(width, height);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = shot.Pixels.data() + y * shot.Stride;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t cell
                = preview.Cell(x * preview.Width() / width, y * preview.Height() / height);
            TRGBTriple color {static_cast<std::uint8_t>(cell >> 16),
                static_cast<std::uint8_t>(cell >> 8), static_cast<std::uint8_t>(cell)};
            if (IsItemReference(cell) && cell - ItemReferenceBase < itemCount)
                color = colors[cell - ItemReferenceBase];
            row[3 * x] = color.rgbtRed;
            row[3 * x + 1] = color.rgbtGreen;
            row[3 * x + 2] = color.rgbtBlue;
        }
    }
    return shot;
}

TScreenshot RandomScreenshot(int width, int height)
{
    TScreenshot shot = BlankScreenshot(width, height);
    std::mt19937 random(7);
    for (std::uint8_t& byte : shot.Pixels)
        byte = static_cast<std::uint8_t>(random());
    return shot;
}

// The least any scan has to do: a fresh map, each pixel read once and its cell written once.
TPreviewMap Floor(const TScreenshot& shot)
{
    TPreviewMap map(shot.Width, shot.Height);
    for (int y = 0; y < shot.Height; ++y) {
        const std::uint8_t* pixel = shot.Pixels.data() + y * shot.Stride;
        std::uint32_t* cells = map.Row(y);
        for (int x = 0; x < shot.Width; ++x, pixel += 3)
            cells[x] = pixel[0] | pixel[1] << 8 | static_cast<std::uint32_t>(pixel[2]) << 16;
    }
    return map;
}

void Register(
    const std::string& name, const TScreenshot& shot, std::size_t itemCount, int plainIterations)
{
    const auto pixels = static_cast<std::int64_t>(shot.Width) * shot.Height;
    benchmark::RegisterBenchmark((name + "/floor").c_str(),
        [&shot, pixels](benchmark::State& state) {
            for (auto _ : state)
                benchmark::DoNotOptimize(Floor(shot));
            state.SetItemsProcessed(state.iterations() * pixels);
        })
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((name + "/fast").c_str(),
        [&shot, pixels, itemCount](benchmark::State& state) {
            for (auto _ : state)
                benchmark::DoNotOptimize(ScanReferenceImage(
                    shot.Pixels.data(), shot.Width, shot.Height, shot.Stride, itemCount));
            state.SetItemsProcessed(state.iterations() * pixels);
        })
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((name + "/plain").c_str(),
        [&shot, pixels, itemCount](benchmark::State& state) {
            for (auto _ : state)
                benchmark::DoNotOptimize(ScanReferenceImagePlain(
                    shot.Pixels.data(), shot.Width, shot.Height, shot.Stride, itemCount));
            state.SetItemsProcessed(state.iterations() * pixels);
        })
        ->Unit(benchmark::kMillisecond)
        ->Iterations(plainIterations);
}

} // namespace

int main(int argc, char** argv)
{
    const TScreenshot screen4k = ShippedPreviewScreenshot(3840, 2160, 400);
    const TScreenshot busy4k = NavigatorScreenshot(3840, 2160, 400);
    const TScreenshot random4k = RandomScreenshot(3840, 2160);
    const TScreenshot device = ShippedPreviewScreenshot(240, 320, 100);
    Register("screenshot_3840x2160_400_items", screen4k, 400, 1);
    Register("busy_labels_3840x2160_400_items", busy4k, 400, 1);
    Register("random_3840x2160_400_items", random4k, 400, 1);
    Register("screenshot_240x320_100_items", device, 100, 20);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
