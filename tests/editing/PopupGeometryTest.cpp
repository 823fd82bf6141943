#include "editing/PopupGeometry.h"

#include "editing/Palette.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr int Edge = 2;
constexpr int Cell = 18;
// Text sizes as a caller would measure them; any values do, the layout only adds to them.
constexpr TPopupSize CustomText {70, 13};
constexpr TPopupSize DefaultText {52, 15};

constexpr std::uint32_t TColorOf(std::uint32_t rrggbb)
{
    return (rrggbb >> 16 & 0xFF) | (rrggbb & 0xFF00) | (rrggbb & 0xFF) << 16;
}

struct TLayoutCase
{
    const char* Name;
    bool Default;
    bool Custom;
    bool System;
};

// Every combination of the two buttons and the system colours.
const TLayoutCase LayoutCases[] = {
    {"plain", false, false, false},
    {"custom (main window)", false, true, false},
    {"default", true, false, false},
    {"default and custom", true, true, false},
    {"plain, system", false, false, true},
    {"custom, system", false, true, true},
    {"default, system", true, false, true},
    {"default and custom, system", true, true, true},
};

TPopupLayout LayoutOf(const TLayoutCase& c, int spacing = 8)
{
    TPopupOptions options;
    options.Spacing = spacing;
    options.HasDefaultButton = c.Default;
    options.HasCustomButton = c.Custom;
    options.ShowSystemColors = c.System;
    if (c.Default || c.Custom) {
        // Both texts are measured once either button exists.
        options.DefaultTextSize = c.Default ? DefaultText : TPopupSize {0, 0};
        options.CustomTextSize = c.Custom ? CustomText : TPopupSize {0, 0};
    }
    return ComputePopupLayout(options);
}

TPopupLayout MainWindowLayout()
{
    return LayoutOf(LayoutCases[1]);
}

TEST(PopupGeometryTest, WidthIsTwoEdgesEightCellsAndTwoSpacings)
{
    const struct
    {
        int Spacing;
        int Width;
    } rows[] = {{8, 164}, {0, 148}, {1, 150}, {20, 188}, {-5, 148}};
    for (const auto& row : rows) {
        SCOPED_TRACE("spacing " + std::to_string(row.Spacing));
        for (const auto& c : LayoutCases) {
            SCOPED_TRACE(c.Name);
            EXPECT_EQ(LayoutOf(c, row.Spacing).Width, row.Width);
        }
    }
}

TEST(PopupGeometryTest, AWideButtonTextWidensThePopup)
{
    TPopupOptions options;
    options.HasCustomButton = true;
    options.CustomTextSize = {200, 13};
    const TPopupLayout layout = ComputePopupLayout(options);
    EXPECT_EQ(layout.Width, 200 + 2 * Edge);
    EXPECT_EQ(layout.CustomButton.Left, Edge + 8);
    EXPECT_EQ(layout.CustomButton.Right, layout.Width - Edge - 8);
    // The grid keeps its place at the left.
    EXPECT_EQ(CellRect(layout, 0).Left, Edge + 8);

    // The wider of the two texts counts, whichever button it belongs to.
    options.HasDefaultButton = true;
    options.DefaultTextSize = {230, 10};
    EXPECT_EQ(ComputePopupLayout(options).Width, 230 + 2 * Edge);
}

TEST(PopupGeometryTest, HeightsAndButtonRectanglesFollowTheFormulas)
{
    // A button is the taller text + 4 edges + 2: 15 + 10 = 25 with both texts, 13 + 10 = 23 with
    // the custom text alone.
    const struct
    {
        const char* Name;
        TLayoutCase Case;
        TPopupRect DefaultButton;
        int GridTop;
        TPopupRect CustomButton;
        int CollapsedHeight;
    } rows[] = {
        {"plain", LayoutCases[0], {}, 4, {}, 98},
        {"custom", LayoutCases[1], {}, 4, {10, 98, 154, 121}, 125},
        {"default", LayoutCases[2], {10, 4, 154, 29}, 29, {}, 98 + 25 + 4},
        {"default and custom", LayoutCases[3], {10, 4, 154, 29}, 29, {10, 127, 154, 152}, 156},
        {"plain, system", LayoutCases[4], {}, 4, {}, 98 + 76},
        {"custom, system", LayoutCases[5], {}, 4, {10, 174, 154, 197}, 201},
        {"default, system", LayoutCases[6], {10, 4, 154, 29}, 29, {}, 127 + 76},
        {"default and custom, system", LayoutCases[7], {10, 4, 154, 29}, 29, {10, 203, 154, 228},
            232},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        const TPopupLayout layout = LayoutOf(row.Case);
        EXPECT_EQ(layout.DefaultButton, row.DefaultButton);
        EXPECT_EQ(layout.GridTop, row.GridTop);
        EXPECT_EQ(layout.CustomButton, row.CustomButton);
        EXPECT_EQ(layout.CollapsedHeight, row.CollapsedHeight);
        EXPECT_EQ(CellRect(layout, DefaultCell), row.DefaultButton);
        EXPECT_EQ(CellRect(layout, CustomCell), row.CustomButton);
        if (row.Case.Custom) {
            // The custom area (honeycomb 2 x 63 and grey row 2 x 11 high) lies below the
            // button, and the expanded popup ends 2 edges below it.
            EXPECT_EQ(layout.CustomArea.Top, layout.CollapsedHeight);
            EXPECT_EQ(layout.ExpandedHeight, layout.CollapsedHeight + 126 + 22 + 2 * Edge);
        } else {
            EXPECT_EQ(layout.ExpandedHeight, layout.CollapsedHeight);
        }
    }
}

TEST(PopupGeometryTest, PreviewSquareSitsAtTheCustomButtonsRightEnd)
{
    const TPopupLayout layout = MainWindowLayout();
    // The 18-pixel square ends 2 pixels before the button's right end (154), is centred in the
    // 23-pixel button (top 98 + 2) and is inset by 3 on every side.
    EXPECT_EQ(layout.PreviewSquare, (TPopupRect {134 + 3, 100 + 3, 152 - 3, 118 - 3}));
}

TEST(PopupGeometryTest, CellRectanglesFollowTheFormulas)
{
    const struct
    {
        const char* Name;
        TLayoutCase Case;
        int Spacing;
        int Cell;
        TPopupRect Rect;
    } rows[] = {
        {"first cell", LayoutCases[1], 8, 0, {10, 4, 28, 22}},
        {"end of the first row", LayoutCases[1], 8, 7, {136, 4, 154, 22}},
        {"start of the second row", LayoutCases[1], 8, 8, {10, 22, 28, 40}},
        {"Grey-40%", LayoutCases[1], 8, 23, {136, 40, 154, 58}},
        {"last palette cell", LayoutCases[1], 8, 39, {136, 76, 154, 94}},
        {"no spacing", LayoutCases[1], 0, 9, {20, 22, 38, 40}},
        {"below the default button", LayoutCases[2], 8, 0, {10, 29, 28, 47}},
        {"first system cell, 3 edges lower", LayoutCases[5], 8, 40, {10, 100, 28, 118}},
        {"last system cell", LayoutCases[5], 8, 64, {10, 154, 28, 172}},
        {"system cell below the default button", LayoutCases[7], 8, 47, {136, 125, 154, 143}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        EXPECT_EQ(CellRect(LayoutOf(row.Case, row.Spacing), row.Cell), row.Rect);
    }
}

TEST(PopupGeometryTest, EveryCellIsAnEighteenPixelSquareFoundAgainByHitTesting)
{
    for (const auto& c : LayoutCases) {
        SCOPED_TRACE(c.Name);
        const TPopupLayout layout = LayoutOf(c);
        EXPECT_EQ(LastCell(layout), c.System ? 64 : 39);
        for (int cell = 0; cell <= LastCell(layout); ++cell) {
            SCOPED_TRACE("cell " + std::to_string(cell));
            const TPopupRect rect = CellRect(layout, cell);
            ASSERT_EQ(rect.Width(), Cell);
            ASSERT_EQ(rect.Height(), Cell);
            const int column = cell % 8;
            EXPECT_EQ(rect.Left, column * Cell + Edge + 8);
            for (const TPopupPoint p :
                {TPopupPoint {rect.Left, rect.Top}, TPopupPoint {rect.Right - 1, rect.Top},
                    TPopupPoint {rect.Left, rect.Bottom - 1},
                    TPopupPoint {rect.Right - 1, rect.Bottom - 1},
                    TPopupPoint {rect.Left + 9, rect.Top + 9}})
                ASSERT_EQ(CellAt(layout, p), cell) << p.X << "," << p.Y;
        }
        // Cells beyond the layout's last have no rectangle.
        EXPECT_TRUE(CellRect(layout, LastCell(layout) + 1).IsEmpty());
        EXPECT_TRUE(CellRect(layout, NoCell).IsEmpty());
        EXPECT_EQ(CellRect(layout, DefaultCell).IsEmpty(), !c.Default);
        EXPECT_EQ(CellRect(layout, CustomCell).IsEmpty(), !c.Custom);
    }
}

TEST(PopupGeometryTest, HitTestingOutsideTheGridFindsNothing)
{
    const struct
    {
        const char* Name;
        TLayoutCase Case;
        TPopupPoint Point;
        int Cell;
    } rows[] = {
        {"left margin", LayoutCases[1], {9, 10}, NoCell},
        {"right margin", LayoutCases[1], {154, 10}, NoCell},
        {"above the grid", LayoutCases[1], {20, 3}, NoCell},
        {"negative point", LayoutCases[1], {-5, -5}, NoCell},
        {"below the fifth row, above the custom button", LayoutCases[1], {20, 95}, NoCell},
        {"below the fifth row without a custom button", LayoutCases[0], {20, 95}, NoCell},
        {"far below the grid without system colours", LayoutCases[0], {20, 130}, NoCell},
        {"on the custom button", LayoutCases[1], {80, 110}, CustomCell},
        {"custom button's left end, in the grid's column 0", LayoutCases[1], {10, 98}, CustomCell},
        {"custom button's last pixel", LayoutCases[1], {153, 120}, CustomCell},
        {"just below the custom button", LayoutCases[1], {80, 121}, NoCell},
        {"on the default button", LayoutCases[2], {12, 5}, DefaultCell},
        {"gap before the system rows", LayoutCases[5], {20, 96}, NoCell},
        {"last pixel of the gap", LayoutCases[5], {20, 99}, NoCell},
        {"first system cell", LayoutCases[5], {10, 100}, 40},
        {"short last system row, column 1", LayoutCases[5], {30, 160}, NoCell},
        {"short last system row, column 7", LayoutCases[5], {140, 160}, NoCell},
        {"custom button below the system rows", LayoutCases[5], {20, 180}, CustomCell},
        {"left of the default button", LayoutCases[2], {9, 5}, NoCell},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        EXPECT_EQ(CellAt(LayoutOf(row.Case), row.Point), row.Cell);
    }
}

struct TKeyRow
{
    int From;
    TPopupKey Key;
    int To;
};

std::string KeyName(TPopupKey key)
{
    switch (key) {
    case TPopupKey::Left:
        return "Left";
    case TPopupKey::Right:
        return "Right";
    case TPopupKey::Up:
        return "Up";
    case TPopupKey::Down:
        return "Down";
    }
    return "?";
}

void ExpectMoves(const TLayoutCase& c, const std::vector<TKeyRow>& rows)
{
    SCOPED_TRACE(c.Name);
    const TPopupLayout layout = LayoutOf(c);
    for (const auto& row : rows)
        EXPECT_EQ(NextCellForKey(layout, row.From, row.Key), row.To)
            << KeyName(row.Key) << " from " << row.From;
}

constexpr auto L = TPopupKey::Left;
constexpr auto R = TPopupKey::Right;
constexpr auto U = TPopupKey::Up;
constexpr auto D = TPopupKey::Down;

TEST(PopupGeometryTest, ArrowsInsideTheGridMoveByCellAndRowAndWrapAcrossRows)
{
    for (const auto& c : LayoutCases)
        ExpectMoves(c,
            {
                {9, L, 8},
                {9, R, 10},
                {9, U, 1},
                {9, D, 17}, // an inner cell
                {8, L, 7},
                {7, R, 8}, // wrap to the neighbouring row's end and start
                {7, U, c.Default ? DefaultCell : (c.Custom ? CustomCell : (c.System ? 64 : 39))},
                {32, D, c.System ? 40 : (c.Custom ? CustomCell : (c.Default ? DefaultCell : 0))},
                {31, D, 39},
                {39, U, 31},
            });
}

TEST(PopupGeometryTest, ArrowsAtTheCornersAndButtonsWithoutSystemColours)
{
    // Grid corners 0, 7, 32, 39; the last cell is 39.
    ExpectMoves(LayoutCases[0], // no buttons: everything wraps around the grid
        {
            {0, L, 39},
            {0, U, 39},
            {0, R, 1},
            {0, D, 8},
            {7, U, 39},
            {7, R, 8},
            {7, D, 15},
            {7, L, 6},
            {32, D, 0},
            {32, L, 31},
            {32, U, 24},
            {32, R, 33},
            {39, R, 0},
            {39, D, 0},
            {39, L, 38},
            {39, U, 31},
            {35, D, 0},
            {4, U, 39},
        });
    ExpectMoves(LayoutCases[1], // custom button only
        {
            {0, L, CustomCell},
            {0, U, CustomCell},
            {7, U, CustomCell},
            {39, R, CustomCell},
            {39, D, CustomCell},
            {32, D, CustomCell},
            {CustomCell, L, 39},
            {CustomCell, U, 39},
            {CustomCell, R, 0},
            {CustomCell, D, 0},
        });
    ExpectMoves(LayoutCases[2], // default button only
        {
            {0, L, DefaultCell},
            {0, U, DefaultCell},
            {7, U, DefaultCell},
            {39, R, DefaultCell},
            {39, D, DefaultCell},
            {32, D, DefaultCell},
            {DefaultCell, L, 39},
            {DefaultCell, U, 39},
            {DefaultCell, R, 0},
            {DefaultCell, D, 0},
        });
    ExpectMoves(LayoutCases[3], // both buttons
        {
            {0, L, DefaultCell},
            {0, U, DefaultCell},
            {7, U, DefaultCell},
            {39, R, CustomCell},
            {39, D, CustomCell},
            {32, D, CustomCell},
            {DefaultCell, L, CustomCell},
            {DefaultCell, U, CustomCell},
            {DefaultCell, R, 0},
            {DefaultCell, D, 0},
            {CustomCell, L, 39},
            {CustomCell, U, 39},
            {CustomCell, R, DefaultCell},
            {CustomCell, D, DefaultCell},
        });
}

TEST(PopupGeometryTest, ArrowsAtTheCornersAndButtonsWithSystemColours)
{
    // The system rows continue the grid: 40..47, 48..55, 56..63 and a short row holding 64.
    ExpectMoves(LayoutCases[4], // no buttons
        {
            {39, R, 40},
            {40, L, 39},
            {32, D, 40},
            {39, D, 47},
            {40, U, 32},
            {47, U, 39},
            {0, L, 64},
            {0, U, 64},
            {64, R, 0},
            {64, D, 0},
            {64, L, 63},
            {64, U, 56},
            {56, D, 64},
            {57, D, 0},
            {63, D, 0},
            {63, R, 64},
            {63, U, 55},
        });
    ExpectMoves(LayoutCases[5], // custom button
        {
            {64, R, CustomCell},
            {64, D, CustomCell},
            {57, D, CustomCell},
            {63, D, CustomCell},
            {0, L, CustomCell},
            {0, U, CustomCell},
            {CustomCell, L, 64},
            {CustomCell, U, 64},
            {CustomCell, R, 0},
            {CustomCell, D, 0},
        });
    ExpectMoves(LayoutCases[6], // default button
        {
            {64, R, DefaultCell},
            {60, D, DefaultCell},
            {0, L, DefaultCell},
            {3, U, DefaultCell},
            {DefaultCell, L, 64},
            {DefaultCell, U, 64},
            {DefaultCell, R, 0},
            {DefaultCell, D, 0},
        });
    ExpectMoves(LayoutCases[7], // both buttons
        {
            {64, R, CustomCell},
            {58, D, CustomCell},
            {0, L, DefaultCell},
            {5, U, DefaultCell},
            {DefaultCell, L, CustomCell},
            {DefaultCell, U, CustomCell},
            {CustomCell, L, 64},
            {CustomCell, U, 64},
            {CustomCell, R, DefaultCell},
            {CustomCell, D, DefaultCell},
            {DefaultCell, R, 0},
            {DefaultCell, D, 0},
        });
}

TEST(PopupGeometryTest, ArrowsFromNothingEnterTheGridAtItsEnds)
{
    for (const auto& c : LayoutCases) {
        const int last = c.System ? 64 : 39;
        ExpectMoves(c, {{NoCell, L, last}, {NoCell, U, last}, {NoCell, R, 0}, {NoCell, D, 0}});
    }
}

TEST(PopupGeometryTest, EveryArrowMoveLandsOnACellTheLayoutHas)
{
    for (const auto& c : LayoutCases) {
        SCOPED_TRACE(c.Name);
        const TPopupLayout layout = LayoutOf(c);
        for (int from = DefaultCell; from <= LastCell(layout); ++from) {
            if (from != NoCell && CellRect(layout, from).IsEmpty())
                continue;
            for (const TPopupKey key : {L, R, U, D}) {
                const int to = NextCellForKey(layout, from, key);
                EXPECT_FALSE(CellRect(layout, to).IsEmpty()) << KeyName(key) << " from " << from;
                EXPECT_NE(to, from) << KeyName(key) << " from " << from;
            }
        }
    }
}

TEST(PopupGeometryTest, LeftUndoesRightEverywhere)
{
    // Left and Right walk one ring through the cells and buttons, in opposite directions.
    for (const auto& c : LayoutCases) {
        SCOPED_TRACE(c.Name);
        const TPopupLayout layout = LayoutOf(c);
        for (int from = DefaultCell; from <= LastCell(layout); ++from) {
            if (from == NoCell || CellRect(layout, from).IsEmpty())
                continue;
            EXPECT_EQ(NextCellForKey(layout, NextCellForKey(layout, from, R), L), from) << from;
        }
    }
}

TEST(PopupGeometryTest, PopupOpensBelowTheButtonAndStaysOnTheScreen)
{
    const TPopupSize size {164, 125};
    const TPopupRect screen {0, 0, 1024, 768};
    const struct
    {
        const char* Name;
        TPopupRect Button;
        TPopupRect Available;
        TPopupPoint Position;
    } rows[] = {
        {"room below", {520, 84, 593, 105}, screen, {519, 105}},
        {"ends exactly at the bottom", {520, 622, 593, 643}, screen, {519, 643}},
        {"near the bottom: above the button", {520, 700, 593, 721}, screen, {519, 700 - 125}},
        {"at the very bottom", {520, 747, 593, 768}, screen, {519, 747 - 125}},
        {"slightly past the bottom: moved up, still below the button's top", {520, 640, 593, 661},
            screen, {519, 768 - 125}},
        {"moved up exactly to the button's top: stays there", {520, 643, 593, 664}, screen,
            {519, 643}},
        {"at the right edge: shifted left", {990, 84, 1063, 105}, screen, {1024 - 164, 105}},
        {"just fits at the right", {861, 84, 934, 105}, screen, {860, 105}},
        {"bottom right corner", {990, 700, 1063, 721}, screen, {1024 - 164, 575}},
        {"panel at the bottom of the screen", {520, 640, 593, 661}, {0, 0, 1024, 728},
            {519, 640 - 125}},
        {"second screen to the right", {1900, 84, 1973, 105}, {1024, 0, 2048, 768},
            {2048 - 164, 105}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        EXPECT_EQ(PopupPosition(row.Button, size, row.Available), row.Position);
    }
}

TEST(PopupGeometryTest, ColourIsFoundInThePaletteThenInTheSystemColours)
{
    // A fake desktop: system colour k is grey k, except 15 (button face) which is Gray-25%.
    const TSystemColorResolver resolve = [](int index) -> std::uint32_t {
        return index == 15 ? 0xC0C0C0 : 0x010101u * std::uint32_t(index);
    };
    const struct
    {
        const char* Name;
        std::uint32_t Color;
        bool System;
        int Cell;
    } rows[] = {
        {"Brown", TColorOf(0x993300), false, 1},
        {"Black, also system colour 0", TColorOf(0x000000), true, 0},
        {"White", TColorOf(0xFFFFFF), false, 39},
        {"Grey-40%", TColorOf(0x969696), false, 23},
        {"Red", TColorOf(0xFF0000), false, 16},
        {"an arbitrary colour", TColorOf(0x123456), false, NoCell},
        {"an arbitrary colour, system colours shown", TColorOf(0x123456), true, NoCell},
        {"RGB order matters", 0x993300, false, NoCell},
        {"no colour", clNone, true, NoCell},
        {"default colour", clDefault, false, DefaultCell},
        {"system value, system colours shown", 0xFF00000F, true, 40 + 15},
        {"system value resolved into the palette", 0xFF00000F, false, 31},
        {"system value that resolves to no palette colour", 0xFF000003, false, NoCell},
        {"last system value", 0xFF000018, true, 64},
        {"RGB of a system colour, system colours shown", 0x050505, true, 40 + 5},
        {"RGB of a system colour, system colours hidden", 0x050505, false, NoCell},
        {"palette wins over a system colour of the same RGB", TColorOf(0xC0C0C0), true, 31},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        EXPECT_EQ(SelectColorIndex(row.Color, row.System, resolve), row.Cell);
    }
}

} // namespace
