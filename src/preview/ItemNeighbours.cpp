#include "preview/ItemNeighbours.h"

#include <algorithm>
#include <bitset>
#include <limits>

namespace {

// Items below this index are tracked in fixed tables. Painting reaches only the first 256
// items, so real maps name nothing else; larger indexes (hand-made maps) go to sorted lists.
constexpr std::uint32_t DenseItems = 256;

constexpr std::uint64_t PackPair(std::uint32_t first, std::uint32_t second)
{
    return std::uint64_t {first} << 32 | second;
}

// Counts of values out of a long stream with many repeats: a repeat of the last value adds to
// its count at once, the rest are sorted and merged now and then, so memory follows the number
// of distinct values rather than the number of cells.
template <typename T> class TTally
{
public:
    void Add(T value, std::size_t count)
    {
        if (!FEntries.empty() && FEntries.back().first == value) {
            FEntries.back().second += count;
            return;
        }
        FEntries.emplace_back(value, count);
        if (FEntries.size() >= FCompactAt) {
            Compact();
            FCompactAt = std::max(2 * FEntries.size(), MinCompact);
        }
    }

    // The distinct values with their counts, ascending.
    std::vector<std::pair<T, std::size_t>> Take()
    {
        Compact();
        return std::move(FEntries);
    }

private:
    void Compact()
    {
        std::sort(FEntries.begin(), FEntries.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
        std::size_t kept = 0;
        for (std::size_t i = 0; i < FEntries.size(); ++i) {
            if (kept > 0 && FEntries[kept - 1].first == FEntries[i].first)
                FEntries[kept - 1].second += FEntries[i].second;
            else
                FEntries[kept++] = FEntries[i];
        }
        FEntries.resize(kept);
    }

    static constexpr std::size_t MinCompact = std::size_t {1} << 16;
    std::vector<std::pair<T, std::size_t>> FEntries;
    std::size_t FCompactAt = MinCompact;
};

// A touching pair, packed (item, neighbour), with its border length.
using TDirectedPair = std::pair<std::uint64_t, std::size_t>;

class TCollector
{
public:
    TCollector()
        : FBorders(DenseItems * DenseItems)
    { }

    void Show(std::uint32_t item)
    {
        if (item < DenseItems)
            FShown[item] = true;
        else
            FOtherShown.Add(item, 1);
    }

    // Adds `edges` cell edges to the border between the two items.
    void Touch(std::uint32_t first, std::uint32_t second, std::size_t edges)
    {
        if (first > second)
            std::swap(first, second);
        if (second < DenseItems)
            FBorders[first * DenseItems + second] += edges;
        else
            FOtherBorders.Add(PackPair(first, second), edges);
    }

    std::vector<std::uint32_t> ShownItems()
    {
        std::vector<std::uint32_t> items;
        for (std::uint32_t item = 0; item < DenseItems; ++item)
            if (FShown[item])
                items.push_back(item);
        for (const auto& [item, count] : FOtherShown.Take())
            items.push_back(item);
        return items;
    }

    // Each touching pair in both directions, ascending.
    std::vector<TDirectedPair> DirectedPairs()
    {
        std::vector<TDirectedPair> pairs;
        for (std::uint32_t first = 0; first < DenseItems; ++first)
            for (std::uint32_t second = first + 1; second < DenseItems; ++second)
                if (const std::size_t length = FBorders[first * DenseItems + second]) {
                    pairs.emplace_back(PackPair(first, second), length);
                    pairs.emplace_back(PackPair(second, first), length);
                }
        for (const auto& [pair, length] : FOtherBorders.Take()) {
            pairs.emplace_back(pair, length);
            pairs.emplace_back(pair << 32 | pair >> 32, length);
        }
        std::sort(pairs.begin(), pairs.end());
        return pairs;
    }

private:
    std::bitset<DenseItems> FShown;
    // Indexed first * DenseItems + second, first < second.
    std::vector<std::size_t> FBorders;
    TTally<std::uint32_t> FOtherShown;
    TTally<std::uint64_t> FOtherBorders;
};

} // namespace

TItemNeighbours::TItemNeighbours(const TPreviewMap& map)
{
    TCollector collector;
    const int width = map.Width();
    for (int y = 0; y < map.Height(); ++y) {
        const std::uint32_t* row = map.Row(y);
        const std::uint32_t* below = y + 1 < map.Height() ? map.Row(y + 1) : nullptr;
        // Each edge is looked at from its left or upper cell, a run of equal cells at a time:
        // one edge to the right of the run, and below it one run of equal cells after another.
        int x = 0;
        while (x < width) {
            const std::uint32_t cell = row[x];
            int end = x + 1;
            while (end < width && row[end] == cell)
                ++end;
            if (IsItemReference(cell)) {
                const std::uint32_t item = cell - ItemReferenceBase;
                collector.Show(item);
                if (end < width && IsItemReference(row[end]))
                    collector.Touch(item, row[end] - ItemReferenceBase, 1);
                if (below != nullptr) {
                    int i = x;
                    while (i < end) {
                        const std::uint32_t other = below[i];
                        int next = i + 1;
                        while (next < end && below[next] == other)
                            ++next;
                        if (other != cell && IsItemReference(other))
                            collector.Touch(item, other - ItemReferenceBase, std::size_t(next - i));
                        i = next;
                    }
                }
            }
            x = end;
        }
    }

    FItems = collector.ShownItems();
    const std::vector<TDirectedPair> pairs = collector.DirectedPairs();
    FNeighbours.reserve(pairs.size());
    FBorders.reserve(pairs.size());
    FFirst.reserve(FItems.size() + 1);
    std::size_t next = 0;
    for (const std::uint32_t item : FItems) {
        FFirst.push_back(FNeighbours.size());
        for (; next < pairs.size() && pairs[next].first >> 32 == item; ++next) {
            FNeighbours.push_back(static_cast<std::uint32_t>(pairs[next].first));
            FBorders.push_back(pairs[next].second);
        }
    }
    FFirst.push_back(FNeighbours.size());
}

std::size_t TItemNeighbours::Find(std::size_t item) const
{
    if (item > std::numeric_limits<std::uint32_t>::max())
        return FItems.size();
    const auto found = std::lower_bound(FItems.begin(), FItems.end(), item);
    if (found == FItems.end() || *found != item)
        return FItems.size();
    return static_cast<std::size_t>(found - FItems.begin());
}

bool TItemNeighbours::HasPixels(std::size_t item) const
{
    return Find(item) < FItems.size();
}

std::span<const std::uint32_t> TItemNeighbours::Of(std::size_t item) const
{
    const std::size_t k = Find(item);
    if (k == FItems.size())
        return {};
    return std::span<const std::uint32_t>(FNeighbours)
        .subspan(FFirst[k], FFirst[k + 1] - FFirst[k]);
}

std::vector<std::pair<std::uint32_t, std::uint32_t>> TItemNeighbours::Pairs() const
{
    std::vector<std::pair<std::uint32_t, std::uint32_t>> pairs;
    for (std::size_t k = 0; k < FItems.size(); ++k)
        for (std::size_t i = FFirst[k]; i < FFirst[k + 1]; ++i)
            if (FNeighbours[i] > FItems[k])
                pairs.emplace_back(FItems[k], FNeighbours[i]);
    return pairs;
}

std::span<const std::size_t> TItemNeighbours::BorderLengths(std::size_t item) const
{
    const std::size_t k = Find(item);
    if (k == FItems.size())
        return {};
    return std::span<const std::size_t>(FBorders).subspan(FFirst[k], FFirst[k + 1] - FFirst[k]);
}

std::size_t TItemNeighbours::BorderLength(std::size_t first, std::size_t second) const
{
    const std::span<const std::uint32_t> neighbours = Of(first);
    const auto found = std::lower_bound(neighbours.begin(), neighbours.end(), second);
    if (found == neighbours.end() || *found != second)
        return 0;
    return BorderLengths(first)[static_cast<std::size_t>(found - neighbours.begin())];
}

std::vector<TTouchingPair> TItemNeighbours::TouchingPairs() const
{
    std::vector<TTouchingPair> pairs;
    for (std::size_t k = 0; k < FItems.size(); ++k)
        for (std::size_t i = FFirst[k]; i < FFirst[k + 1]; ++i)
            if (FNeighbours[i] > FItems[k])
                pairs.push_back({FItems[k], FNeighbours[i], FBorders[i]});
    return pairs;
}
