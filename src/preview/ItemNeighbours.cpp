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

// Distinct values out of a long stream with many repeats: a repeat of the last value is
// dropped at once, the rest by sorting now and then, so memory follows the number of distinct
// values rather than the number of cells.
template <typename T> class TDistinct
{
public:
    void Add(T value)
    {
        if (!FValues.empty() && FValues.back() == value)
            return;
        FValues.push_back(value);
        if (FValues.size() >= FCompactAt) {
            Compact();
            FCompactAt = std::max(2 * FValues.size(), MinCompact);
        }
    }

    // The distinct values, ascending.
    std::vector<T> Take()
    {
        Compact();
        return std::move(FValues);
    }

private:
    void Compact()
    {
        std::sort(FValues.begin(), FValues.end());
        FValues.erase(std::unique(FValues.begin(), FValues.end()), FValues.end());
    }

    static constexpr std::size_t MinCompact = std::size_t {1} << 16;
    std::vector<T> FValues;
    std::size_t FCompactAt = MinCompact;
};

class TCollector
{
public:
    void Show(std::uint32_t item)
    {
        if (item < DenseItems)
            FShown[item] = true;
        else
            FOtherShown.Add(item);
    }

    void Touch(std::uint32_t first, std::uint32_t second)
    {
        if (first > second)
            std::swap(first, second);
        if (second < DenseItems)
            FTouching.set(first * DenseItems + second);
        else
            FOtherTouching.Add(PackPair(first, second));
    }

    std::vector<std::uint32_t> ShownItems()
    {
        std::vector<std::uint32_t> items;
        for (std::uint32_t item = 0; item < DenseItems; ++item)
            if (FShown[item])
                items.push_back(item);
        const std::vector<std::uint32_t> others = FOtherShown.Take();
        items.insert(items.end(), others.begin(), others.end());
        return items;
    }

    // Each touching pair in both directions, packed (item, neighbour), ascending.
    std::vector<std::uint64_t> DirectedPairs()
    {
        std::vector<std::uint64_t> pairs;
        for (std::uint32_t first = 0; first < DenseItems; ++first)
            for (std::uint32_t second = first + 1; second < DenseItems; ++second)
                if (FTouching.test(first * DenseItems + second)) {
                    pairs.push_back(PackPair(first, second));
                    pairs.push_back(PackPair(second, first));
                }
        for (const std::uint64_t pair : FOtherTouching.Take()) {
            pairs.push_back(pair);
            pairs.push_back(pair << 32 | pair >> 32);
        }
        std::sort(pairs.begin(), pairs.end());
        return pairs;
    }

private:
    std::bitset<DenseItems> FShown;
    std::bitset<DenseItems * DenseItems> FTouching;
    TDistinct<std::uint32_t> FOtherShown;
    TDistinct<std::uint64_t> FOtherTouching;
};

} // namespace

TItemNeighbours::TItemNeighbours(const TPreviewMap& map)
{
    TCollector collector;
    const int width = map.Width();
    for (int y = 0; y < map.Height(); ++y) {
        const std::uint32_t* row = map.Row(y);
        const std::uint32_t* below = y + 1 < map.Height() ? map.Row(y + 1) : nullptr;
        // Each edge is looked at from its left or upper cell; a run of one cell needs one look
        // to the right.
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
                    collector.Touch(item, row[end] - ItemReferenceBase);
                if (below != nullptr)
                    for (int i = x; i < end; ++i)
                        if (below[i] != cell && IsItemReference(below[i]))
                            collector.Touch(item, below[i] - ItemReferenceBase);
            }
            x = end;
        }
    }

    FItems = collector.ShownItems();
    const std::vector<std::uint64_t> pairs = collector.DirectedPairs();
    FNeighbours.reserve(pairs.size());
    FFirst.reserve(FItems.size() + 1);
    std::size_t next = 0;
    for (const std::uint32_t item : FItems) {
        FFirst.push_back(FNeighbours.size());
        for (; next < pairs.size() && pairs[next] >> 32 == item; ++next)
            FNeighbours.push_back(static_cast<std::uint32_t>(pairs[next]));
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
