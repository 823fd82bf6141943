#pragma once

#include "preview/PreviewMap.h"
#include "scheme/SchemeFile.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// Paints the map into pixel rows of 3 bytes per pixel in red, green, blue order (QImage's
// Format_RGB888), Width() x Height() pixels, bytesPerLine apart. A reference cell paints in the
// colour of the item named by its low 8 bits, and leaves its pixel as it was when there is no
// such item; any other cell is the fixed colour 0x00BBGGRR.
void PaintPreviewPixels(const TPreviewMap& map, const std::vector<TRGBTriple>& itemColors,
    std::uint8_t* pixels, std::ptrdiff_t bytesPerLine);
