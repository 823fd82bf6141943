#include "tools/find/BulkRecolor.h"

#include "editing/ColorScience.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <set>
#include <vector>

namespace {

constexpr TRGBTriple Rgb(unsigned rrggbb)
{
    return {std::uint8_t(rrggbb), std::uint8_t(rrggbb >> 8), std::uint8_t(rrggbb >> 16)};
}

bool Same(const TRGBTriple& first, const TRGBTriple& second)
{
    return first.rgbtRed == second.rgbtRed && first.rgbtGreen == second.rgbtGreen
        && first.rgbtBlue == second.rgbtBlue;
}

TEST(BulkRecolorTest, ReplaceChangesExactlyTheItemsOfThatColour)
{
    const std::vector<TRGBTriple> colors
        = {Rgb(0xFF8800), Rgb(0xFF8801), Rgb(0x000000), Rgb(0xFF8800), Rgb(0xFF8800)};
    const std::vector<TColorChange> changes = ReplaceChanges(colors, Rgb(0xFF8800), Rgb(0x112233));
    ASSERT_EQ(changes.size(), 3u);
    const std::size_t items[] = {0, 3, 4};
    for (std::size_t i = 0; i < changes.size(); ++i) {
        EXPECT_EQ(changes[i].Item, items[i]);
        EXPECT_TRUE(Same(changes[i].Color, Rgb(0x112233)));
    }
    EXPECT_TRUE(ReplaceChanges(colors, Rgb(0xFF8800), Rgb(0xFF8800)).empty()) << "same colour";
    EXPECT_TRUE(ReplaceChanges(colors, Rgb(0x123456), Rgb(0xFF8800)).empty()) << "no such item";
}

// How far a result may stray from the lightness and the hue line of its target: the gamut
// mapping may end with a clip of less than a just noticeable difference (0.02 in OKLab), and
// the result is rounded to bytes.
constexpr double MappingTolerance = 0.02 + 0.006;
// Below this lightness the darkest grey above black (L 0.067) is the next byte.
constexpr double NearBlack = 0.1;

struct TAdjustCase
{
    const char* Name;
    TColorAdjustment Adjustment;
};

// 1,000 random colours, a fifth of them greys or near-greys, each case applied to a random half
// of them.
TEST(BulkRecolorTest, AdjustKeepsItsPromisesOverRandomColours)
{
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> tint(-3, 3);
    std::vector<TRGBTriple> colors(1000);
    for (std::size_t i = 0; i < colors.size(); ++i) {
        if (i % 5 == 0) {
            const int grey = byte(random);
            const auto channel
                = [&] { return std::uint8_t(std::clamp(grey + tint(random), 0, 255)); };
            colors[i] = {channel(), channel(), channel()};
        } else {
            colors[i] = {
                std::uint8_t(byte(random)), std::uint8_t(byte(random)), std::uint8_t(byte(random))};
        }
    }
    const TAdjustCase cases[] = {
        {"hue half round", {180.0, 100.0, 0.0}},
        {"hue back a little", {-25.0, 100.0, 0.0}},
        {"chroma off", {0.0, 0.0, 0.0}},
        {"chroma doubled", {0.0, 200.0, 0.0}},
        {"lighter", {0.0, 100.0, 30.0}},
        {"darker", {0.0, 100.0, -50.0}},
        {"everything", {90.0, 170.0, 15.0}},
        {"everything the other way", {-120.0, 40.0, -20.0}},
    };
    std::set<std::size_t> sawGreys;
    for (const TAdjustCase& test : cases) {
        SCOPED_TRACE(test.Name);
        const TColorAdjustment& adjustment = test.Adjustment;
        std::vector<std::size_t> chosen;
        for (std::size_t i = 0; i < colors.size(); ++i)
            if (random() % 2 == 0)
                chosen.push_back(i);
        const std::vector<TColorChange> changes = AdjustChanges(colors, chosen, adjustment);

        std::vector<TRGBTriple> adjusted = colors;
        std::size_t previous = 0;
        for (const TColorChange& change : changes) {
            ASSERT_TRUE(std::binary_search(chosen.begin(), chosen.end(), change.Item))
                << "item " << change.Item << " was not chosen";
            ASSERT_TRUE(change.Item == changes.front().Item || change.Item > previous);
            EXPECT_FALSE(Same(change.Color, colors[change.Item])) << "a change that is none";
            previous = change.Item;
            adjusted[change.Item] = change.Color;
        }

        for (const std::size_t item : chosen) {
            const TRGBTriple& before = colors[item];
            const TRGBTriple& after = adjusted[item];
            EXPECT_TRUE(Same(after, AdjustColor(before, adjustment)));
            const TOklch source = ToOklch(before);
            const TOklch result = ToOklch(after);
            if (source.C < GreyChroma) {
                sawGreys.insert(item);
                if (adjustment.Lightness == 0.0)
                    EXPECT_TRUE(Same(after, before)) << "a grey tinted, item " << item;
                else
                    EXPECT_TRUE(
                        after.rgbtRed == after.rgbtGreen && after.rgbtGreen == after.rgbtBlue)
                        << "a grey tinted, item " << item;
                continue;
            }
            const double targetL = std::clamp(source.L + adjustment.Lightness / 100.0, 0.0, 1.0);
            const double targetC = source.C * adjustment.Chroma / 100.0;
            const double targetH = (source.h + adjustment.HueShift) * std::numbers::pi / 180.0;
            // White has no hue to keep, and near black one byte step spans more lightness
            // than the tolerance.
            if (targetL < NearBlack || targetL >= 1.0)
                continue;
            EXPECT_NEAR(result.L, targetL, MappingTolerance) << "item " << item;
            EXPECT_LE(result.C, targetC + MappingTolerance) << "item " << item;
            // On the line of the target's hue, on its side of grey: the distance across it.
            const TOklab lab = ToOklab(after);
            const double across = -lab.a * std::sin(targetH) + lab.b * std::cos(targetH);
            const double along = lab.a * std::cos(targetH) + lab.b * std::sin(targetH);
            EXPECT_LT(std::abs(across), MappingTolerance) << "item " << item << " changed hue";
            EXPECT_GT(along, -MappingTolerance) << "item " << item << " turned to the other hue";
        }
    }
    EXPECT_GT(sawGreys.size(), 100u) << "the greys were tried";

    EXPECT_TRUE(AdjustChanges(colors, std::vector<std::size_t> {0, 1, 2}, {}).empty())
        << "the identity changes nothing";
    EXPECT_TRUE(AdjustChanges(colors, std::vector<std::size_t> {5000}, {90.0, 100.0, 0.0}).empty())
        << "an item beyond the colours";
}

} // namespace
