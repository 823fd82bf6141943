#pragma once

#include "preview/PreviewMap.h"

#include <cstddef>
#include <cstdint>

// Turns a screenshot taken under the reference scheme into a preview map. Pixels are 3 bytes
// each in red, green, blue order, rows bytesPerLine apart. A pixel within 15 of reference entry
// i in each channel becomes a reference to item i (the lowest such i below itemCount); any other
// pixel keeps its own colour as the fixed colour 0x00BBGGRR.
TPreviewMap ScanReferenceImage(const std::uint8_t* pixels, int width, int height,
    std::ptrdiff_t bytesPerLine, std::size_t itemCount);

// The same result by comparing each pixel with the entries in index order: far slower, kept as
// the measure the fast scan is checked and timed against.
TPreviewMap ScanReferenceImagePlain(const std::uint8_t* pixels, int width, int height,
    std::ptrdiff_t bytesPerLine, std::size_t itemCount);
