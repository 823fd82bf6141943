#pragma once

#include "preview/PreviewFile.h"
#include "preview/PreviewMap.h"

#include <filesystem>

// The shipped preview (data/previews/Preview.cpf), or a map of the given size tiled from it, so
// that benchmarks measure on a real navigator screen at any size.
inline TPreviewMap ShippedPreview(int width, int height)
{
    const TPreviewMap shipped = ReadPreviewFile(
        std::filesystem::path(TINTWRIGHT_SOURCE_DIR) / "data/previews/Preview.cpf");
    if (width == shipped.Width() && height == shipped.Height())
        return shipped;
    TPreviewMap map(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            map.SetCell(x, y, shipped.Cell(x % shipped.Width(), y % shipped.Height()));
    return map;
}
