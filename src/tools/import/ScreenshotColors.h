#pragma once

#include "preview/PreviewMap.h"
#include "tools/import/ScreenshotScale.h"
#include "scheme/SchemeFile.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// Reading every item's colour from a screenshot of the preview's navigator screen taken in
// another colour scheme: the map says which pixel belongs to which item. Pixels are 3 bytes each
// in red, green, blue order (QImage's Format_RGB888), rows bytesPerLine apart.

// How the pixels read were stored.
enum class TPixelCoding {
    // As painted: a lossless picture, or a JPEG brought down from 2 x 2 pixels a cell or more.
    Exact,
    // A JPEG's own pixels, one per cell. JPEG keeps one chroma sample per 2 x 2 block of pixels
    // (the blocks start at even rows and columns) and the decoder blends each pixel's chroma from
    // its own block's sample and the three nearest others, so another item's chroma reaches up to
    // two cells into an item.
    Jpeg,
};

// The coding of the cells of a picture read at `scale` pixels a cell (ScreenshotScale): once a
// cell is two pixels wide or more, a JPEG's chroma reaches no further than its eight neighbours.
TPixelCoding CellCoding(bool lossy, int scale);

enum class TItemPresence {
    NotOnPreview, // no cell refers to the item
    Thin, // cells, but none whose 3 x 3 neighbourhood is all the item's: read from all its cells
    // Read from the cells whose 3 x 3 neighbourhood is all the item's; from a JPEG, from those
    // whose chroma is the item's alone (the four chroma blocks nearest them are all its cells)
    // when it has any.
    Interior,
};

// What a screenshot says of one item.
struct TItemReading
{
    TItemPresence Presence = TItemPresence::NotOnPreview;
    // The per-channel median of the pixels read (the lower middle value of an even count).
    TRGBTriple Color {};
    // How many pixels it was read from.
    std::size_t Pixels = 0;
    // The share of those pixels within CloseDeltaE of Color, from 0 to 1.
    double Confidence = 0.0;

    bool operator==(const TItemReading&) const = default;
};

// A pixel this close to its item's colour (CIEDE2000) agrees with it.
inline constexpr double CloseDeltaE = 2.0;

// The most distinct items one screenshot is read for (a navigator's scheme has a few hundred):
// each takes six histograms of 256 counts (nine from a JPEG's own pixels) and a table of verdicts,
// 10 to 13 KB.
inline constexpr std::size_t MaxReadItems = 4096;

// Reads the colour of each of the document's itemCount items from pixels of the map's size. A
// cell refers to item (cell - ItemReferenceBase) when it is an item reference; fixed-colour cells
// and references to items at or beyond itemCount belong to no item. Cells on the map's edge have
// no whole neighbourhood and are never interior. Returns one reading per item, or nothing when
// the map shows more than MaxReadItems of the items.
std::optional<std::vector<TItemReading>> ReadItemColors(const TPreviewMap& map,
    std::size_t itemCount, const std::uint8_t* pixels, std::ptrdiff_t bytesPerLine,
    TPixelCoding coding = TPixelCoding::Exact);

// What a screenshot of width x height pixels gives for a document of itemCount items: the scale
// it was read at (ScreenshotScale; 0 when its size fits neither the map nor a whole multiple of
// it) and the readings (none when the size does not fit or ReadItemColors gives none). A
// lossy picture (a JPEG) is read with the coding its scale calls for.
struct TScreenshotReading
{
    int Scale = 0;
    std::optional<std::vector<TItemReading>> Readings;
};

TScreenshotReading ReadScreenshot(const TPreviewMap& map, std::size_t itemCount,
    const std::uint8_t* pixels, int width, int height, std::ptrdiff_t bytesPerLine, bool lossy);
