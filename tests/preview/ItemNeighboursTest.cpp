#include "preview/ItemNeighbours.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using TPairs = std::vector<std::pair<std::uint32_t, std::uint32_t>>;

// A map drawn as text, one string per row: a digit is a reference to that item, "a" to item
// 256 (beyond what painting reaches), "z" to the largest index a cell can hold, and "." a fixed
// colour.
TPreviewMap Drawn(const std::vector<std::string>& rows)
{
    const int height = static_cast<int>(rows.size());
    const int width = rows.empty() ? 0 : static_cast<int>(rows[0].size());
    TPreviewMap map(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const char c = rows[y][x];
            const std::uint32_t cell = c == '.' ? 0x00123456
                : c == 'a'                      ? ItemReferenceBase + 256
                : c == 'z'                      ? 0xFFFFFFFF
                                                : ItemReferenceBase + std::uint32_t(c - '0');
            map.SetCell(x, y, cell);
        }
    return map;
}

constexpr std::uint32_t Top = 0x1FFFFFFF;

struct TMapRow
{
    const char* Name;
    std::vector<std::string> Map;
    TPairs Pairs;
    std::vector<std::uint32_t> Shown;
};

class ItemNeighboursMapTest : public ::testing::TestWithParam<TMapRow>
{
};

TEST_P(ItemNeighboursMapTest, FindsTouchingPairsOnce)
{
    const TMapRow& row = GetParam();
    const TItemNeighbours neighbours(Drawn(row.Map));
    EXPECT_EQ(neighbours.Pairs(), row.Pairs);
    EXPECT_EQ(std::vector<std::uint32_t>(neighbours.Items().begin(), neighbours.Items().end()),
        row.Shown);
    // Each pair is seen from both of its items, and from nowhere else.
    std::set<std::pair<std::uint32_t, std::uint32_t>> seen;
    for (const std::uint32_t item : neighbours.Items()) {
        EXPECT_TRUE(neighbours.HasPixels(item));
        for (const std::uint32_t other : neighbours.Of(item))
            seen.insert({std::min(item, other), std::max(item, other)});
    }
    EXPECT_EQ(TPairs(seen.begin(), seen.end()), row.Pairs);
}

INSTANTIATE_TEST_SUITE_P(Rows, ItemNeighboursMapTest,
    ::testing::Values(TMapRow {"empty_map", {}, {}, {}},
        TMapRow {"one_item", {"000", "000"}, {}, {0}},
        TMapRow {"long_border_counts_once", {"0000", "0000", "1111"}, {{0, 1}}, {0, 1}},
        TMapRow {"side_by_side_in_every_row", {"01", "01", "01"}, {{0, 1}}, {0, 1}},
        TMapRow {"order_of_discovery_does_not_matter", {"10", "01"}, {{0, 1}}, {0, 1}},
        TMapRow {"corners_do_not_touch", {"0.", ".1"}, {}, {0, 1}},
        TMapRow {"diagonal_neighbours_only", {"01", "10"}, {{0, 1}}, {0, 1}},
        TMapRow {"fixed_colour_between_items", {"0.1"}, {}, {0, 1}},
        TMapRow {"only_fixed_colours", {"...", "..."}, {}, {}},
        TMapRow {"cross", {".2.", "301", ".4."}, {{0, 1}, {0, 2}, {0, 3}, {0, 4}}, {0, 1, 2, 3, 4}},
        TMapRow {"last_row_and_column", {"000", "001", "022"}, {{0, 1}, {0, 2}, {1, 2}}, {0, 1, 2}},
        TMapRow {"beyond_painting", {"5a", "aa"}, {{5, 256}}, {5, 256}},
        TMapRow {"largest_index", {"za", "9z"}, {{9, Top}, {256, Top}}, {9, 256, Top}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(ItemNeighboursTest, ItemsNotShownHaveNoNeighbours)
{
    const TItemNeighbours neighbours(Drawn({"01", ".."}));
    for (const std::size_t item : {std::size_t {2}, std::size_t {256}, std::size_t {1} << 40}) {
        EXPECT_FALSE(neighbours.HasPixels(item)) << item;
        EXPECT_TRUE(neighbours.Of(item).empty()) << item;
    }
    EXPECT_FALSE(TItemNeighbours().HasPixels(0));
}

TEST(ItemNeighboursTest, BorderLengthsCountTheEdgesBetweenCells)
{
    // 0 and 1 share the three edges below row 0 and one edge in row 1; 2 and 3 meet twice
    // side by side and once one above the other; the fixed cells keep 0 and 3 apart.
    const TItemNeighbours neighbours(Drawn({
        "0000.3",
        "1110.3",
        "222223",
        "a.2233",
    }));
    const std::vector<TTouchingPair> expected = {
        {0, 1, 4},
        {0, 2, 1},
        {1, 2, 3},
        {2, 3, 3},
        {2, 256, 1},
    };
    EXPECT_EQ(neighbours.TouchingPairs(), expected);
    for (const TTouchingPair& pair : expected) {
        EXPECT_EQ(neighbours.BorderLength(pair.First, pair.Second), pair.BorderLength);
        EXPECT_EQ(neighbours.BorderLength(pair.Second, pair.First), pair.BorderLength);
    }
    EXPECT_EQ(neighbours.BorderLength(0, 3), 0u);
    EXPECT_EQ(neighbours.BorderLength(0, 7), 0u);
    EXPECT_EQ(neighbours.BorderLength(7, 0), 0u);
    const std::vector<std::size_t> ofTwo(
        neighbours.BorderLengths(2).begin(), neighbours.BorderLengths(2).end());
    EXPECT_EQ(ofTwo, (std::vector<std::size_t> {1, 3, 3, 1}));
    EXPECT_TRUE(neighbours.BorderLengths(7).empty());
}

// The pairs of a map and their border lengths by looking at every edge of every cell.
std::vector<TTouchingPair> PairsSimply(const TPreviewMap& map)
{
    std::map<std::pair<std::uint32_t, std::uint32_t>, std::size_t> lengths;
    auto touch = [&](std::uint32_t a, std::uint32_t b) {
        if (a != b && IsItemReference(a) && IsItemReference(b))
            ++lengths[{std::min(a, b) - ItemReferenceBase, std::max(a, b) - ItemReferenceBase}];
    };
    for (int y = 0; y < map.Height(); ++y)
        for (int x = 0; x < map.Width(); ++x) {
            if (x + 1 < map.Width())
                touch(map.Cell(x, y), map.Cell(x + 1, y));
            if (y + 1 < map.Height())
                touch(map.Cell(x, y), map.Cell(x, y + 1));
        }
    std::vector<TTouchingPair> pairs;
    for (const auto& [pair, length] : lengths)
        pairs.push_back({pair.first, pair.second, length});
    return pairs;
}

// Random maps of runs, with indexes on both sides of 256 and enough distinct large pairs to
// make the collector tidy up its lists on the way; runs above runs make the vertical edges
// come in stretches.
TEST(ItemNeighboursTest, AgreesWithLookingAtEveryEdge)
{
    struct TCase
    {
        const char* Name;
        int Width, Height;
        std::uint32_t Items;
        int FixedPercent;
    };
    const TCase cases[] = {
        {"few_items", 60, 40, 6, 20},
        {"dense_and_sparse", 200, 150, 600, 10},
        {"many_large_pairs", 400, 300, 1u << 20, 5},
    };
    for (const TCase& c : cases) {
        std::mt19937 random(42);
        TPreviewMap map(c.Width, c.Height);
        for (int y = 0; y < c.Height; ++y)
            for (int x = 0; x < c.Width; ++x) {
                if (x > 0 && random() % 3 == 0) {
                    map.SetCell(x, y, map.Cell(x - 1, y));
                    continue;
                }
                if (y > 0 && random() % 4 == 0) {
                    map.SetCell(x, y, map.Cell(x, y - 1));
                    continue;
                }
                const bool fixed = int(random() % 100) < c.FixedPercent;
                map.SetCell(x, y,
                    fixed ? random() % ItemReferenceBase
                          : ItemReferenceBase + std::uint32_t(random() % c.Items));
            }
        const TItemNeighbours neighbours(map);
        const std::vector<TTouchingPair> expected = PairsSimply(map);
        EXPECT_EQ(neighbours.TouchingPairs(), expected) << c.Name;
        TPairs pairs;
        for (const TTouchingPair& pair : expected)
            pairs.emplace_back(pair.First, pair.Second);
        EXPECT_EQ(neighbours.Pairs(), pairs) << c.Name;
    }
}

} // namespace
