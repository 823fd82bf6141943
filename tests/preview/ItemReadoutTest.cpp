#include "preview/ItemReadout.h"

#include "preview/ColorContrast.h"
#include "preview/ItemFlash.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace {

constexpr TRGBTriple Rgb(std::uint32_t rrggbb)
{
    return {std::uint8_t(rrggbb), std::uint8_t(rrggbb >> 8), std::uint8_t(rrggbb >> 16)};
}

constexpr std::uint32_t Item(std::uint32_t index)
{
    return ItemReferenceBase + index;
}

TEST(ColorContrastTest, KnownRatios)
{
    struct TRow
    {
        const char* Name;
        std::uint32_t First, Second;
        const char* Text;
        bool Hard;
    };
    const TRow rows[] = {
        {"black and white", 0x000000, 0xFFFFFF, "21.0:1", false},
        {"equal colours", 0x3C7A99, 0x3C7A99, "1.0:1", true},
        {"grey 77 on white just misses 4.5", 0x777777, 0xFFFFFF, "4.4:1", false},
        {"grey 76 on white passes 4.5", 0x767676, 0xFFFFFF, "4.5:1", false},
        {"road and its border", 0xFABE8C, 0xC88C5A, "1.7:1", false},
        {"two close greys", 0xBEBEBE, 0xAAAAAA, "1.2:1", true},
    };
    for (const TRow& row : rows) {
        const double ratio = ContrastRatio(Rgb(row.First), Rgb(row.Second));
        EXPECT_EQ(ContrastRatioText(ratio), row.Text) << row.Name;
        EXPECT_EQ(HardToTellApart(ratio), row.Hard) << row.Name;
    }
}

TEST(ColorContrastTest, MarkAgreesWithTheFigureShown)
{
    EXPECT_EQ(ContrastRatioText(1.5), "1.5:1");
    EXPECT_FALSE(HardToTellApart(1.5));
    EXPECT_EQ(ContrastRatioText(1.4999), "1.4:1");
    EXPECT_TRUE(HardToTellApart(1.4999));
}

// Items: 0 "Main road", 1 "Main road border", 2 "Water", 3 without a description, 4 "Park";
// a map item 300 lies beyond them.
const std::vector<TRGBTriple> Colors
    = {Rgb(0xFABE8C), Rgb(0xC88C5A), Rgb(0xAAD3DF), Rgb(0xFFFFFF), Rgb(0xC8E6B4)};

TAnsiString Description(std::size_t item)
{
    const char* const descriptions[] = {"Main road", "Main road border", "Water", "", "Park"};
    return descriptions[item];
}

const TReadoutItems Items {Colors, Description};

TEST(ItemReadoutTest, HoverTextForEachKindOfCell)
{
    struct TRow
    {
        const char* Name;
        std::uint32_t Cell;
        const char* Text;
    };
    const TRow rows[] = {
        {"item", Item(0), "Main road - #FABE8C - item 0"},
        {"item without a description", Item(3), "#FFFFFF - item 3"},
        {"fixed colour, red in the low byte", 0x00563412, "#123456 - fixed"},
        {"top byte of a fixed colour ignored", 0xDF000000, "#000000 - fixed"},
        {"just beyond the items", Item(5), "item 5 - not in this scheme"},
        {"whole index, not the painted low byte", Item(256 + 2), "item 258 - not in this scheme"},
        {"largest cell", 0xFFFFFFFF, "item 536870911 - not in this scheme"},
    };
    for (const TRow& row : rows)
        EXPECT_EQ(CellReadoutText(row.Cell, Items), row.Text) << row.Name;
    EXPECT_EQ(ReadoutItem(Item(4), 5), 4u);
    EXPECT_EQ(ReadoutItem(Item(5), 5), std::nullopt);
    EXPECT_EQ(ReadoutItem(0xDFFFFFFF, 5), std::nullopt);
}

TPreviewMap Row(const std::vector<std::uint32_t>& cells)
{
    return TPreviewMap::FromCells(int(cells.size()), 1, cells);
}

TEST(ItemReadoutTest, ListEntryText)
{
    struct TRow
    {
        const char* Name;
        std::vector<std::uint32_t> Cells;
        std::size_t Item;
        std::string Text;
    };
    const TRow rows[] = {
        {"not on the preview", {Item(1), Item(2)}, 0,
            "Main road - #FABE8C - item 0\nnot on this preview"},
        {"alone", {Item(0), Item(0)}, 0, "Main road - #FABE8C - item 0\nBorders no other item"},
        {"only fixed colours and missing items around", {0x00FFFFFF, Item(2), Item(300)}, 2,
            "Water - #AAD3DF - item 2\nBorders no other item"},
        {"one neighbour", {Item(0), Item(1)}, 0,
            "Main road - #FABE8C - item 0\nBorders 1 item:\n"
            "1.7:1 with Main road border (item 1)"},
        {"weakest three of four, hard ones marked",
            {Item(4), Item(0), Item(3), Item(0), Item(1), Item(0), Item(2)}, 0,
            "Main road - #FABE8C - item 0\nBorders 4 items; the weakest:\n"
            "1.0:1 with Water (item 2) - hard to tell apart\n"
            "1.2:1 with Park (item 4) - hard to tell apart\n"
            "1.6:1 with item 3"},
        {"beyond the count", {Item(5), Item(0)}, 5, ""},
    };
    for (const TRow& row : rows) {
        const TItemNeighbours neighbours(Row(row.Cells));
        EXPECT_EQ(ItemEntryText(row.Item, Items, neighbours), row.Text) << row.Name;
    }
}

TEST(ItemFlashTest, FlashColours)
{
    struct TRow
    {
        const char* Name;
        std::uint32_t Color, Flash;
    };
    const TRow rows[] = {
        {"black to white", 0x000000, 0xFFFFFF},
        {"road to its inverse", 0xFABE8C, 0x054173},
        {"middle grey to black", 0x808080, 0x000000},
        {"light middle grey to black", 0x9A9A9A, 0x000000},
        {"dark middle grey to white", 0x5A5A5A, 0xFFFFFF},
    };
    for (const TRow& row : rows)
        EXPECT_EQ(FlashColor(Rgb(row.Color)), Rgb(row.Flash)) << row.Name;
}

TEST(ItemFlashTest, PaintsOnlyThePixelsThatPickTheItem)
{
    // Item 261 paints like item 5 but is not item 5 to a click.
    const TPreviewMap map = TPreviewMap::FromCells(2, 2, {Item(5), 0x00000005, Item(261), Item(5)});
    using TPixels = std::array<std::uint8_t, 2 * 8>;
    // Rows of 8 bytes: 6 for the two pixels and 2 of padding, which must stay.
    TPixels pixels {};
    pixels.fill(0x10);
    EXPECT_EQ(PaintFlashPixels(map, 5, pixels.data(), 8), 2u);
    const TPixels expected = {0xEF, 0xEF, 0xEF, 0x10, 0x10, 0x10, 0x10, 0x10, //
        0x10, 0x10, 0x10, 0xEF, 0xEF, 0xEF, 0x10, 0x10};
    EXPECT_EQ(pixels, expected);
    EXPECT_EQ(PaintFlashPixels(map, 7, pixels.data(), 8), 0u);
    EXPECT_EQ(pixels, expected);
}

} // namespace
