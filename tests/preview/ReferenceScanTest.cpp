#include "preview/ReferenceScan.h"

#include "preview/ReferenceColors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace {

// A 3-byte red, green, blue image whose rows carry a few padding bytes, as QImage rows do.
class TTestImage
{
public:
    TTestImage(int width, int height)
        : FWidth(width)
        , FHeight(height)
        , FStride(3 * width + 5)
        , FBytes(static_cast<std::size_t>(FStride) * static_cast<std::size_t>(height), 0xAB)
    { }

    void Set(int x, int y, int red, int green, int blue)
    {
        std::uint8_t* pixel = FBytes.data() + y * FStride + 3 * x;
        pixel[0] = static_cast<std::uint8_t>(red);
        pixel[1] = static_cast<std::uint8_t>(green);
        pixel[2] = static_cast<std::uint8_t>(blue);
    }

    TPreviewMap Scan(std::size_t itemCount) const
    {
        return ScanReferenceImage(FBytes.data(), FWidth, FHeight, FStride, itemCount);
    }
    TPreviewMap ScanPlain(std::size_t itemCount) const
    {
        return ScanReferenceImagePlain(FBytes.data(), FWidth, FHeight, FStride, itemCount);
    }

private:
    int FWidth;
    int FHeight;
    std::ptrdiff_t FStride;
    std::vector<std::uint8_t> FBytes;
};

// An image holding the given pixels (red, green, blue) in one row.
TTestImage RowOf(const std::vector<std::array<int, 3>>& pixels)
{
    TTestImage image(static_cast<int>(pixels.size()), 1);
    for (std::size_t x = 0; x < pixels.size(); ++x)
        image.Set(static_cast<int>(x), 0, pixels[x][0], pixels[x][1], pixels[x][2]);
    return image;
}

std::uint32_t ScanOnePixel(int red, int green, int blue, std::size_t itemCount)
{
    return RowOf({{red, green, blue}}).Scan(itemCount).Cell(0, 0);
}

constexpr std::uint32_t Item(std::uint32_t index)
{
    return ItemReferenceBase + index;
}

// Reports the first differing cell rather than two maps of millions of cells.
::testing::AssertionResult SameMaps(const TPreviewMap& fast, const TPreviewMap& plain)
{
    if (fast.Width() != plain.Width() || fast.Height() != plain.Height())
        return ::testing::AssertionFailure()
            << "size " << fast.Width() << "x" << fast.Height() << " against " << plain.Width()
            << "x" << plain.Height();
    for (int y = 0; y < fast.Height(); ++y)
        for (int x = 0; x < fast.Width(); ++x)
            if (fast.Cell(x, y) != plain.Cell(x, y))
                return ::testing::AssertionFailure()
                    << "cell (" << x << ", " << y << ") is " << std::hex << fast.Cell(x, y)
                    << ", the plain scan gives " << plain.Cell(x, y);
    return ::testing::AssertionSuccess();
}

TEST(ReferenceScanTest, SinglePixels)
{
    struct TRow
    {
        const char* Name;
        int Red, Green, Blue;
        std::size_t ItemCount;
        std::uint32_t Cell;
    };
    const TRow rows[] = {
        {"within 15 of entry 0", 100, 60, 40, 1, Item(0)},
        {"exactly entry 0", 96, 48, 48, 1, Item(0)},
        {"red 16 above entry 0", 112, 48, 48, 400, 0x00303070},
        {"red 16 below entry 0", 80, 48, 48, 400, 0x00303050},
        {"green 16 below the lowest level", 96, 32, 48, 400, 0x00302060},
        {"blue 16 above entry 0 matches only blue 64", 96, 48, 64, 400, Item(271)},
        {"blue 40 takes the lower index of blue 48 and 32", 96, 48, 40, 400, Item(0)},
        {"blue 88 takes the lower index of blue 96 and 80", 96, 48, 88, 400, Item(25)},
        {"blue 8 takes the lower index of blue 16 and 0", 96, 48, 8, 400, Item(246)},
        {"blue 24 before the blue-16 entry exists", 96, 48, 24, 200, Item(121)},
        {"blue 56 before the blue-64 entry exists", 96, 48, 56, 100, Item(0)},
        {"entry beyond the item count stays fixed", 144, 48, 48, 1, 0x00303090},
        {"black", 0, 0, 0, 1000, 0x00000000},
        {"white below 520 items", 255, 255, 255, 519, 0x00FFFFFF},
        {"white with 520 items", 255, 255, 255, 520, Item(519)},
        {"no items", 96, 48, 48, 0, 0x00303060},
        {"colour of entry 396 goes to entry 0", 96, 48, 48, 400, Item(0)},
        {"grey 48 first matches at entry 395", 48, 48, 48, 400, Item(395)},
        {"grey 48 before entry 395 exists", 48, 48, 48, 395, 0x00303030},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        EXPECT_EQ(ScanOnePixel(row.Red, row.Green, row.Blue, row.ItemCount), row.Cell);
        EXPECT_EQ(
            RowOf({{row.Red, row.Green, row.Blue}}).ScanPlain(row.ItemCount).Cell(0, 0), row.Cell);
    }
}

TEST(ReferenceScanTest, MapHasTheImageSize)
{
    const TTestImage image(320, 240);
    const TPreviewMap map = image.Scan(100);
    EXPECT_EQ(map.Width(), 320);
    EXPECT_EQ(map.Height(), 240);
}

TEST(ReferenceScanTest, EmptyImageGivesEmptyMap)
{
    for (const auto& [width, height] : {std::pair {0, 0}, {0, 5}, {5, 0}}) {
        const TPreviewMap map = ScanReferenceImage(nullptr, width, height, 0, 10);
        EXPECT_EQ(map.Width(), width);
        EXPECT_EQ(map.Height(), height);
    }
}

// Item counts around the places where the sequence changes: the end of the grey-free block,
// the last new colour before repeats, the greys that come back, past every new colour.
const std::size_t ItemCounts[] = {0, 1, 119, 120, 395, 396, 400, 520, 1000};

// Reference colours painted into an image come back as references to their items; from entry
// 396 on, colours repeat and go to the earlier item of the same colour.
TEST(ReferenceScanTest, PaintedReferenceColorsNameTheirItems)
{
    for (const std::size_t itemCount : ItemCounts) {
        SCOPED_TRACE(itemCount);
        TRGBTripleArray colors(itemCount);
        MakeReferenceColors(colors);
        const int width = 7;
        TTestImage image(width, static_cast<int>(itemCount));
        for (std::size_t i = 0; i < itemCount; ++i)
            for (int x = 0; x < width; ++x)
                image.Set(x, static_cast<int>(i), colors[i].rgbtRed, colors[i].rgbtGreen,
                    colors[i].rgbtBlue);
        const TPreviewMap map = image.Scan(itemCount);
        for (std::size_t i = 0; i < itemCount; ++i) {
            const auto first = static_cast<std::size_t>(
                std::find(colors.begin(), colors.end(), colors[i]) - colors.begin());
            if (i < 396) {
                ASSERT_EQ(first, i);
            }
            for (int x = 0; x < width; ++x)
                ASSERT_EQ(map.Cell(x, static_cast<int>(i)), Item(static_cast<std::uint32_t>(first)))
                    << "entry " << i;
        }
    }
}

TEST(ReferenceScanTest, RandomPixelsMatchThePlainScan)
{
    std::mt19937 random(20240601);
    std::uniform_int_distribution<int> byte(0, 255);
    TTestImage image(97, 61);
    for (int y = 0; y < 61; ++y)
        for (int x = 0; x < 97; ++x)
            image.Set(x, y, byte(random), byte(random), byte(random));
    for (const std::size_t itemCount : ItemCounts) {
        SCOPED_TRACE(itemCount);
        EXPECT_TRUE(SameMaps(image.Scan(itemCount), image.ScanPlain(itemCount)));
    }
}

// Reference colours with noise up to the tolerance, and just beyond it, in each channel.
TEST(ReferenceScanTest, NoisyReferenceColorsMatchThePlainScan)
{
    TRGBTripleArray colors(520);
    MakeReferenceColors(colors);
    std::mt19937 random(7);
    std::uniform_int_distribution<std::size_t> entry(0, colors.size() - 1);
    for (const int noise : {15, 16}) {
        SCOPED_TRACE(noise);
        std::uniform_int_distribution<int> offset(-noise, noise);
        TTestImage image(80, 60);
        for (int y = 0; y < 60; ++y) {
            for (int x = 0; x < 80; ++x) {
                const TRGBTriple& color = colors[entry(random)];
                auto noisy
                    = [&](int channel) { return std::clamp(channel + offset(random), 0, 255); };
                image.Set(
                    x, y, noisy(color.rgbtRed), noisy(color.rgbtGreen), noisy(color.rgbtBlue));
            }
        }
        for (const std::size_t itemCount : ItemCounts) {
            SCOPED_TRACE(itemCount);
            EXPECT_TRUE(SameMaps(image.Scan(itemCount), image.ScanPlain(itemCount)));
        }
    }
}

// Every possible reference colour moved to each side of the tolerance in every channel.
TEST(ReferenceScanTest, ToleranceBoundariesMatchThePlainScan)
{
    TRGBTripleArray colors(520);
    MakeReferenceColors(colors);
    std::vector<std::array<int, 3>> pixels;
    const int offsets[] = {-16, -15, 0, 15, 16};
    for (std::size_t i = 0; i < colors.size(); ++i) {
        if (std::find(colors.begin(), colors.begin() + static_cast<std::ptrdiff_t>(i), colors[i])
            != colors.begin() + static_cast<std::ptrdiff_t>(i))
            continue;
        for (const int red : offsets)
            for (const int green : offsets)
                for (const int blue : offsets)
                    pixels.push_back({std::clamp(colors[i].rgbtRed + red, 0, 255),
                        std::clamp(colors[i].rgbtGreen + green, 0, 255),
                        std::clamp(colors[i].rgbtBlue + blue, 0, 255)});
    }
    ASSERT_EQ(pixels.size(), 400u * 125u);
    const int width = 500;
    TTestImage image(width, static_cast<int>(pixels.size()) / width);
    for (std::size_t p = 0; p < pixels.size(); ++p)
        image.Set(static_cast<int>(p) % width, static_cast<int>(p) / width, pixels[p][0],
            pixels[p][1], pixels[p][2]);
    for (const std::size_t itemCount : ItemCounts) {
        SCOPED_TRACE(itemCount);
        EXPECT_TRUE(SameMaps(image.Scan(itemCount), image.ScanPlain(itemCount)));
    }
}

// Runs of equal pixels are looked up once: a change in any one channel must end the run.
TEST(ReferenceScanTest, RunsEndAtEveryChannelChange)
{
    const TTestImage image = RowOf({{96, 48, 48}, {96, 48, 48}, {96, 48, 64}, {96, 96, 64},
        {144, 96, 64}, {144, 96, 64}, {0, 0, 0}, {96, 48, 48}});
    const TPreviewMap map = image.Scan(400);
    const std::uint32_t expected[]
        = {Item(0), Item(0), Item(271), Item(276), Item(277), Item(277), 0, Item(0)};
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(map.Cell(x, 0), expected[x]) << "pixel " << x;
}

} // namespace
