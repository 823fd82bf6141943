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
// Fixed-colour cells take no part. How long two items' shared border is counts the pairs of
// their cells that share an edge (a cell of one and a cell of the other, side by side or one
// above the other).
struct TTouchingPair
{
    std::uint32_t First, Second;
    std::size_t BorderLength;

    bool operator==(const TTouchingPair& other) const = default;
};

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
    // The length of the border with each of those neighbours, in the same order.
    std::span<const std::size_t> BorderLengths(std::size_t item) const;
    // 0 for items that do not touch.
    std::size_t BorderLength(std::size_t first, std::size_t second) const;

    // Every touching pair once, the smaller index first, in ascending order.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> Pairs() const;
    // The same with the length of each border.
    std::vector<TTouchingPair> TouchingPairs() const;

    // The items the map shows, ascending.
    std::span<const std::uint32_t> Items() const { return FItems; }

private:
    // Position of the item in FItems, or FItems.size() when the map does not show it.
    std::size_t Find(std::size_t item) const;

    std::vector<std::uint32_t> FItems;
    // The neighbours of FItems[k] are FNeighbours[FFirst[k]] up to FNeighbours[FFirst[k + 1]].
    std::vector<std::size_t> FFirst;
    std::vector<std::uint32_t> FNeighbours;
    // FBorders[i] is the border length between the item and FNeighbours[i].
    std::vector<std::size_t> FBorders;
};
