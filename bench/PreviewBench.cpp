// Painting and preview-file speed, each against the floor it cannot beat: a plain pass over the
// cells for painting, zlib alone in one call for the file format.

#include "preview/PreviewFile.h"
#include "preview/PreviewMap.h"
#include "preview/PreviewPainter.h"
#include "scheme/SchemeFile.h"

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::uint32_t Item(int index)
{
    return ItemReferenceBase + static_cast<std::uint32_t>(index);
}

void FillRect(TPreviewMap& map, int left, int top, int width, int height, std::uint32_t cell)
{
    // Clipped to the map; a rectangle wholly outside it fills nothing.
    const int first = std::max(0, left);
    const int right = std::min(map.Width(), left + width);
    const int bottom = std::min(map.Height(), top + height);
    if (first >= right)
        return;
    for (int y = std::max(0, top); y < bottom; ++y)
        std::fill(map.Row(y) + first, map.Row(y) + right, cell);
}

// A street map as a navigator draws it: areas and blocks, bordered streets across and along,
// a few diagonals, and some small fixed-colour pictures (signs, text), a few hundred distinct
// cell values in all, mostly in long runs.
TPreviewMap MakeStreetMap(int width, int height)
{
    std::mt19937 random(20240601);
    auto below
        = [&](int limit) { return static_cast<int>(random() % static_cast<unsigned>(limit)); };
    TPreviewMap map(width, height);
    FillRect(map, 0, 0, width, height, Item(0));
    const int scale = std::max(1, width / 240);
    for (int i = 0; i < 40 * scale * scale; ++i) {
        static const int areas[] = {2, 4, 5, 6, 7, 7, 7, 9, 11};
        FillRect(map, below(width), below(height), 8 + below(40 * scale), 8 + below(40 * scale),
            Item(areas[below(9)]));
    }
    for (int i = 0; i < 12 * scale; ++i) {
        static const int classes[] = {13, 15, 17, 19, 21, 21, 21};
        const int road = classes[below(7)];
        const int half = 2 + below(3 * scale);
        const int at = below(std::max(width, height));
        if (i % 2 == 0) {
            FillRect(map, 0, at - half - 1, width, 2 * half + 2, Item(road + 1));
            FillRect(map, 0, at - half, width, 2 * half, Item(road));
        } else {
            FillRect(map, at - half - 1, 0, 2 * half + 2, height, Item(road + 1));
            FillRect(map, at - half, 0, 2 * half, height, Item(road));
        }
    }
    for (int i = 0; i < 3 * scale; ++i) {
        const int start = below(width);
        for (int y = 0; y < height; ++y) {
            const int x = start + y / 2;
            FillRect(map, x - 4 * scale - 1, y, 8 * scale + 2, 1, Item(22));
            FillRect(map, x - 4 * scale, y, 8 * scale, 1, Item(21));
        }
    }
    for (int i = 0; i < 20 * scale * scale; ++i) {
        const int left = below(width);
        const int top = below(height);
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 12; ++x)
                FillRect(map, left + x, top + y, 1, 1,
                    static_cast<std::uint32_t>(below(300)) * 0x010203);
    }
    return map;
}

const TPreviewMap& StreetMap(int width)
{
    static const TPreviewMap small = MakeStreetMap(240, 320);
    static const TPreviewMap large = MakeStreetMap(3840, 2160);
    return width == 240 ? small : large;
}

std::vector<TRGBTriple> SchemeColors()
{
    std::vector<TRGBTriple> colors(63);
    for (std::size_t i = 0; i < colors.size(); ++i)
        colors[i] = {static_cast<std::uint8_t>(i * 3), static_cast<std::uint8_t>(i * 5),
            static_cast<std::uint8_t>(i * 7)};
    return colors;
}

// The decompressed content of the map's preview file.
std::string RawContent(const TPreviewMap& map)
{
    std::string raw(8 + map.Cells().size_bytes(), '\0');
    const std::int32_t size[2] = {map.Width(), map.Height()};
    std::memcpy(raw.data(), size, sizeof size);
    std::memcpy(raw.data() + 8, map.Cells().data(), map.Cells().size_bytes());
    return raw;
}

void PaintPreview(benchmark::State& state)
{
    const TPreviewMap& map = StreetMap(static_cast<int>(state.range(0)));
    const std::vector<TRGBTriple> colors = SchemeColors();
    const std::ptrdiff_t bytesPerLine = 3 * map.Width();
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(bytesPerLine) * map.Height());
    for (auto _ : state) {
        PaintPreviewPixels(map, colors, pixels.data(), bytesPerLine);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * map.Cells().size());
}

// Reads each cell and writes its low three bytes as a pixel: no lookup, no decisions.
void PaintFloor(benchmark::State& state)
{
    const TPreviewMap& map = StreetMap(static_cast<int>(state.range(0)));
    const std::ptrdiff_t bytesPerLine = 3 * map.Width();
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(bytesPerLine) * map.Height());
    for (auto _ : state) {
        for (int y = 0; y < map.Height(); ++y) {
            const std::uint32_t* row = map.Row(y);
            std::uint8_t* out = pixels.data() + y * bytesPerLine;
            for (int x = 0; x < map.Width(); ++x) {
                const std::uint32_t cell = row[x];
                out[3 * x] = static_cast<std::uint8_t>(cell);
                out[3 * x + 1] = static_cast<std::uint8_t>(cell >> 8);
                out[3 * x + 2] = static_cast<std::uint8_t>(cell >> 16);
            }
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * map.Cells().size());
}

void WritePreviewData(benchmark::State& state)
{
    const TPreviewMap& map = StreetMap(3840);
    for (auto _ : state)
        benchmark::DoNotOptimize(PreviewFileData(map));
    state.SetBytesProcessed(state.iterations() * (8 + map.Cells().size_bytes()));
}

// compress2 with the file's own parameters: one deflate call into a buffer of the bound's size.
void DeflateOneCall(benchmark::State& state)
{
    const std::string raw = RawContent(StreetMap(3840));
    for (auto _ : state) {
        z_stream stream {};
        deflateInit2(&stream, 6, Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY);
        const uLong bound = deflateBound(&stream, raw.size());
        std::unique_ptr<Bytef[]> out(new Bytef[bound]);
        stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(raw.data()));
        stream.avail_in = static_cast<uInt>(raw.size());
        stream.next_out = out.get();
        stream.avail_out = static_cast<uInt>(bound);
        deflate(&stream, Z_FINISH);
        deflateEnd(&stream);
        benchmark::DoNotOptimize(out.get());
    }
    state.SetBytesProcessed(state.iterations() * raw.size());
}

void ReadPreviewData(benchmark::State& state)
{
    const TPreviewMap& map = StreetMap(3840);
    const std::string data = PreviewFileData(map);
    for (auto _ : state)
        benchmark::DoNotOptimize(ParsePreviewData(data));
    state.SetBytesProcessed(state.iterations() * (8 + map.Cells().size_bytes()));
}

// uncompress: one inflate call into a buffer of the content's known size.
void InflateOneCall(benchmark::State& state)
{
    const TPreviewMap& map = StreetMap(3840);
    const std::string data = PreviewFileData(map);
    const std::size_t rawSize = 8 + map.Cells().size_bytes();
    for (auto _ : state) {
        std::unique_ptr<Bytef[]> out(new Bytef[rawSize]);
        z_stream stream {};
        inflateInit(&stream);
        stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
        stream.avail_in = static_cast<uInt>(data.size());
        stream.next_out = out.get();
        stream.avail_out = static_cast<uInt>(rawSize);
        inflate(&stream, Z_FINISH);
        inflateEnd(&stream);
        benchmark::DoNotOptimize(out.get());
    }
    state.SetBytesProcessed(state.iterations() * rawSize);
}

std::filesystem::path BenchFile()
{
    return std::filesystem::temp_directory_path()
        / ("tintwright-bench-" + std::to_string(::getpid()) + ".cpf");
}

void SavePreviewFileToDisk(benchmark::State& state)
{
    const TPreviewMap& map = StreetMap(3840);
    const std::filesystem::path file = BenchFile();
    for (auto _ : state)
        SavePreviewFile(file, map);
    std::filesystem::remove(file);
    state.SetBytesProcessed(state.iterations() * (8 + map.Cells().size_bytes()));
}

void ReadPreviewFileFromDisk(benchmark::State& state)
{
    const TPreviewMap& map = StreetMap(3840);
    const std::filesystem::path file = BenchFile();
    SavePreviewFile(file, map);
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadPreviewFile(file));
    std::filesystem::remove(file);
    state.SetBytesProcessed(state.iterations() * (8 + map.Cells().size_bytes()));
}

} // namespace

BENCHMARK(PaintPreview)->Args({240, 320})->Args({3840, 2160})->Unit(benchmark::kMicrosecond);
BENCHMARK(PaintFloor)->Args({240, 320})->Args({3840, 2160})->Unit(benchmark::kMicrosecond);
BENCHMARK(WritePreviewData)->Unit(benchmark::kMillisecond);
BENCHMARK(DeflateOneCall)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadPreviewData)->Unit(benchmark::kMillisecond);
BENCHMARK(InflateOneCall)->Unit(benchmark::kMillisecond);
BENCHMARK(SavePreviewFileToDisk)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadPreviewFileFromDisk)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
