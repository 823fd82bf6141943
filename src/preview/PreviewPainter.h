#pragma once

#include "preview/PreviewMap.h"
#include "scheme/SchemeFile.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

// Paints the map into pixel rows of 3 bytes per pixel in red, green, blue order (QImage's
// Format_RGB888), Width() x Height() pixels, bytesPerLine apart. A reference cell paints in the
// colour of the item named by its low 8 bits, and leaves its pixel as it was when there is no
// such item; any other cell is the fixed colour 0x00BBGGRR.
void PaintPreviewPixels(const TPreviewMap& map, const std::vector<TRGBTriple>& itemColors,
    std::uint8_t* pixels, std::ptrdiff_t bytesPerLine);

// The painters read only this many item colours, the items a cell's low 8 bits can name.
inline constexpr std::size_t PaintedItemCount = 256;

// A change of every colour shown, such as a colour-vision simulation.
using TColorTransform = std::function<TRGBTriple(const TRGBTriple&)>;

// PaintPreviewPixels for a preview seen through a transform: reference cells paint in the item
// colours given, which the caller has already passed through the transform (once per paint, not
// once per pixel); fixed-colour cells paint in the transform of their colour, asked once per
// distinct colour in a paint.
void PaintPreviewPixelsThrough(const TPreviewMap& map,
    const std::vector<TRGBTriple>& transformedItemColors, const TColorTransform& transform,
    std::uint8_t* pixels, std::ptrdiff_t bytesPerLine);
