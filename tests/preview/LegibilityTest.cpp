#include "preview/Legibility.h"

#include "editing/ColorScience.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <cmath>
#include <random>
#include <set>
#include <utility>
#include <vector>

namespace {

constexpr TRGBTriple Rgb(std::uint32_t rrggbb)
{
    return {std::uint8_t(rrggbb), std::uint8_t(rrggbb >> 8), std::uint8_t(rrggbb >> 16)};
}

using TOrder = std::vector<std::pair<std::size_t, std::size_t>>;

} // namespace

// Rows as a failure shows them.
void PrintTo(const TLegibilityRow& row, std::ostream* out)
{
    *out << row.First << "-" << row.Second << " border " << row.BorderLength << " dE " << row.DeltaE
         << (row.HardToTellApart ? " hard" : "") << (row.Intended ? " intended" : "");
}

namespace {

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
// Under every kind of vision a pair is judged by the worst of the five: each difference is the
// simulated colours' CIEDE2000, the contrast the lowest, and one kind below the threshold makes
// the pair hard. A single kind judges as the window did by simulating the colours itself.
TEST(LegibilityTest, EveryKindOfVisionJudgesByTheWorst)
{
    // 0 red and 1 an olive green that protanopes and deuteranopes see alike; 2 a grey as light
    // as the red, which achromats cannot tell from it; 3 the road and 4 its shadow, close for
    // everyone.
    const std::vector<TRGBTriple> colors
        = {Rgb(0xC8503C), Rgb(0x7D7D3C), Rgb(0x787878), Rgb(0xFABE8C), Rgb(0xF5BA8A)};
    const std::vector<TTouchingPair> pairs = {{0, 1, 4}, {0, 2, 3}, {1, 3, 2}, {3, 4, 8}};
    const TLegibility every(pairs, colors, TJudgedVision::EveryKind, 5.0, {});
    ASSERT_EQ(every.Rows().size(), 4u);
    for (const TLegibilityRow& row : every.Rows()) {
        SCOPED_TRACE(::testing::Message() << row.First + 1 << "-" << row.Second + 1);
        double worst = 1e9;
        double contrast = 1e9;
        for (const TVisionDeficiency kind : every.Kinds()) {
            const TRGBTriple first = SimulateVision(kind, colors[row.First]);
            const TRGBTriple second = SimulateVision(kind, colors[row.Second]);
            EXPECT_EQ(row.DeltaEs[std::size_t(kind)], DeltaE2000(first, second));
            worst = std::min(worst, DeltaE2000(first, second));
            contrast = std::min(contrast, ContrastRatio(first, second));
        }
        EXPECT_EQ(row.DeltaE, worst);
        EXPECT_EQ(row.DeltaEs[std::size_t(row.WorstKind)], worst);
        EXPECT_EQ(row.ContrastRatio, contrast);
        EXPECT_EQ(row.HardToTellApart, worst < 5.0);
    }
    // The premise: red and olive, and red and grey, are hard only under a simulation.
    const TLegibility normal(pairs, colors, TJudgedVision::Normal, 5.0, {});
    EXPECT_EQ(normal.FlaggedCount(), 1u);
    EXPECT_EQ(every.FlaggedCount(), 3u);
    EXPECT_EQ(every.Rows()[every.RowOf(0, 2).value()].WorstKind, TVisionDeficiency::Achromatopsia);

    for (const TVisionDeficiency kind : every.Kinds()) {
        SCOPED_TRACE(int(kind));
        const TLegibility one(pairs, colors, TJudgedVision(kind), 5.0, {});
        std::vector<TRGBTriple> seen(colors.size());
        std::transform(colors.begin(), colors.end(), seen.begin(),
            [kind](const TRGBTriple& color) { return SimulateVision(kind, color); });
        const TLegibility simulated(pairs, seen);
        ASSERT_EQ(one.Rows().size(), simulated.Rows().size());
        for (std::size_t row = 0; row < one.Rows().size(); ++row) {
            const TLegibilityRow& mine = one.Rows()[row];
            const TLegibilityRow& theirs = simulated.Rows()[row];
            EXPECT_EQ(std::make_pair(mine.First, mine.Second),
                std::make_pair(theirs.First, theirs.Second));
            EXPECT_EQ(mine.DeltaE, theirs.DeltaE);
            EXPECT_EQ(mine.ContrastRatio, theirs.ContrastRatio);
            EXPECT_EQ(mine.WorstKind, kind);
            for (std::size_t other = 0; other < VisionKindCount; ++other)
                EXPECT_EQ(std::isnan(mine.DeltaEs[other]), other != std::size_t(kind));
        }
    }
}

// Whatever the choice of vision, the rows counted, the items the find filter finds and the
// neighbours an item's tooltip names as hard agree; an intended pair is counted by none of them
// and goes to the end of the list.
TEST(LegibilityTest, OneJudgementForEveryUseUnderEachChoice)
{
    const std::vector<TRGBTriple> colors = {Rgb(0xC8503C), Rgb(0x7D7D3C), Rgb(0x787878),
        Rgb(0xFABE8C), Rgb(0xF5BA8A), Rgb(0x3C64C8), Rgb(0x3C6EC8)};
    const std::vector<TTouchingPair> pairs
        = {{0, 1, 4}, {0, 2, 3}, {1, 3, 2}, {3, 4, 8}, {4, 5, 1}, {5, 6, 6}, {2, 6, 2}};
    for (int choice = 0; choice <= int(TJudgedVision::EveryKind); ++choice) {
        SCOPED_TRACE(choice);
        TLegibility legibility(pairs, colors, TJudgedVision(choice), 5.0, {});
        const auto check = [&] {
            std::set<std::size_t> counted;
            for (std::size_t row = 0; row < legibility.Rows().size(); ++row) {
                const TLegibilityRow& shown = legibility.Rows()[row];
                const bool isCounted = shown.HardToTellApart && !shown.Intended;
                EXPECT_EQ(isCounted, row < legibility.FlaggedCount());
                if (isCounted)
                    counted.insert({shown.First, shown.Second});
            }
            const std::vector<bool> found = legibility.HardItems();
            ASSERT_EQ(found.size(), colors.size());
            for (std::size_t item = 0; item < colors.size(); ++item) {
                EXPECT_EQ(found[item], counted.contains(item)) << "item " << item;
                std::set<std::size_t> named;
                for (const TLegibilityRow& row : legibility.RowsOf(item))
                    if (row.HardToTellApart && !row.Intended)
                        named.insert(row.First == item ? row.Second : row.First);
                EXPECT_EQ(!named.empty(), found[item]) << "item " << item;
            }
        };
        check();
        const std::size_t flagged = legibility.FlaggedCount();
        ASSERT_GT(flagged, 0u);
        const TLegibilityRow first = legibility.Rows().front();
        EXPECT_TRUE(legibility.SetIntended(first.First, first.Second, true));
        EXPECT_FALSE(legibility.SetIntended(first.Second, first.First, true));
        EXPECT_EQ(legibility.FlaggedCount(), flagged - 1);
        EXPECT_TRUE(legibility.Rows().back().Intended);
        EXPECT_EQ(legibility.RowOf(first.First, first.Second), legibility.Rows().size() - 1);
        check();
        legibility.SetIntended(TIntendedPairs());
        EXPECT_EQ(legibility.FlaggedCount(), flagged);
        check();
    }
}

TEST(LegibilityTest, UpdatesAgreeWithStartingAfresh)
{
    // Under normal vision, and under every kind with some pairs intended.
    for (const bool every : {false, true}) {
        SCOPED_TRACE(every ? "every kind" : "normal");
        std::mt19937 random(11);
        // Few distinct colours, so equal differences (and the tie-breaks) are common.
        const std::uint32_t palette[]
            = {0xFABE8C, 0xF5BA8A, 0xF0C8A0, 0xFFFFFF, 0xAAD3DF, 0x000000, 0x101010, 0xC88C5A};
        auto pick = [&] { return Rgb(palette[random() % std::size(palette)]); };
        constexpr std::uint32_t Items = 60;
        std::vector<TTouchingPair> pairs;
        TIntendedPairs intended;
        for (std::uint32_t first = 0; first < Items + 5; ++first)
            for (std::uint32_t second = first + 1; second < Items + 5; ++second)
                if (random() % 8 == 0) {
                    pairs.push_back({first, second, 1 + random() % 4});
                    if (every && pairs.size() % 5 == 0)
                        intended.Set(first, second, true);
                }
        std::vector<TRGBTriple> colors(Items);
        std::generate(colors.begin(), colors.end(), pick);
        const TJudgedVision vision = every ? TJudgedVision::EveryKind : TJudgedVision::Normal;
        TLegibility legibility = every ? TLegibility(pairs, colors, vision, 3.0, intended)
                                       : TLegibility(pairs, colors, 3.0);
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
            const TLegibility afresh(pairs, colors, vision, 3.0, intended);
            ASSERT_EQ(legibility.Rows(), afresh.Rows()) << "step " << step;
            ASSERT_EQ(legibility.FlaggedCount(),
                std::size_t(std::count_if(
                    afresh.Rows().begin(), afresh.Rows().end(), [](const TLegibilityRow& row) {
                        return row.HardToTellApart && !row.Intended;
                    })));
        }
        for (std::size_t row = 0; row < legibility.Rows().size(); ++row) {
            const TLegibilityRow& shown = legibility.Rows()[row];
            EXPECT_EQ(legibility.RowOf(shown.First, shown.Second), row);
            EXPECT_EQ(legibility.RowOf(shown.Second, shown.First), row);
        }
        EXPECT_EQ(legibility.RowOf(0, 0), std::nullopt);
        EXPECT_EQ(legibility.RowOf(Items, Items + 1), std::nullopt);
    }
}

} // namespace
