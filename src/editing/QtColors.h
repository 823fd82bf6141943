#pragma once

#include "scheme/SchemeFile.h"

#include <QColor>

#include <cstdint>

// The one place where the program's TColor values (0x00BBGGRR, red in the low byte; system
// colours 0xFF000000 + index) meet Qt's colours.

// The RGB TColor of system colour index 0..24, taken from the application's palette; 0 for any
// other index.
std::uint32_t SystemColorRgb(int index);

// A TColor as a QColor, system colours resolved.
QColor TColorToQColor(std::uint32_t color);

// A QColor as an RGB TColor.
std::uint32_t TColorFromQColor(const QColor& color);

// An item's colour as a QColor, and a QColor of any spec as an item's colour.
QColor ItemColorToQColor(const TRGBTriple& color);
TRGBTriple ItemColorFromQColor(const QColor& color);
