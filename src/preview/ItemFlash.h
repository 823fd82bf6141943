#pragma once

#include "preview/PreviewMap.h"
#include "scheme/SchemeFile.h"

#include <cstddef>
#include <cstdint>

// Showing where an item lies: its pixels briefly drawn in a colour that stands out from them.

// The inverse of the colour; for colours near the middle grey, whose inverse hardly differs
// from them, black or white, whichever stands out more.
TRGBTriple FlashColor(const TRGBTriple& color);

// Gives each pixel whose cell a click picks as `item` (the whole difference, as for picking)
// the flash colour of the colour it has, in pixel rows laid out as for PaintPreviewPixels.
// Returns the number of such pixels.
std::size_t PaintFlashPixels(
    const TPreviewMap& map, std::size_t item, std::uint8_t* pixels, std::ptrdiff_t bytesPerLine);
