#include "editing/Palette.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

// The palette is written down as RRGGBB; a TColor keeps red in the low byte.
constexpr std::uint32_t TColorOf(std::uint32_t rrggbb)
{
    return (rrggbb >> 16 & 0xFF) | (rrggbb & 0xFF00) | (rrggbb & 0xFF) << 16;
}

TEST(PaletteTest, FortyNamedColoursRowByRow)
{
    const struct
    {
        const char* Name;
        std::uint32_t Rrggbb;
    } rows[] = {
        {"Black", 0x000000},
        {"Brown", 0x993300},
        {"Olive Green", 0x333300},
        {"Dark Green", 0x003300},
        {"Dark Teal", 0x003366},
        {"Dark blue", 0x000080},
        {"Indigo", 0x333399},
        {"Gray-80%", 0x333333},
        {"Dark Red", 0x800000},
        {"Orange", 0xFF6600},
        {"Dark Yellow", 0x808000},
        {"Green", 0x008000},
        {"Teal", 0x008080},
        {"Blue", 0x0000FF},
        {"Blue-Gray", 0x666699},
        {"Gray-50%", 0x808080},
        {"Red", 0xFF0000},
        {"Light Orange", 0xFF9900},
        {"Lime", 0x99CC00},
        {"Sea Green", 0x339966},
        {"Aqua", 0x33CCCC},
        {"Light Blue", 0x3366FF},
        {"Violet", 0x800080},
        {"Grey-40%", 0x969696},
        {"Pink", 0xFF00FF},
        {"Gold", 0xFFCC00},
        {"Yellow", 0xFFFF00},
        {"Bright Green", 0x00FF00},
        {"Turquoise", 0x00FFFF},
        {"Sky Blue", 0x00CCFF},
        {"Plum", 0x993366},
        {"Gray-25%", 0xC0C0C0},
        {"Rose", 0xFF99CC},
        {"Tan", 0xFFCC99},
        {"Light Yellow", 0xFFFF99},
        {"Light Green", 0xCCFFCC},
        {"Light Turquoise", 0xCCFFFF},
        {"Pale Blue", 0x99CCFF},
        {"Lavender", 0xCC99FF},
        {"White", 0xFFFFFF},
    };
    static_assert(std::size(rows) == PaletteColors.size());
    for (int cell = 0; cell < PaletteColorCount; ++cell) {
        SCOPED_TRACE("cell " + std::to_string(cell));
        EXPECT_EQ(std::string(PaletteColors[cell].Name), rows[cell].Name);
        EXPECT_EQ(PaletteColors[cell].Color, TColorOf(rows[cell].Rrggbb));
        EXPECT_EQ(std::string(CellColorName(cell)), rows[cell].Name);
        EXPECT_EQ(CellColor(cell), TColorOf(rows[cell].Rrggbb));
    }
}

TEST(PaletteTest, ColoursAreStoredRedInTheLowByte)
{
    const struct
    {
        int Cell;
        std::uint32_t Color;
    } rows[] = {{1, 0x003399}, {9, 0x0066FF}, {13, 0xFF0000}, {16, 0x0000FF}, {21, 0xFF6633}};
    for (const auto& row : rows) {
        SCOPED_TRACE(PaletteColors[row.Cell].Name);
        EXPECT_EQ(PaletteColors[row.Cell].Color, row.Color);
    }
}

TEST(PaletteTest, SystemCellsFollowThePaletteInSystemIndexOrder)
{
    const char* const names[] = {
        "system color: scroll bar",
        "system color: background",
        "system color: active caption",
        "system color: inactive caption",
        "system color: menu",
        "system color: window",
        "system color: window frame",
        "system color: menu text",
        "system color: window text",
        "system color: caption text",
        "system color: active border",
        "system color: inactive border",
        "system color: application workspace",
        "system color: highlight",
        "system color: highlight text",
        "system color: button face",
        "system color: button shadow",
        "system color: gray text",
        "system color: button text",
        "system color: inactive caption text",
        "system color: button highlight",
        "system color: 3D dark shadow",
        "system color: 3D light",
        "system color: info text",
        "system color: info background",
    };
    static_assert(std::size(names) == SystemColorCount);
    for (int index = 0; index < SystemColorCount; ++index) {
        SCOPED_TRACE(names[index]);
        const int cell = PaletteColorCount + index;
        EXPECT_EQ(std::string(SystemColorNames[index]), names[index]);
        EXPECT_EQ(std::string(CellColorName(cell)), names[index]);
        EXPECT_EQ(CellColor(cell), 0xFF000000u + std::uint32_t(index));
        EXPECT_TRUE(IsSystemColor(CellColor(cell)));
        EXPECT_EQ(SystemColorIndex(CellColor(cell)), index);
    }
}

TEST(PaletteTest, OnlyTheTopByteFFMarksASystemColour)
{
    const struct
    {
        std::uint32_t Color;
        bool System;
    } rows[] = {{0xFF000000, true}, {0xFF000018, true}, {0x00FFFFFF, false}, {0x00000000, false},
        {clNone, false}, {clDefault, false}, {0x7F000005, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.Color));
        EXPECT_EQ(IsSystemColor(row.Color), row.System);
    }
}

} // namespace
