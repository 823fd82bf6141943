#include "tools/import/ScreenshotColors.h"

#include "editing/ColorScience.h"
#include "tools/import/ImportRows.h"
#include "preview/PreviewFile.h"
#include "preview/PreviewPainter.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr std::uint32_t Item(std::uint32_t index)
{
    return ItemReferenceBase + index;
}

constexpr TRGBTriple Rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    return {blue, green, red};
}

// Pixels of the map's size, every cell painted in the colour given for it.
struct TPicture
{
    int Width;
    int Height;
    std::vector<std::uint8_t> Bytes;

    void Set(int x, int y, TRGBTriple color)
    {
        std::uint8_t* pixel = &Bytes[std::size_t((y * Width + x) * 3)];
        pixel[0] = color.rgbtRed;
        pixel[1] = color.rgbtGreen;
        pixel[2] = color.rgbtBlue;
    }
};

TPicture Painted(const TPreviewMap& map, const std::vector<TRGBTriple>& colors)
{
    TPicture picture {map.Width(), map.Height(), {}};
    picture.Bytes.assign(std::size_t(map.Width() * map.Height() * 3), 0);
    PaintPreviewPixels(map, colors, picture.Bytes.data(), map.Width() * 3);
    return picture;
}

// The picture enlarged as a screen of `scale` times the resolution shows it.
TPicture Enlarged(const TPicture& picture, int scale)
{
    TPicture large {picture.Width * scale, picture.Height * scale, {}};
    large.Bytes.resize(std::size_t(large.Width * large.Height * 3));
    for (int y = 0; y < large.Height; ++y)
        for (int x = 0; x < large.Width; ++x)
            for (int c = 0; c < 3; ++c)
                large.Bytes[std::size_t((y * large.Width + x) * 3 + c)]
                    = picture.Bytes[std::size_t(((y / scale) * picture.Width + x / scale) * 3 + c)];
    return large;
}

std::vector<TItemReading> Read(
    const TPreviewMap& map, std::size_t itemCount, const TPicture& picture)
{
    const int scale = ScreenshotScale(picture.Width, picture.Height, map.Width(), map.Height());
    EXPECT_GT(scale, 0);
    const TRgbPixels reduced = ReduceScreenshot(
        picture.Bytes.data(), picture.Width, picture.Height, picture.Width * 3, scale);
    auto readings = ReadItemColors(map, itemCount, reduced.Bytes.data(), reduced.BytesPerLine());
    EXPECT_TRUE(readings.has_value());
    return readings.value_or(std::vector<TItemReading>());
}

// Presence the slow way: every cell's neighbourhood looked at cell by cell.
std::vector<TItemPresence> PlainPresence(const TPreviewMap& map, std::size_t itemCount)
{
    std::vector<TItemPresence> presence(itemCount, TItemPresence::NotOnPreview);
    for (int y = 0; y < map.Height(); ++y)
        for (int x = 0; x < map.Width(); ++x) {
            const std::uint32_t cell = map.Cell(x, y);
            if (cell < ItemReferenceBase || cell - ItemReferenceBase >= itemCount)
                continue;
            bool interior = true;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int nx = x + dx;
                    const int ny = y + dy;
                    interior = interior && nx >= 0 && ny >= 0 && nx < map.Width()
                        && ny < map.Height() && map.Cell(nx, ny) == cell;
                }
            TItemPresence& p = presence[cell - ItemReferenceBase];
            if (interior)
                p = TItemPresence::Interior;
            else if (p == TItemPresence::NotOnPreview)
                p = TItemPresence::Thin;
        }
    return presence;
}

TEST(ScreenshotScaleTest, WholeMultiplesOfThePreviewOnly)
{
    struct TRow
    {
        const char* Name;
        int ImageWidth, ImageHeight, MapWidth, MapHeight, Scale;
    };
    const TRow rows[] = {
        {"same size", 240, 320, 240, 320, 1},
        {"twice", 480, 640, 240, 320, 2},
        {"three times", 720, 960, 240, 320, 3},
        {"twice as wide only", 480, 320, 240, 320, 0},
        {"different multiples", 480, 960, 240, 320, 0},
        {"one pixel more", 241, 320, 240, 320, 0},
        {"smaller", 120, 160, 240, 320, 0},
        {"no preview", 240, 320, 0, 0, 0},
        {"empty image", 0, 0, 240, 320, 0},
    };
    for (const TRow& row : rows)
        EXPECT_EQ(ScreenshotScale(row.ImageWidth, row.ImageHeight, row.MapWidth, row.MapHeight),
            row.Scale)
            << row.Name;
}

TEST(ReduceScreenshotTest, EachBlockBecomesItsPerChannelMedian)
{
    // One 2 x 2 block and one 3 x 3 block side by side would need two scales; each is tried on
    // its own. Channels are independent: red rises, green falls, blue is constant.
    const std::vector<std::uint8_t> twoByTwo = {10, 90, 7, 40, 60, 7, //
        30, 80, 7, 20, 70, 7};
    const TRgbPixels two = ReduceScreenshot(twoByTwo.data(), 2, 2, 6, 2);
    EXPECT_EQ(two.Bytes, (std::vector<std::uint8_t> {20, 70, 7})); // the lower middle values

    std::vector<std::uint8_t> threeByThree;
    for (std::uint8_t v : {9, 1, 8, 2, 7, 3, 6, 4, 5})
        threeByThree.insert(threeByThree.end(), {v, std::uint8_t(255 - v), 0});
    const TRgbPixels three = ReduceScreenshot(threeByThree.data(), 3, 3, 9, 3);
    EXPECT_EQ(three.Bytes, (std::vector<std::uint8_t> {5, 250, 0}));

    // Row padding is skipped.
    const std::vector<std::uint8_t> padded = {1, 2, 3, 0xEE, 4, 5, 6, 0xEE};
    const TRgbPixels same = ReduceScreenshot(padded.data(), 1, 2, 4, 1);
    EXPECT_EQ(same.Bytes, (std::vector<std::uint8_t> {1, 2, 3, 4, 5, 6}));
}

// A 7 x 5 map: item 0 a 5 x 3 block with its own edge (interior: the 3 x 1 middle), item 1 a
// line, item 4 beyond the document's four items, fixed colours; item 2 and 3 nowhere.
TEST(ReadItemColorsTest, InteriorCellsOnlyThinItemsFromAllCells)
{
    const std::uint32_t F = 0x00102030;
    const TPreviewMap map = TPreviewMap::FromCells(7, 5,
        {F, F, F, F, F, F, F, //
            F, Item(0), Item(0), Item(0), Item(0), Item(0), F, //
            Item(4), Item(0), Item(0), Item(0), Item(0), Item(0), F, //
            F, Item(0), Item(0), Item(0), Item(0), Item(0), F, //
            Item(1), Item(1), Item(1), F, F, F, F});
    ASSERT_EQ(PlainPresence(map, 4),
        (std::vector<TItemPresence> {TItemPresence::Interior, TItemPresence::Thin,
            TItemPresence::NotOnPreview, TItemPresence::NotOnPreview}));
    TPicture picture {7, 5, std::vector<std::uint8_t>(7 * 5 * 3, 0)};
    // Item 0 blurred at its edge, exact inside; item 1 two pixels of one colour, one of another.
    for (int y = 1; y <= 3; ++y)
        for (int x = 1; x <= 5; ++x)
            picture.Set(x, y, Rgb(200, 100, std::uint8_t(x * 10)));
    for (int x = 2; x <= 4; ++x)
        picture.Set(x, 2, Rgb(50, 60, 70));
    picture.Set(0, 4, Rgb(1, 2, 3));
    picture.Set(1, 4, Rgb(1, 2, 3));
    picture.Set(2, 4, Rgb(250, 250, 250));

    const std::vector<TItemReading> readings = Read(map, 4, picture);
    ASSERT_EQ(readings.size(), 4u);
    EXPECT_EQ(readings[0], (TItemReading {TItemPresence::Interior, Rgb(50, 60, 70), 3, 1.0}));
    EXPECT_EQ(readings[1].Presence, TItemPresence::Thin);
    EXPECT_EQ(readings[1].Color, Rgb(1, 2, 3));
    EXPECT_EQ(readings[1].Pixels, 3u);
    EXPECT_DOUBLE_EQ(readings[1].Confidence, 2.0 / 3.0);
    EXPECT_EQ(readings[2], TItemReading {});
    EXPECT_EQ(readings[3], TItemReading {});
}

// Random maps of overlapping rectangles, some of them fixed colours, with every interior pixel
// painted in one colour per item and every other pixel in another: each item is read from
// exactly the cells the cell-by-cell rule finds interior, or from all its cells when there are
// none.
TEST(ReadItemColorsTest, ReadsExactlyTheInteriorCellsOfRandomMaps)
{
    std::mt19937 random(7);
    constexpr std::size_t ItemCount = 6;
    for (int round = 0; round < 200; ++round) {
        const int width = 3 + int(random() % 30);
        const int height = 3 + int(random() % 20);
        TPreviewMap map(width, height);
        for (int rectangle = 0; rectangle < 12; ++rectangle) {
            const int x0 = int(random() % unsigned(width));
            const int y0 = int(random() % unsigned(height));
            const int x1 = std::min(width, x0 + 1 + int(random() % 8));
            const int y1 = std::min(height, y0 + 1 + int(random() % 6));
            const std::uint32_t value = random() % 8 == 0 ? 0x00123456 : Item(random() % 8);
            for (int y = y0; y < y1; ++y)
                for (int x = x0; x < x1; ++x)
                    map.SetCell(x, y, value);
        }
        std::vector<std::size_t> cells(ItemCount);
        std::vector<std::size_t> interior(ItemCount);
        TPicture picture {
            width, height, std::vector<std::uint8_t>(std::size_t(width * height * 3))};
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const std::uint32_t cell = map.Cell(x, y);
                if (!IsItemReference(cell) || cell - ItemReferenceBase >= ItemCount)
                    continue;
                const std::size_t item = cell - ItemReferenceBase;
                bool inside = true;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        inside = inside && x + dx >= 0 && y + dy >= 0 && x + dx < width
                            && y + dy < height && map.Cell(x + dx, y + dy) == cell;
                ++cells[item];
                interior[item] += inside ? 1 : 0;
                picture.Set(x, y, Rgb(std::uint8_t(item * 40), inside ? 200 : 20, 99));
            }
        const std::vector<TItemReading> readings = Read(map, ItemCount, picture);
        for (std::size_t item = 0; item < ItemCount; ++item) {
            SCOPED_TRACE("round " + std::to_string(round) + ", item " + std::to_string(item));
            const TItemReading& reading = readings[item];
            if (cells[item] == 0) {
                EXPECT_EQ(reading, TItemReading {});
                continue;
            }
            const bool thin = interior[item] == 0;
            EXPECT_EQ(reading.Presence, thin ? TItemPresence::Thin : TItemPresence::Interior);
            EXPECT_EQ(reading.Pixels, thin ? cells[item] : interior[item]);
            EXPECT_EQ(reading.Color, Rgb(std::uint8_t(item * 40), thin ? 20 : 200, 99));
            EXPECT_EQ(reading.Confidence, 1.0);
        }
    }
}

// Whether a cell of a JPEG of one pixel per cell has its item's chroma alone, the slow way: the
// 4 x 4 cells around its own 2 x 2 chroma block and the three blocks nearest it hold its value.
bool ChromaIsOwn(const TPreviewMap& map, int x, int y)
{
    const int left = x % 2 == 0 ? x - 2 : x - 1;
    const int top = y % 2 == 0 ? y - 2 : y - 1;
    // Blocks are whole pairs of rows and columns: an odd last row or column has none.
    if (left < 0 || top < 0 || left + 4 > map.Width() / 2 * 2 || top + 4 > map.Height() / 2 * 2)
        return false;
    for (int dy = 0; dy < 4; ++dy)
        for (int dx = 0; dx < 4; ++dx)
            if (map.Cell(left + dx, top + dy) != map.Cell(x, y))
                return false;
    return true;
}

// Random maps of overlapping rectangles read as a JPEG's pixels: each item is read from exactly
// the cells whose chroma is its own, or else from its interior, or else from all its cells. Each
// class of cells is painted in a colour of its own.
TEST(ReadItemColorsTest, JpegReadsTheCellsWhoseChromaIsTheirItemsAlone)
{
    std::mt19937 random(11);
    constexpr std::size_t ItemCount = 6;
    for (int round = 0; round < 200; ++round) {
        const int width = 3 + int(random() % 30);
        const int height = 3 + int(random() % 20);
        TPreviewMap map(width, height);
        for (int rectangle = 0; rectangle < 10; ++rectangle) {
            const int x0 = int(random() % unsigned(width));
            const int y0 = int(random() % unsigned(height));
            const int x1 = std::min(width, x0 + 1 + int(random() % 10));
            const int y1 = std::min(height, y0 + 1 + int(random() % 8));
            const std::uint32_t value = random() % 8 == 0 ? 0x00123456 : Item(random() % 8);
            for (int y = y0; y < y1; ++y)
                for (int x = x0; x < x1; ++x)
                    map.SetCell(x, y, value);
        }
        // Cells of each item by class: own chroma, other interior, the rest.
        std::vector<std::array<std::size_t, 3>> cells(ItemCount);
        TPicture picture {
            width, height, std::vector<std::uint8_t>(std::size_t(width * height * 3))};
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const std::uint32_t cell = map.Cell(x, y);
                if (!IsItemReference(cell) || cell - ItemReferenceBase >= ItemCount)
                    continue;
                const std::size_t item = cell - ItemReferenceBase;
                bool inside = true;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        inside = inside && x + dx >= 0 && y + dy >= 0 && x + dx < width
                            && y + dy < height && map.Cell(x + dx, y + dy) == cell;
                const std::size_t kind = ChromaIsOwn(map, x, y) ? 0 : inside ? 1 : 2;
                ++cells[item][kind];
                picture.Set(x, y, Rgb(std::uint8_t(item * 40), std::uint8_t(200 - 90 * kind), 99));
            }
        const auto readings
            = ReadItemColors(map, ItemCount, picture.Bytes.data(), width * 3, TPixelCoding::Jpeg);
        ASSERT_TRUE(readings.has_value());
        for (std::size_t item = 0; item < ItemCount; ++item) {
            SCOPED_TRACE("round " + std::to_string(round) + ", item " + std::to_string(item));
            const TItemReading& reading = (*readings)[item];
            std::size_t kind = 0;
            while (kind < 2 && cells[item][kind] == 0)
                ++kind;
            if (cells[item][kind] == 0) {
                EXPECT_EQ(reading, TItemReading {});
                continue;
            }
            EXPECT_EQ(reading.Presence, kind == 2 ? TItemPresence::Thin : TItemPresence::Interior);
            EXPECT_EQ(reading.Pixels, cells[item][kind]);
            EXPECT_EQ(
                reading.Color, Rgb(std::uint8_t(item * 40), std::uint8_t(200 - 90 * kind), 99));
            EXPECT_EQ(reading.Confidence, 1.0);
        }
    }
}

// Items on a plain background, and the same items on a checkerboard of two other items (a run
// for every cell, too many to keep between the two passes): each reads the same, lossless or as
// a JPEG's pixels.
TEST(ReadItemColorsTest, AMapOfOneCellRunsReadsAsAMapOfLongOnes)
{
    constexpr int Side = 64;
    TPreviewMap plain(Side, Side);
    TPreviewMap checkered(Side, Side);
    for (int y = 0; y < Side; ++y)
        for (int x = 0; x < Side; ++x) {
            plain.SetCell(x, y, 0x00123456);
            checkered.SetCell(x, y, Item(4 + std::uint32_t(x + y) % 2));
        }
    std::mt19937 random(3);
    TPicture picture {Side, Side, std::vector<std::uint8_t>(Side * Side * 3)};
    for (std::uint8_t& byte : picture.Bytes)
        byte = std::uint8_t(random());
    for (std::uint32_t item = 0; item < 4; ++item) {
        const int left = 2 + 15 * int(item);
        const int top = 5 + 10 * int(item % 2);
        for (int y = top; y < top + 11; ++y)
            for (int x = left; x < left + 13; ++x) {
                plain.SetCell(x, y, Item(item));
                checkered.SetCell(x, y, Item(item));
                picture.Set(x, y,
                    Rgb(std::uint8_t(60 * item + random() % 6), std::uint8_t(100 + random() % 6),
                        std::uint8_t(random() % 2 == 0 ? 30 : random())));
            }
    }
    for (const TPixelCoding coding : {TPixelCoding::Exact, TPixelCoding::Jpeg}) {
        const auto expected = ReadItemColors(plain, 6, picture.Bytes.data(), Side * 3, coding);
        const auto readings = ReadItemColors(checkered, 6, picture.Bytes.data(), Side * 3, coding);
        ASSERT_TRUE(expected.has_value() && readings.has_value());
        for (std::size_t item = 0; item < 4; ++item) {
            EXPECT_EQ((*readings)[item], (*expected)[item]) << "item " << item;
            EXPECT_LT((*readings)[item].Confidence, 1.0) << "item " << item;
        }
    }
}

TEST(ReadItemColorsTest, ConfidenceCountsPixelsWithinDeltaE2OfTheMedian)
{
    // A 5 x 5 item: its 3 x 3 interior holds five pixels of its colour, two a step away (well
    // within 2) and two far off.
    const TPreviewMap map = TPreviewMap::FromCells(5, 5, std::vector<std::uint32_t>(25, Item(0)));
    TPicture picture {5, 5, std::vector<std::uint8_t>(75, 0)};
    const TRGBTriple shades[] = {Rgb(120, 130, 140), Rgb(120, 130, 140), Rgb(121, 130, 140),
        Rgb(120, 130, 140), Rgb(0, 0, 255), Rgb(120, 131, 140), Rgb(120, 130, 140),
        Rgb(255, 255, 0), Rgb(120, 130, 140)};
    for (int i = 0; i < 9; ++i)
        picture.Set(1 + i % 3, 1 + i / 3, shades[i]);
    const std::vector<TItemReading> readings = Read(map, 1, picture);
    EXPECT_EQ(readings[0].Color, Rgb(120, 130, 140));
    EXPECT_EQ(readings[0].Pixels, 9u);
    EXPECT_DOUBLE_EQ(readings[0].Confidence, 7.0 / 9.0);
}

TEST(ReadItemColorsTest, RefusesMoreItemsThanItHoldsHistogramsFor)
{
    std::vector<std::uint32_t> cells(MaxReadItems + 1);
    for (std::size_t i = 0; i < cells.size(); ++i)
        cells[i] = Item(std::uint32_t(i));
    const TPreviewMap map = TPreviewMap::FromCells(int(cells.size()), 1, cells);
    const std::vector<std::uint8_t> pixels(cells.size() * 3, 0);
    EXPECT_FALSE(ReadItemColors(map, cells.size(), pixels.data(), 0).has_value());
    // The same map for a document of fewer items reads them.
    EXPECT_TRUE(ReadItemColors(map, MaxReadItems, pixels.data(), 0).has_value());
}

// The shipped preview painted in random schemes, as a lossless screenshot at 1, 2 and 3 times
// its size: every item on it comes back exactly, interior or thin as the map says.
TEST(ReadItemColorsTest, LosslessScreenshotsOfTheShippedPreviewGiveEveryColourBack)
{
    const TPreviewMap map
        = ReadPreviewFile(std::filesystem::path(TINTWRIGHT_DATA_DIR) / "previews" / "Preview.cpf");
    std::size_t itemCount = 0;
    for (const std::uint32_t cell : map.Cells())
        if (IsItemReference(cell))
            itemCount = std::max<std::size_t>(itemCount, cell - ItemReferenceBase + 1);
    // The painter names items by the low byte of the cell; on this map that is the whole index.
    ASSERT_LE(itemCount, 256u);
    const std::vector<TItemPresence> presence = PlainPresence(map, itemCount);

    std::mt19937 random(20240611);
    for (int scheme = 0; scheme < 25; ++scheme) {
        std::vector<TRGBTriple> colors(itemCount);
        for (TRGBTriple& color : colors)
            color = Rgb(std::uint8_t(random()), std::uint8_t(random()), std::uint8_t(random()));
        const TPicture picture = Painted(map, colors);
        const std::vector<TItemReading> readings = Read(map, itemCount, picture);
        ASSERT_EQ(readings.size(), itemCount);
        for (std::size_t item = 0; item < itemCount; ++item) {
            SCOPED_TRACE("scheme " + std::to_string(scheme) + ", item " + std::to_string(item));
            EXPECT_EQ(readings[item].Presence, presence[item]);
            if (presence[item] == TItemPresence::NotOnPreview)
                continue;
            EXPECT_EQ(readings[item].Color, colors[item]);
            EXPECT_EQ(readings[item].Confidence, 1.0);
        }
        if (scheme < 3) {
            for (const int scale : {2, 3})
                EXPECT_EQ(Read(map, itemCount, Enlarged(picture, scale)), readings)
                    << "scale " << scale;
        }
    }
}

TEST(ImportRowsTest, ChangedItemsOnThePreviewCheckedUnlessThinOrDoubtful)
{
    const TRGBTriple grey = Rgb(128, 128, 128);
    const TRGBTriple red = Rgb(200, 30, 30);
    const std::vector<TItemReading> readings = {
        {TItemPresence::Interior, red, 100, 1.0}, // 0: changes, checked
        {TItemPresence::Interior, grey, 100, 1.0}, // 1: already so: no row
        {TItemPresence::Thin, red, 5, 1.0}, // 2: thin: unchecked
        {TItemPresence::Interior, red, 100, 0.89}, // 3: doubtful: unchecked
        {TItemPresence::Interior, red, 100, 0.9}, // 4: just confident enough: checked
        {}, // 5: not on the preview: no row
        {TItemPresence::Interior, red, 100, 1.0}, // 6: beyond the document: no row
    };
    const std::vector<TRGBTriple> colors(6, grey);
    const std::vector<TImportRow> rows = ImportRows(readings, colors);
    std::vector<std::size_t> items;
    std::vector<bool> checked;
    for (const TImportRow& row : rows) {
        items.push_back(row.Item);
        checked.push_back(row.CheckedAtFirst);
        EXPECT_EQ(row.Old, grey);
        EXPECT_EQ(row.New, red);
        EXPECT_NEAR(row.DeltaE, DeltaE2000(grey, red), 1e-12);
    }
    EXPECT_EQ(items, (std::vector<std::size_t> {0, 2, 3, 4}));
    EXPECT_EQ(checked, (std::vector<bool> {true, false, false, true}));
    EXPECT_EQ(ItemsNotOnPreview(readings), (std::vector<std::size_t> {5}));
}

} // namespace
