#include "tools/readout/ItemReadout.h"

#include "preview/ColorContrast.h"
#include "preview/ItemFlash.h"
#include "preview/Legibility.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <utility>
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

TEST(ColorContrastTest, RatioTextIsRoundedDown)
{
    struct TRow
    {
        const char* Name;
        double Ratio;
        const char* Text;
        const char* TwoDecimals;
    };
    const TRow rows[] = {
        {"black and white", 21.0, "21.0:1", "21.00:1"},
        {"equal colours", 1.0, "1.0:1", "1.00:1"},
        {"grey 77 on white just misses 4.5", 4.478, "4.4:1", "4.47:1"},
        {"grey 76 on white passes 4.5", 4.542, "4.5:1", "4.54:1"},
        {"pure green on black", 15.3, "15.3:1", "15.30:1"},
        {"road and its border", 1.742, "1.7:1", "1.74:1"},
        {"exactly 1.5 in decimal", 1.5, "1.5:1", "1.50:1"},
        {"just below 1.5", 1.4999, "1.4:1", "1.49:1"},
        {"exactly 4.52 in decimal", 4.52, "4.5:1", "4.52:1"},
        {"hundredths below ten", 3.05, "3.0:1", "3.05:1"},
    };
    for (const TRow& row : rows) {
        EXPECT_EQ(ContrastRatioText(row.Ratio), row.Text) << row.Name;
        EXPECT_EQ(ContrastRatioText(row.Ratio, 2), row.TwoDecimals) << row.Name;
    }
}

// Rounded down, so a difference shown below a threshold of one decimal is one that is flagged.
TEST(ColorContrastTest, DeltaETextAgreesWithTheThreshold)
{
    struct TRow
    {
        const char* Name;
        double DeltaE;
        const char* Text;
    };
    const TRow rows[] = {
        {"equal colours", 0.0, "0.0"},
        {"just below the default threshold", 4.999, "4.9"},
        {"at the threshold", 5.0, "5.0"},
        {"exactly 2.3 in decimal", 2.3, "2.3"},
        {"black and white", 100.0, "100.0"},
        {"not a number", std::nan(""), "0.0"},
    };
    for (const TRow& row : rows) {
        EXPECT_EQ(DeltaEText(row.DeltaE), row.Text) << row.Name;
        if (!std::isnan(row.DeltaE)) {
            EXPECT_EQ(HardToTellApart(row.DeltaE), std::stod(row.Text) < DefaultLegibilityThreshold)
                << row.Name;
        }
    }
}

// Items: 0 "Main road", 1 "Main road border", 2 "Water", 3 without a description, 4 "Park",
// 5 "Main road shadow" (CIEDE2000 1.1 from the road), 6 "Sand" (5.2 from the road); a map item
// 300 lies beyond them. Water has almost the road's luminance (1.0:1) but another hue.
const std::vector<TRGBTriple> Colors = {Rgb(0xFABE8C), Rgb(0xC88C5A), Rgb(0xAAD3DF), Rgb(0xFFFFFF),
    Rgb(0xC8E6B4), Rgb(0xF5BA8A), Rgb(0xF0C8A0)};

TAnsiString Description(std::size_t item)
{
    const char* const descriptions[]
        = {"Main road", "Main road border", "Water", "", "Park", "Main road shadow", "Sand"};
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
        {"item", Item(0), "Main road - #FABE8C - item 1"},
        {"item without a description", Item(3), "#FFFFFF - item 4"},
        {"fixed colour, red in the low byte", 0x00563412, "#123456 - fixed"},
        {"top byte of a fixed colour ignored", 0xDF000000, "#000000 - fixed"},
        {"just beyond the items", Item(7), "item 8 - not in this scheme"},
        {"whole index, not the painted low byte", Item(256 + 2), "item 259 - not in this scheme"},
        {"largest cell", 0xFFFFFFFF, "item 536870912 - not in this scheme"},
    };
    for (const TRow& row : rows)
        EXPECT_EQ(CellReadoutText(row.Cell, Items), row.Text) << row.Name;
    EXPECT_EQ(ReadoutItem(Item(4), 5), 4u);
    EXPECT_EQ(ReadoutItem(Item(5), 5), std::nullopt);
    EXPECT_EQ(ReadoutItem(0xDFFFFFFF, 5), std::nullopt);
}

// Through a colour filter the read-out names the real colour and the one painted, and only
// where they differ.
TEST(ItemReadoutTest, HoverTextThroughAFilter)
{
    // Turns the road's colour into grey and leaves every other colour as it is.
    const auto painted = [](const TRGBTriple& color) {
        return color == Rgb(0xFABE8C) || color == Rgb(0x123456) ? Rgb(0x808080) : color;
    };
    struct TRow
    {
        const char* Name;
        std::uint32_t Cell;
        const char* Text;
    };
    const TRow rows[] = {
        {"item painted as another colour", Item(0),
            "Main road - #FABE8C - item 1 - seen as #808080"},
        {"item painted as it is", Item(2), "Water - #AAD3DF - item 3"},
        {"fixed colour painted as another", 0x00563412, "#123456 - fixed - seen as #808080"},
        {"fixed colour painted as it is", 0x00FFFFFF, "#FFFFFF - fixed"},
        {"item the document lacks names no colour", Item(256), "item 257 - not in this scheme"},
    };
    for (const TRow& row : rows)
        EXPECT_EQ(CellReadoutText(row.Cell, Items, painted), row.Text) << row.Name;
    EXPECT_EQ(CellReadoutText(Item(0), Items, nullptr), "Main road - #FABE8C - item 1");
    EXPECT_EQ(ReadoutColor(0x00563412, Colors), Rgb(0x123456));
    EXPECT_EQ(ReadoutColor(Item(4), Colors), Colors[4]);
    EXPECT_EQ(ReadoutColor(Item(7), Colors), std::nullopt);
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
        double Threshold = DefaultLegibilityThreshold;
    };
    const TRow rows[] = {
        {"not on the preview", {Item(1), Item(2)}, 0,
            "Main road - #FABE8C - item 1\nnot on this preview"},
        {"alone", {Item(0), Item(0)}, 0, "Main road - #FABE8C - item 1\nBorders no other item"},
        {"only fixed colours and missing items around", {0x00FFFFFF, Item(2), Item(300)}, 2,
            "Water - #AAD3DF - item 3\nBorders no other item"},
        {"one neighbour", {Item(0), Item(1)}, 0,
            "Main road - #FABE8C - item 1\nBorders 1 item:\n"
            "1.7:1 with Main road border (item 2)"},
        {"hardest three of four, the hard one marked",
            {Item(4), Item(0), Item(3), Item(0), Item(1), Item(0), Item(5)}, 0,
            "Main road - #FABE8C - item 1\nBorders 4 items; the closest:\n"
            "1.0:1 with Main road shadow (item 6) - hard to tell apart\n"
            "1.7:1 with Main road border (item 2)\n"
            "1.6:1 with item 4"},
        {"a low contrast alone is no mark", {Item(0), Item(2)}, 0,
            "Main road - #FABE8C - item 1\nBorders 1 item:\n1.0:1 with Water (item 3)"},
        {"just above the threshold", {Item(0), Item(6)}, 0,
            "Main road - #FABE8C - item 1\nBorders 1 item:\n1.0:1 with Sand (item 7)"},
        {"just below a higher threshold", {Item(0), Item(6)}, 0,
            "Main road - #FABE8C - item 1\nBorders 1 item:\n"
            "1.0:1 with Sand (item 7) - hard to tell apart",
            5.2},
        {"beyond the count", {Item(7), Item(0)}, 7, ""},
    };
    for (const TRow& row : rows) {
        const TItemNeighbours neighbours(Row(row.Cells));
        EXPECT_EQ(ItemEntryText(row.Item, Items, neighbours, row.Threshold), row.Text) << row.Name;
    }
}

// An item that differs from the file as last loaded or saved says what it was: the description,
// the colour, or both, whichever differs.
TEST(ItemReadoutTest, ListEntrySaysWhatAChangedItemWas)
{
    std::vector<TSchemeItem> saved;
    for (std::size_t item = 0; item < Colors.size(); ++item)
        saved.push_back({Colors[item], Description(item)});
    saved[0].Color = Rgb(0x102030);
    saved[2].Description = "Sea";
    saved[3].Description = "Tunnel";
    saved[4] = {Rgb(0x000000), ""};
    TSavedScheme scheme;
    scheme.Reset(saved);
    for (std::size_t item = 0; item < Colors.size(); ++item) {
        scheme.CompareColor(item, Colors[item]);
        scheme.CompareDescription(item, Description(item));
    }
    TReadoutItems items = Items;
    items.Saved = &scheme;
    items.Words.ChangedFrom = "ge\xE4ndert von %1";

    struct TRow
    {
        const char* Name;
        std::size_t Item;
        std::string Text;
    };
    const TRow rows[] = {
        {"colour", 0, "Main road - #FABE8C - item 1\nge\xE4ndert von #102030\nnot on this preview"},
        {"unchanged", 1,
            "Main road border - #C88C5A - item 2\nBorders 1 item:\n"
            "1.7:1 with Water (item 3)"},
        {"description", 2,
            "Water - #AAD3DF - item 3\nge\xE4ndert von Sea\nBorders 1 item:\n"
            "1.7:1 with Main road border (item 2)"},
        {"description taken away", 3,
            "#FFFFFF - item 4\nge\xE4ndert von Tunnel\nnot on this preview"},
        {"both, from no description", 4,
            "Park - #C8E6B4 - item 5\nge\xE4ndert von no description - #000000\nnot on this "
            "preview"},
    };
    const TItemNeighbours neighbours(Row({Item(1), Item(2)}));
    for (const TRow& row : rows)
        EXPECT_EQ(ItemEntryText(row.Item, items, neighbours), row.Text) << row.Name;
    // Without the saved state, as the hover read-out has it, nothing is said.
    EXPECT_EQ(
        ItemEntryText(0, Items, neighbours), "Main road - #FABE8C - item 1\nnot on this preview");
}

// The list entry marks exactly the pairs the legibility check flags.
TEST(ItemReadoutTest, EntryMarksAgreeWithTheLegibilityRows)
{
    const TItemNeighbours neighbours(Row({Item(4), Item(0), Item(3), Item(0), Item(1), Item(0),
        Item(5), Item(6), Item(2), Item(5), Item(300)}));
    for (const double threshold : {1.0, 5.0, 5.2, 20.0, 30.0}) {
        const TLegibility legibility(neighbours.TouchingPairs(), Colors, threshold);
        for (const TLegibilityRow& row : legibility.Rows()) {
            for (const auto& [item, other] :
                {std::pair {row.First, row.Second}, std::pair {row.Second, row.First}}) {
                const auto contrasts = NeighbourContrasts(item, neighbours, Colors, threshold);
                const auto found = std::find_if(contrasts.begin(), contrasts.end(),
                    [other](const TNeighbourContrast& c) { return c.Item == other; });
                ASSERT_NE(found, contrasts.end());
                EXPECT_EQ(found->HardToTellApart, row.HardToTellApart) << threshold;
                EXPECT_EQ(found->DeltaE, row.DeltaE);
                EXPECT_EQ(found->Ratio, row.ContrastRatio);
            }
        }
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

TEST(ItemFlashTest, PaintsTheBorderOfTwoItems)
{
    // 0 and 1 meet at two places, across the top row and across the bottom one.
    const TPreviewMap map = TPreviewMap::FromCells(4, 3,
        {Item(0), Item(0), Item(1), Item(1), //
            Item(0), Item(2), Item(2), Item(1), //
            Item(0), Item(0), Item(1), 0x00FFFFFF});
    struct TRow
    {
        const char* Name;
        std::size_t First, Second;
        std::vector<std::pair<int, int>> Flashed;
    };
    const TRow rows[] = {
        {"both sides of both places", 0, 1, {{1, 0}, {2, 0}, {1, 2}, {2, 2}}},
        {"order does not matter", 1, 0, {{1, 0}, {2, 0}, {1, 2}, {2, 2}}},
        {"above, below and beside", 0, 2, {{0, 1}, {1, 0}, {1, 1}, {1, 2}}},
        {"items that do not touch", 0, 5, {}},
        {"one item is no border", 1, 1, {}},
        {"an index no cell holds", 0, std::size_t {1} << 40, {}},
    };
    constexpr std::ptrdiff_t BytesPerLine = 3 * 4 + 2;
    for (const TRow& row : rows) {
        std::vector<std::uint8_t> pixels(3 * BytesPerLine, 0x10);
        EXPECT_EQ(PaintBorderFlashPixels(map, row.First, row.Second, pixels.data(), BytesPerLine),
            row.Flashed.size())
            << row.Name;
        std::vector<std::uint8_t> expected(3 * BytesPerLine, 0x10);
        for (const auto& [x, y] : row.Flashed)
            std::fill_n(expected.begin() + y * BytesPerLine + 3 * x, 3, 0xEF);
        EXPECT_EQ(pixels, expected) << row.Name;
    }
}

} // namespace
