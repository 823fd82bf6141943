#pragma once

// A screen-sized map of many items for the benchmarks that need more than the shipped preview:
// areas like those of a city plan, and muted colours for them.

#include "editing/ColorScience.h"
#include "preview/PreviewMap.h"
#include "scheme/SchemeFile.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

// A map of areas like those of a city plan: every cell belongs to the nearest of a grid of
// jittered seeds (a Voronoi diagram), one item per seed.
inline TPreviewMap MakeAreaMap(int width, int height, int columns, int rows)
{
    std::mt19937 random(20240607);
    const double cellWidth = double(width) / columns;
    const double cellHeight = double(height) / rows;
    std::vector<double> seedX(std::size_t(columns * rows));
    std::vector<double> seedY(seedX.size());
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            seedX[std::size_t(r * columns + c)] = (c + random() / double(random.max())) * cellWidth;
            seedY[std::size_t(r * columns + c)]
                = (r + random() / double(random.max())) * cellHeight;
        }
    TPreviewMap map(width, height);
    for (int y = 0; y < height; ++y) {
        const int r = std::min(rows - 1, int(y / cellHeight));
        for (int x = 0; x < width; ++x) {
            const int c = std::min(columns - 1, int(x / cellWidth));
            // The nearest seed lies in this grid cell or one of its eight neighbours.
            double best = std::numeric_limits<double>::max();
            int nearest = 0;
            for (int dr = std::max(0, r - 1); dr <= std::min(rows - 1, r + 1); ++dr)
                for (int dc = std::max(0, c - 1); dc <= std::min(columns - 1, c + 1); ++dc) {
                    const int seed = dr * columns + dc;
                    const double dx = x - seedX[std::size_t(seed)];
                    const double dy = y - seedY[std::size_t(seed)];
                    if (dx * dx + dy * dy < best) {
                        best = dx * dx + dy * dy;
                        nearest = seed;
                    }
                }
            map.SetCell(x, y, ItemReferenceBase + std::uint32_t(nearest));
        }
    }
    return map;
}

// Colours as on a real map: muted, many of them close.
inline std::vector<TRGBTriple> MutedColors(std::size_t count)
{
    std::mt19937 random(5);
    std::vector<TRGBTriple> colors(count);
    for (TRGBTriple& color : colors)
        color = FromOklchMapped({0.6 + 0.3 * random() / double(random.max()),
            0.1 * random() / double(random.max()), 360.0 * random() / double(random.max())});
    return colors;
}
