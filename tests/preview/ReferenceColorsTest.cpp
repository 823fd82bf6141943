#include "preview/ReferenceColors.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <set>
#include <tuple>

namespace {

using TRgb = std::tuple<int, int, int>; // red, green, blue

TRgb RgbOf(const TRGBTriple& entry)
{
    return {entry.rgbtRed, entry.rgbtGreen, entry.rgbtBlue};
}

TRGBTripleArray ReferenceTable(std::size_t length)
{
    TRGBTripleArray table(length);
    MakeReferenceColors(table);
    return table;
}

TEST(ReferenceColorsTest, KnownEntries)
{
    struct TRow
    {
        std::size_t Entry;
        TRgb Color;
    };
    const TRow rows[] = {
        {0, {96, 48, 48}},
        {1, {144, 48, 48}},
        {2, {192, 48, 48}},
        {3, {240, 48, 48}},
        {4, {48, 96, 48}},
        {5, {96, 96, 48}},
        {23, {240, 240, 48}},
        {24, {48, 48, 96}},
        {29, {48, 96, 96}},
        {30, {144, 96, 96}},
        {119, {192, 240, 240}},
        {120, {48, 48, 32}},
        {395, {48, 48, 48}},
        {396, {96, 48, 48}},
    };
    const TRGBTripleArray table = ReferenceTable(400);
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Entry);
        EXPECT_EQ(RgbOf(table[row.Entry]), row.Color);
    }
}

TEST(ReferenceColorsTest, FirstEntriesAreDistinct)
{
    const TRGBTripleArray table = ReferenceTable(396);
    std::set<TRgb> colors;
    for (const TRGBTriple& entry : table)
        colors.insert(RgbOf(entry));
    EXPECT_EQ(colors.size(), 396u);
}

TEST(ReferenceColorsTest, GreysAreLeftOutWhileBlueIsSmall)
{
    const TRGBTripleArray table = ReferenceTable(120);
    for (std::size_t i = 0; i < table.size(); ++i) {
        const TRGBTriple& e = table[i];
        EXPECT_FALSE(e.rgbtRed == e.rgbtGreen && e.rgbtGreen == e.rgbtBlue) << "entry " << i;
    }
}

TEST(ReferenceColorsTest, GreysFirstAppearLater)
{
    const TRGBTripleArray table = ReferenceTable(600);
    const std::pair<int, std::size_t> firstGrey[]
        = {{48, 395}, {96, 426}, {144, 457}, {192, 488}, {240, 519}};
    for (const auto& [level, entry] : firstGrey) {
        std::size_t first = 0;
        while (first < table.size() && RgbOf(table[first]) != TRgb {level, level, level})
            ++first;
        EXPECT_EQ(first, entry) << "grey " << level;
    }
}

// The scan relies on this: no colour appears for the first time after entry 519, also not
// once the blue counter has wrapped past 65535.
TEST(ReferenceColorsTest, EveryColorHasAppearedByEntry519)
{
    const TRGBTripleArray table = ReferenceTable(100000);
    std::set<TRgb> early;
    for (std::size_t i = 0; i < 520; ++i)
        early.insert(RgbOf(table[i]));
    EXPECT_EQ(early.size(), 400u); // 5 reds x 5 greens x 16 blue bytes
    for (std::size_t i = 520; i < table.size(); ++i)
        ASSERT_TRUE(early.count(RgbOf(table[i]))) << "entry " << i;
}

TEST(ReferenceColorsTest, ShorterTableIsPrefixOfLonger)
{
    const TRGBTripleArray longer = ReferenceTable(1000);
    for (std::size_t length : {0u, 1u, 25u, 396u, 999u}) {
        const TRGBTripleArray shorter = ReferenceTable(length);
        for (std::size_t i = 0; i < length; ++i)
            ASSERT_EQ(RgbOf(shorter[i]), RgbOf(longer[i])) << length << " entry " << i;
    }
}

} // namespace
