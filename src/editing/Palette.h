#pragma once

#include <array>
#include <cstdint>

// One named colour of the palette popup's grid. Color is a TColor (0x00BBGGRR, red in the low
// byte).
struct TPaletteEntry
{
    const char* Name;
    std::uint32_t Color;
};

// The platform's "no colour" and "default colour" values.
inline constexpr std::uint32_t clNone = 0x1FFFFFFF;
inline constexpr std::uint32_t clDefault = 0x20000000;

// System colours are TColor values 0xFF000000 + the platform's system colour index.
inline constexpr std::uint32_t SystemColorBase = 0xFF000000;
inline constexpr int PaletteColorCount = 40;
inline constexpr int SystemColorCount = 25;

// The 40 named colours, row by row, 8 to a row.
extern const std::array<TPaletteEntry, PaletteColorCount> PaletteColors;
// The names of the system colours 0 to 24, in index order.
extern const std::array<const char*, SystemColorCount> SystemColorNames;

bool IsSystemColor(std::uint32_t color);
// The system colour index held in the low byte of a system colour value.
int SystemColorIndex(std::uint32_t color);

// Colour and display name of popup cell 0..64: the palette first, then the system colours.
std::uint32_t CellColor(int cell);
const char* CellColorName(int cell);
