#include "preview/PreviewMap.h"

#include "common/Error.h"

#include <algorithm>
#include <cassert>
#include <new>
#include <stdexcept>

TPreviewMap::TPreviewMap(int width, int height)
{
    Resize(width, height);
}

void TPreviewMap::Resize(int width, int height)
{
    if (width < 0 || height < 0)
        throw TError("Range check error");
    if (width == FWidth && height == FHeight)
        return;
    try {
        std::vector<std::uint32_t> cells(
            static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
        const int keptWidth = std::min(width, FWidth);
        const int keptHeight = std::min(height, FHeight);
        for (int y = 0; y < keptHeight; ++y)
            std::copy_n(Row(y), keptWidth, cells.data() + static_cast<std::size_t>(y) * width);
        FCells = std::move(cells);
    } catch (const std::bad_alloc&) {
        throw TError("Out of memory");
    } catch (const std::length_error&) {
        throw TError("Out of memory");
    }
    FWidth = width;
    FHeight = height;
}

TPreviewMap TPreviewMap::FromCells(int width, int height, std::vector<std::uint32_t> cells)
{
    assert(width >= 0 && height >= 0);
    assert(cells.size() == static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    TPreviewMap map;
    map.FWidth = width;
    map.FHeight = height;
    map.FCells = std::move(cells);
    return map;
}
