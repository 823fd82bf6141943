#include "editing/Palette.h"

#include "editing/ColorCode.h"

namespace {

// The table reads as RRGGBB; a TColor keeps red in the low byte.
constexpr std::uint32_t FromRrggbb(std::uint32_t rrggbb)
{
    return TColorFromRrggbb(rrggbb);
}

} // namespace

const std::array<TPaletteEntry, PaletteColorCount> PaletteColors = {{
    {"Black", FromRrggbb(0x000000)},
    {"Brown", FromRrggbb(0x993300)},
    {"Olive Green", FromRrggbb(0x333300)},
    {"Dark Green", FromRrggbb(0x003300)},
    {"Dark Teal", FromRrggbb(0x003366)},
    {"Dark blue", FromRrggbb(0x000080)},
    {"Indigo", FromRrggbb(0x333399)},
    {"Gray-80%", FromRrggbb(0x333333)},
    {"Dark Red", FromRrggbb(0x800000)},
    {"Orange", FromRrggbb(0xFF6600)},
    {"Dark Yellow", FromRrggbb(0x808000)},
    {"Green", FromRrggbb(0x008000)},
    {"Teal", FromRrggbb(0x008080)},
    {"Blue", FromRrggbb(0x0000FF)},
    {"Blue-Gray", FromRrggbb(0x666699)},
    {"Gray-50%", FromRrggbb(0x808080)},
    {"Red", FromRrggbb(0xFF0000)},
    {"Light Orange", FromRrggbb(0xFF9900)},
    {"Lime", FromRrggbb(0x99CC00)},
    {"Sea Green", FromRrggbb(0x339966)},
    {"Aqua", FromRrggbb(0x33CCCC)},
    {"Light Blue", FromRrggbb(0x3366FF)},
    {"Violet", FromRrggbb(0x800080)},
    {"Grey-40%", FromRrggbb(0x969696)},
    {"Pink", FromRrggbb(0xFF00FF)},
    {"Gold", FromRrggbb(0xFFCC00)},
    {"Yellow", FromRrggbb(0xFFFF00)},
    {"Bright Green", FromRrggbb(0x00FF00)},
    {"Turquoise", FromRrggbb(0x00FFFF)},
    {"Sky Blue", FromRrggbb(0x00CCFF)},
    {"Plum", FromRrggbb(0x993366)},
    {"Gray-25%", FromRrggbb(0xC0C0C0)},
    {"Rose", FromRrggbb(0xFF99CC)},
    {"Tan", FromRrggbb(0xFFCC99)},
    {"Light Yellow", FromRrggbb(0xFFFF99)},
    {"Light Green", FromRrggbb(0xCCFFCC)},
    {"Light Turquoise", FromRrggbb(0xCCFFFF)},
    {"Pale Blue", FromRrggbb(0x99CCFF)},
    {"Lavender", FromRrggbb(0xCC99FF)},
    {"White", FromRrggbb(0xFFFFFF)},
}};

const std::array<const char*, SystemColorCount> SystemColorNames = {
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

bool IsSystemColor(std::uint32_t color)
{
    return (color & 0xFF000000) == SystemColorBase;
}

int SystemColorIndex(std::uint32_t color)
{
    return static_cast<int>(color & 0xFF);
}

std::uint32_t CellColor(int cell)
{
    if (cell < PaletteColorCount)
        return PaletteColors[cell].Color;
    return SystemColorBase + static_cast<std::uint32_t>(cell - PaletteColorCount);
}

const char* CellColorName(int cell)
{
    if (cell < PaletteColorCount)
        return PaletteColors[cell].Name;
    return SystemColorNames[cell - PaletteColorCount];
}
