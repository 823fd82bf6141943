#include "tools/compare/SchemeComparison.h"

#include "editing/ColorScience.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

constexpr TRGBTriple Rgb(std::uint32_t rrggbb)
{
    return {std::uint8_t(rrggbb), std::uint8_t(rrggbb >> 8), std::uint8_t(rrggbb >> 16)};
}

struct TScheme
{
    std::vector<TRGBTriple> Colors;
    std::vector<TAnsiString> Descriptions;

    std::vector<TItemDifference> Compare(const std::vector<TSchemeItem>& other) const
    {
        return CompareSchemes(
            Colors, [this](std::size_t item) { return Descriptions.at(item); }, other);
    }
};

// What a difference shows, in short: item, presence, which of the two differ.
struct TShown
{
    std::size_t Item;
    TComparedPresence Presence;
    bool ColorDiffers;
    bool DescriptionDiffers;
    bool operator==(const TShown&) const = default;
};

std::vector<TShown> Shown(const std::vector<TItemDifference>& differences)
{
    std::vector<TShown> shown;
    for (const TItemDifference& difference : differences)
        shown.push_back({difference.Item, difference.Presence, difference.ColorDiffers,
            difference.DescriptionDiffers});
    return shown;
}

using P = TComparedPresence;

const TScheme Day = {{Rgb(0xFABE8C), Rgb(0xAAD3DF), Rgb(0xC8E6B4), Rgb(0x000000)},
    {"Road", "Water", "Park", "Text"}};

TEST(SchemeComparisonTest, ItemsThatDifferByPosition)
{
    struct TRow
    {
        const char* Name;
        std::vector<TSchemeItem> Other;
        std::vector<TShown> Shown;
    };
    const TRow rows[] = {
        {"the same scheme",
            {{Rgb(0xFABE8C), "Road"}, {Rgb(0xAAD3DF), "Water"}, {Rgb(0xC8E6B4), "Park"},
                {Rgb(0x000000), "Text"}},
            {}},
        {"a colour and a description",
            {{Rgb(0x202020), "Road"}, {Rgb(0xAAD3DF), "Sea"}, {Rgb(0xC8E6B4), "Park"},
                {Rgb(0x000000), "Text"}},
            {{0, P::Both, true, false}, {1, P::Both, false, true}}},
        {"both at once, and a case of letters",
            {{Rgb(0xFABE8C), "road"}, {Rgb(0xAAD3DF), "Water"}, {Rgb(0xC8E6B5), "Grass"},
                {Rgb(0x000000), "Text"}},
            {{0, P::Both, false, true}, {2, P::Both, true, true}}},
        {"the other file is shorter", {{Rgb(0xFABE8C), "Road"}, {Rgb(0x123456), "Water"}},
            {{1, P::Both, true, false}, {2, P::OnlyHere, false, false},
                {3, P::OnlyHere, false, false}}},
        {"the other file is longer",
            {{Rgb(0xFABE8C), "Road"}, {Rgb(0xAAD3DF), "Water"}, {Rgb(0xC8E6B4), "Park"},
                {Rgb(0x000000), "Text"}, {Rgb(0xFFFFFF), "Tunnel"}, {Rgb(0x000000), ""}},
            {{4, P::OnlyThere, false, false}, {5, P::OnlyThere, false, false}}},
        {"an empty file", {},
            {{0, P::OnlyHere, false, false}, {1, P::OnlyHere, false, false},
                {2, P::OnlyHere, false, false}, {3, P::OnlyHere, false, false}}},
    };
    for (const TRow& row : rows)
        EXPECT_EQ(Shown(Day.Compare(row.Other)), row.Shown) << row.Name;
}

TEST(SchemeComparisonTest, DifferencesCarryBothSidesAndTheirDeltaE)
{
    const std::vector<TSchemeItem> other = {{Rgb(0xFABE8C), "Road"}, {Rgb(0x0000FF), "Sea"},
        {Rgb(0xC8E6B4), "Park"}, {Rgb(0x000000), "Text"}, {Rgb(0x00FF00), "Tunnel"}};
    const std::vector<TItemDifference> differences = Day.Compare(other);
    ASSERT_EQ(differences.size(), 2u);
    const TItemDifference& water = differences[0];
    EXPECT_EQ(water.Here, Rgb(0xAAD3DF));
    EXPECT_EQ(water.There, Rgb(0x0000FF));
    EXPECT_EQ(water.HereDescription, "Water");
    EXPECT_EQ(water.ThereDescription, "Sea");
    EXPECT_DOUBLE_EQ(water.DeltaE, DeltaE2000(Rgb(0xAAD3DF), Rgb(0x0000FF)));
    EXPECT_GT(water.DeltaE, 10);
    const TItemDifference& tunnel = differences[1];
    EXPECT_EQ(tunnel.Presence, P::OnlyThere);
    EXPECT_EQ(tunnel.There, Rgb(0x00FF00));
    EXPECT_EQ(tunnel.ThereDescription, "Tunnel");
    EXPECT_EQ(tunnel.DeltaE, 0);
}

TEST(SchemeComparisonTest, OnlyColoursThatDifferAreTaken)
{
    const std::vector<TSchemeItem> other = {{Rgb(0x111111), "Road"}, {Rgb(0xAAD3DF), "Sea"},
        {Rgb(0x333333), "Park"}, {Rgb(0x444444), "Text"}, {Rgb(0x555555), "Tunnel"}};
    const std::vector<TItemDifference> differences = Day.Compare(other);
    // Every item chosen: the description-only item 1 and the item only there give nothing.
    const std::vector<TColorChange> all
        = TakenColors(differences, [](std::size_t) { return true; });
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0].Item, 0u);
    EXPECT_EQ(all[0].Color, Rgb(0x111111));
    EXPECT_EQ(all[2].Item, 3u);
    const std::set<std::size_t> chosen = {2, 4};
    const std::vector<TColorChange> some
        = TakenColors(differences, [&](std::size_t item) { return chosen.contains(item); });
    ASSERT_EQ(some.size(), 1u);
    EXPECT_EQ(some[0].Item, 2u);
    EXPECT_EQ(some[0].Color, Rgb(0x333333));
}

} // namespace
