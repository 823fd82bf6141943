#include "preview/PreviewPainter.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <random>
#include <vector>

namespace {

using TPixel = std::array<std::uint8_t, 3>;

// A pixel the painter must not touch unless told to.
constexpr TPixel Untouched = {0xA5, 0x5A, 0xC3};

// Distinct colours per item: red = index, green = 255 - index, blue = 7.
std::vector<TRGBTriple> Items(std::size_t count)
{
    std::vector<TRGBTriple> items(count);
    for (std::size_t i = 0; i < count; ++i)
        items[i] = {7, static_cast<std::uint8_t>(255 - i), static_cast<std::uint8_t>(i)};
    return items;
}

TPixel ItemPixel(std::size_t index)
{
    return {static_cast<std::uint8_t>(index), static_cast<std::uint8_t>(255 - index), 7};
}

struct TCellRow
{
    const char* Name;
    std::uint32_t Cell;
    std::size_t ItemCount;
    TPixel Expected;
};

class PreviewPainterCellTest : public ::testing::TestWithParam<TCellRow>
{
};

TEST_P(PreviewPainterCellTest, PaintsThePixel)
{
    const TCellRow& row = GetParam();
    TPreviewMap map(1, 1);
    map.SetCell(0, 0, row.Cell);
    TPixel pixel = Untouched;
    PaintPreviewPixels(map, Items(row.ItemCount), pixel.data(), 3);
    EXPECT_EQ(pixel, row.Expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, PreviewPainterCellTest,
    ::testing::Values(TCellRow {"white_just_below_references", 0xDFFFFFFF, 10, {255, 255, 255}},
        TCellRow {"fixed_colour_red_in_low_byte", 0x00112233, 10, {0x33, 0x22, 0x11}},
        TCellRow {"top_byte_of_fixed_colour_ignored", 0x7F0000FF, 10, {0xFF, 0, 0}},
        TCellRow {"black", 0x00000000, 0, {0, 0, 0}},
        TCellRow {"first_item", 0xE0000000, 10, ItemPixel(0)},
        TCellRow {"item_255", 0xE0000000 + 255, 300, ItemPixel(255)},
        TCellRow {"index_261_wraps_to_item_5", 0xE0000000 + 261, 300, ItemPixel(5)},
        TCellRow {"last_cell_value_is_item_255", 0xFFFFFFFF, 256, ItemPixel(255)},
        TCellRow {"reference_beyond_items_left_alone", 0xE0000000 + 5, 5, Untouched},
        TCellRow {"wrapped_reference_beyond_items", 0xFFFFFFFF, 255, Untouched},
        TCellRow {"no_items_at_all", 0xE0000000, 0, Untouched}),
    [](const auto& info) { return std::string(info.param.Name); });

// One cell at a time, the obvious way.
void PaintSimply(const TPreviewMap& map, const std::vector<TRGBTriple>& items, std::uint8_t* pixels,
    std::ptrdiff_t bytesPerLine)
{
    for (int y = 0; y < map.Height(); ++y) {
        for (int x = 0; x < map.Width(); ++x) {
            const std::uint32_t cell = map.Cell(x, y);
            std::uint8_t* pixel = pixels + y * bytesPerLine + 3 * x;
            if (cell >= 0xE0000000) {
                if ((cell & 0xFF) < items.size()) {
                    const TRGBTriple& color = items[cell & 0xFF];
                    pixel[0] = color.rgbtRed;
                    pixel[1] = color.rgbtGreen;
                    pixel[2] = color.rgbtBlue;
                }
            } else {
                pixel[0] = static_cast<std::uint8_t>(cell);
                pixel[1] = static_cast<std::uint8_t>(cell >> 8);
                pixel[2] = static_cast<std::uint8_t>(cell >> 16);
            }
        }
    }
}

TEST(PreviewPainterTest, RunsPaintAsEveryCellAloneAndPaddingStays)
{
    // Runs of a few values, mixing fixed colours, items and missing items, with padding after
    // each row.
    const std::uint32_t values[] = {0x00FFFFFF, 0x00102030, 0xE0000001, 0xE0000002, 0xE0000063,
        0xE0000064, 0xE00000FF, 0xE0000100};
    std::mt19937 random(7);
    for (const auto& [width, height] : {std::pair {0, 0}, std::pair {0, 4}, std::pair {4, 0},
             std::pair {1, 1}, std::pair {97, 23}}) {
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
        TPreviewMap map(width, height);
        std::uint32_t value = values[0];
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                if (random() % 5 == 0)
                    value = values[random() % std::size(values)];
                map.SetCell(x, y, value);
            }
        const std::vector<TRGBTriple> items = Items(100);
        const std::ptrdiff_t bytesPerLine = 3 * width + 5;
        std::vector<std::uint8_t> painted(static_cast<std::size_t>(bytesPerLine * height) + 1);
        for (std::size_t i = 0; i < painted.size(); ++i)
            painted[i] = static_cast<std::uint8_t>(i * 31);
        std::vector<std::uint8_t> expected = painted;

        PaintPreviewPixels(map, items, painted.data(), bytesPerLine);
        PaintSimply(map, items, expected.data(), bytesPerLine);
        EXPECT_EQ(painted, expected);
    }
}

// A transform that moves every colour: red and blue swapped, green inverted.
TRGBTriple Twisted(const TRGBTriple& color)
{
    return {color.rgbtRed, static_cast<std::uint8_t>(255 - color.rgbtGreen), color.rgbtBlue};
}

// Maps of runs of fixed colours (some with a top byte set) and items, some missing.
TPreviewMap RandomMap(int width, int height, std::mt19937& random)
{
    const std::uint32_t values[] = {0x00FFFFFF, 0x00102030, 0x7F102030, 0xDF0000FF, 0x000000FF,
        0xE0000001, 0xE0000002, 0xE0000063, 0xE0000064, 0xE00000FF, 0xE0000100};
    TPreviewMap map(width, height);
    std::uint32_t value = values[0];
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            if (random() % 5 == 0)
                value = random() % 4 == 0 ? random() % 0xE0000000
                                          : values[random() % std::size(values)];
            map.SetCell(x, y, value);
        }
    return map;
}

TEST(PreviewPainterTest, PaintsThroughATransform)
{
    std::mt19937 random(3);
    for (const auto& [width, height] :
        {std::pair {0, 0}, std::pair {1, 1}, std::pair {97, 23}, std::pair {240, 320}}) {
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
        const TPreviewMap map = RandomMap(width, height, random);
        std::vector<TRGBTriple> items = Items(100);
        for (TRGBTriple& item : items)
            item = Twisted(item);
        // What the transform is asked, and how often.
        std::map<std::uint32_t, int> asked;
        const TColorTransform transform = [&asked](const TRGBTriple& color) {
            ++asked[std::uint32_t(color.rgbtRed) << 16 | color.rgbtGreen << 8 | color.rgbtBlue];
            return Twisted(color);
        };
        const std::ptrdiff_t bytesPerLine = 3 * width + 5;
        std::vector<std::uint8_t> painted(static_cast<std::size_t>(bytesPerLine * height) + 1);
        for (std::size_t i = 0; i < painted.size(); ++i)
            painted[i] = static_cast<std::uint8_t>(i * 31);
        std::vector<std::uint8_t> expected = painted;

        PaintPreviewPixelsThrough(map, items, transform, painted.data(), bytesPerLine);
        // The same map with each fixed colour transformed beforehand, painted plainly.
        TPreviewMap transformedMap = map;
        int distinct = 0;
        std::map<std::uint32_t, bool> seen;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const std::uint32_t cell = map.Cell(x, y);
                if (IsItemReference(cell))
                    continue;
                distinct += seen.emplace(cell & 0xFFFFFF, true).second;
                const TRGBTriple color = Twisted(
                    {std::uint8_t(cell >> 16), std::uint8_t(cell >> 8), std::uint8_t(cell)});
                transformedMap.SetCell(x, y,
                    std::uint32_t(color.rgbtBlue) << 16 | color.rgbtGreen << 8 | color.rgbtRed);
            }
        PaintSimply(transformedMap, items, expected.data(), bytesPerLine);
        EXPECT_EQ(painted, expected);
        EXPECT_EQ(int(asked.size()), distinct);
        for (const auto& [color, times] : asked)
            EXPECT_EQ(times, 1) << std::hex << color;
    }
}

TEST(PreviewPainterTest, PaintsThroughATransformWithEveryCellADifferentColour)
{
    // More distinct colours than the cache keeps: the rest are transformed where they are met.
    const int width = 1024;
    const int height = 600;
    TPreviewMap map(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            map.SetCell(x, y, std::uint32_t(y * width + x) * 7 % 0x1000000);
    std::vector<std::uint8_t> painted(std::size_t(3 * width * height));
    PaintPreviewPixelsThrough(map, {}, Twisted, painted.data(), 3 * width);
    for (const auto& [x, y] : {std::pair {0, 0}, std::pair {1, 0}, std::pair {1023, 599},
             std::pair {500, 300}, std::pair {77, 555}}) {
        const std::uint32_t cell = map.Cell(x, y);
        const std::uint8_t* pixel = painted.data() + 3 * (y * width + x);
        // Red and blue swapped, green inverted.
        EXPECT_EQ(pixel[0], std::uint8_t(cell >> 16)) << x << ", " << y;
        EXPECT_EQ(pixel[1], std::uint8_t(255 - std::uint8_t(cell >> 8))) << x << ", " << y;
        EXPECT_EQ(pixel[2], std::uint8_t(cell)) << x << ", " << y;
    }
}

} // namespace
