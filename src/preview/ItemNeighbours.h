#pragma once

#include "preview/PreviewMap.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

// Which items a preview map shows and which of them touch, worked out once per loaded map.
// Items are named the way a click names them, by the whole index (cell - ItemReferenceBase),
// and are kept whether or not the current document has them: a scheme with fewer items can be
// loaded without going over the map again, and callers leave out what the document lacks.
// Fixed-colour cells take no part.
class TItemNeighbours
{
public:
    TItemNeighbours() = default;
    explicit TItemNeighbours(const TPreviewMap& map);

    // True when at least one cell refers to the item.
    bool HasPixels(std::size_t item) const;

    // The items whose cells share an edge (left, right, above or below) with a cell of the
    // item, ascending; empty for an item the map does not show.
    std::span<const std::uint32_t> Of(std::size_t item) const;

    // Every touching pair once, the smaller index first, in ascending order.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> Pairs() const;

    // The items the map shows, ascending.
    std::span<const std::uint32_t> Items() const { return FItems; }

private:
    // Position of the item in FItems, or FItems.size() when the map does not show it.
    std::size_t Find(std::size_t item) const;

    std::vector<std::uint32_t> FItems;
    // The neighbours of FItems[k] are FNeighbours[FFirst[k]] up to FNeighbours[FFirst[k + 1]].
    std::vector<std::size_t> FFirst;
    std::vector<std::uint32_t> FNeighbours;
};
