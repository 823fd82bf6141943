#include "preview/Legibility.h"

#include "editing/ColorScience.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <utility>
#include <vector>

namespace {

constexpr TRGBTriple Rgb(std::uint32_t rrggbb)
{
    return {std::uint8_t(rrggbb), std::uint8_t(rrggbb >> 8), std::uint8_t(rrggbb >> 16)};
}

using TOrder = std::vector<std::pair<std::size_t, std::size_t>>;

TOrder Order(const TLegibility& legibility)
{
    TOrder order;
    for (const TLegibilityRow& row : legibility.Rows())
        order.emplace_back(row.First, row.Second);
    return order;
}

// 0 a road; 1 its shadow, CIEDE2000 1.1 from it; 2 water; 3, 4 and 6 white; 5 sand, 5.2 from
// the road. Item 7 is on the map but not in the document.
const std::vector<TRGBTriple> Colors = {Rgb(0xFABE8C), Rgb(0xF5BA8A), Rgb(0xAAD3DF), Rgb(0xFFFFFF),
    Rgb(0xFFFFFF), Rgb(0xF0C8A0), Rgb(0xFFFFFF)};

const std::vector<TTouchingPair> Pairs = {
    {0, 1, 10},
    {0, 2, 50},
    {0, 3, 7},
    {0, 4, 9},
    {0, 5, 3},
    {0, 6, 9},
    {2, 7, 4},
    {3, 4, 2},
};

TEST(LegibilityTest, RowsInOrder)
{
    const TLegibility legibility(Pairs, Colors);
    // Hard to tell apart first (white beside white, then the shadow), then by difference; the
    // three whites beside the road differ equally, so the longer borders come first and equal
    // borders by index; the pair with item 7 is left out.
    const TOrder expected = {{3, 4}, {0, 1}, {0, 5}, {0, 4}, {0, 6}, {0, 3}, {0, 2}};
    EXPECT_EQ(Order(legibility), expected);
    EXPECT_EQ(legibility.FlaggedCount(), 2u);
    for (const TLegibilityRow& row : legibility.Rows()) {
        EXPECT_EQ(row.DeltaE, DeltaE2000(Colors[row.First], Colors[row.Second]));
        EXPECT_EQ(row.ContrastRatio, ContrastRatio(Colors[row.First], Colors[row.Second]));
        EXPECT_EQ(row.HardToTellApart, row.DeltaE < 5.0);
    }
    EXPECT_EQ(legibility.Rows()[3].BorderLength, 9u);
    EXPECT_EQ(legibility.Rows()[5].BorderLength, 7u);
}

TEST(LegibilityTest, FollowsColoursThresholdAndDocument)
{
    TLegibility legibility(Pairs, Colors);
    legibility.SetThreshold(6.0);
    EXPECT_EQ(legibility.FlaggedCount(), 3u);
    EXPECT_EQ(Order(legibility).front(), (std::pair<std::size_t, std::size_t> {3, 4}));

    // Sand painted like the road: no difference, and the longer border comes first.
    legibility.SetColor(5, Colors[0]);
    EXPECT_EQ(Order(legibility), (TOrder {{0, 5}, {3, 4}, {0, 1}, {0, 4}, {0, 6}, {0, 3}, {0, 2}}));
    // An item the document lacks changes nothing.
    legibility.SetColor(7, Colors[0]);
    EXPECT_EQ(legibility.Rows().size(), 7u);

    // A document of three items keeps only the pairs among them.
    const std::vector<TRGBTriple> fewer(Colors.begin(), Colors.begin() + 3);
    legibility.SetColors(fewer);
    EXPECT_EQ(Order(legibility), (TOrder {{0, 1}, {0, 2}}));
    EXPECT_EQ(legibility.FlaggedCount(), 1u);
    legibility.SetColors({});
    EXPECT_TRUE(legibility.Rows().empty());
    EXPECT_EQ(legibility.FlaggedCount(), 0u);
    EXPECT_EQ(TLegibility().FlaggedCount(), 0u);
}

// After any sequence of colour changes, one item at a time or several as one step (an item the
// document lacks among them), the rows equal those worked out from scratch, and each pair's row
// is found where it is.
TEST(LegibilityTest, UpdatesAgreeWithStartingAfresh)
{
    std::mt19937 random(11);
    // Few distinct colours, so equal differences (and the tie-breaks) are common.
    const std::uint32_t palette[]
        = {0xFABE8C, 0xF5BA8A, 0xF0C8A0, 0xFFFFFF, 0xAAD3DF, 0x000000, 0x101010, 0xC88C5A};
    auto pick = [&] { return Rgb(palette[random() % std::size(palette)]); };
    constexpr std::uint32_t Items = 60;
    std::vector<TTouchingPair> pairs;
    for (std::uint32_t first = 0; first < Items + 5; ++first)
        for (std::uint32_t second = first + 1; second < Items + 5; ++second)
            if (random() % 8 == 0)
                pairs.push_back({first, second, 1 + random() % 4});
    std::vector<TRGBTriple> colors(Items);
    std::generate(colors.begin(), colors.end(), pick);
    TLegibility legibility(pairs, colors, 3.0);
    for (int step = 0; step < 300; ++step) {
        std::vector<TColorChange> changes(step % 3 == 0 ? 1 + random() % 6 : 1);
        for (TColorChange& change : changes)
            change = {random() % (Items + 2), pick()};
        if (changes.size() == 1)
            legibility.SetColor(changes[0].Item, changes[0].Color);
        else
            legibility.ChangeColors(changes);
        for (const TColorChange& change : changes)
            if (change.Item < Items)
                colors[change.Item] = change.Color;
        const TLegibility afresh(pairs, colors, 3.0);
        ASSERT_EQ(legibility.Rows(), afresh.Rows()) << "step " << step;
        ASSERT_EQ(legibility.FlaggedCount(),
            std::size_t(std::count_if(afresh.Rows().begin(), afresh.Rows().end(),
                [](const TLegibilityRow& row) { return row.HardToTellApart; })));
    }
    for (std::size_t row = 0; row < legibility.Rows().size(); ++row) {
        const TLegibilityRow& shown = legibility.Rows()[row];
        EXPECT_EQ(legibility.RowOf(shown.First, shown.Second), row);
        EXPECT_EQ(legibility.RowOf(shown.Second, shown.First), row);
    }
    EXPECT_EQ(legibility.RowOf(0, 0), std::nullopt);
    EXPECT_EQ(legibility.RowOf(Items, Items + 1), std::nullopt);
}

} // namespace
