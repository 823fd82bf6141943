#pragma once

#include "preview/PreviewMap.h"
#include "scheme/SchemeFile.h"

#include <cstddef>
#include <cstdint>

// Showing where an item lies, or where two items meet: their pixels briefly drawn in a colour
// that stands out from them.

// The inverse of the colour; for colours near the middle grey, whose inverse hardly differs
// from them, black or white, whichever stands out more.
TRGBTriple FlashColor(const TRGBTriple& color);

// Gives each pixel whose cell a click picks as `item` (the whole difference, as for picking)
// the flash colour of the colour it has, in pixel rows laid out as for PaintPreviewPixels.
// Returns the number of such pixels.
std::size_t PaintFlashPixels(
    const TPreviewMap& map, std::size_t item, std::uint8_t* pixels, std::ptrdiff_t bytesPerLine);

// Gives the pixels along the border of two items the flash colour of the colour they have: the
// cells of `first` that share an edge with a cell of `second`, and those of `second` that share
// one with `first`. Items are named as a click names them; pixel rows as for PaintPreviewPixels.
// Returns the number of such pixels (0 when the items do not touch, or are the same item).
std::size_t PaintBorderFlashPixels(const TPreviewMap& map, std::size_t first, std::size_t second,
    std::uint8_t* pixels, std::ptrdiff_t bytesPerLine);
