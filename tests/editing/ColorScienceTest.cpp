#include "editing/ColorScience.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>

namespace {

constexpr TRGBTriple Rgb(std::uint32_t rrggbb)
{
    return {std::uint8_t(rrggbb), std::uint8_t(rrggbb >> 8), std::uint8_t(rrggbb >> 16)};
}

std::string Hex(const TRGBTriple& color)
{
    char text[8];
    std::snprintf(
        text, sizeof text, "%02X%02X%02X", color.rgbtRed, color.rgbtGreen, color.rgbtBlue);
    return text;
}

// Differences of hue in degrees, either way round the circle.
double HueDistance(double first, double second)
{
    const double d = std::fmod(std::abs(first - second), 360.0);
    return std::min(d, 360.0 - d);
}

TEST(ColorScienceTest, BytesSurviveLinearLight)
{
    for (int v = 0; v < 256; ++v) {
        const auto byte = std::uint8_t(v);
        EXPECT_EQ(LinearToByte(LinearChannel(byte)), byte) << v;
        EXPECT_NEAR(LinearToSrgb(SrgbToLinear(v / 255.0)), v / 255.0, 1e-12) << v;
    }
    EXPECT_DOUBLE_EQ(LinearChannel(0), 0.0);
    EXPECT_DOUBLE_EQ(LinearChannel(255), 1.0);
    // Any linear light rounds to the byte whose encoding is nearest; just either side of the
    // point halfway between two bytes it rounds down, then up.
    std::mt19937 random(3);
    std::uniform_real_distribution<double> anywhere(0.0, 1.0);
    for (int i = 0; i < 100000; ++i) {
        const double linear = i % 2 == 0 ? anywhere(random) : std::pow(anywhere(random), 4.0);
        EXPECT_EQ(LinearToByte(linear), std::lround(LinearToSrgb(linear) * 255.0)) << linear;
    }
    for (int v = 0; v < 255; ++v) {
        const double halfway = SrgbToLinear((v + 0.5) / 255.0);
        EXPECT_EQ(LinearToByte(halfway * (1 - 1e-9)), v) << v;
        EXPECT_EQ(LinearToByte(halfway * (1 + 1e-9)), v + 1) << v;
    }
    // Out of range and not a number clip instead of wrapping.
    EXPECT_EQ(LinearToByte(-0.5), 0);
    EXPECT_EQ(LinearToByte(1.5), 255);
    EXPECT_EQ(LinearToByte(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(ColorScienceTest, ContrastRatios)
{
    struct TRow
    {
        const char* Name;
        std::uint32_t First, Second;
        double Ratio;
    };
    const TRow rows[] = {
        {"black and white", 0x000000, 0xFFFFFF, 21.0},
        {"order does not matter", 0xFFFFFF, 0x000000, 21.0},
        {"equal colours", 0x3C7A99, 0x3C7A99, 1.0},
        {"grey 77 on white just misses 4.5", 0x777777, 0xFFFFFF, 4.478},
        {"grey 76 on white passes 4.5", 0x767676, 0xFFFFFF, 4.542},
        {"pure red on black", 0xFF0000, 0x000000, 5.252},
        {"pure green on black", 0x00FF00, 0x000000, 15.3},
        {"pure blue on black", 0x0000FF, 0x000000, 2.444},
        {"road and its border", 0xFABE8C, 0xC88C5A, 1.742},
    };
    for (const TRow& row : rows)
        EXPECT_NEAR(ContrastRatio(Rgb(row.First), Rgb(row.Second)), row.Ratio, 0.005) << row.Name;
    EXPECT_DOUBLE_EQ(ContrastRatio(Rgb(0x000000), Rgb(0xFFFFFF)), 21.0);
    EXPECT_DOUBLE_EQ(RelativeLuminance(Rgb(0x000000)), 0.0);
    EXPECT_DOUBLE_EQ(RelativeLuminance(Rgb(0xFFFFFF)), 1.0);
}

// Table 1 of Sharma, Wu and Dalal, "The CIEDE2000 Color-Difference Formula: Implementation
// Notes, Supplementary Test Data, and Mathematical Observations" (Color Research and
// Application 30, 2005): every pair, with the difference to four places.
TEST(ColorScienceTest, DeltaE2000MatchesThePublishedTestData)
{
    struct TRow
    {
        TLab First, Second;
        double DeltaE;
    };
    const TRow rows[] = {
        {{50.0000, 2.6772, -79.7751}, {50.0000, 0.0000, -82.7485}, 2.0425},
        {{50.0000, 3.1571, -77.2803}, {50.0000, 0.0000, -82.7485}, 2.8615},
        {{50.0000, 2.8361, -74.0200}, {50.0000, 0.0000, -82.7485}, 3.4412},
        {{50.0000, -1.3802, -84.2814}, {50.0000, 0.0000, -82.7485}, 1.0000},
        {{50.0000, -1.1848, -84.8006}, {50.0000, 0.0000, -82.7485}, 1.0000},
        {{50.0000, -0.9009, -85.5211}, {50.0000, 0.0000, -82.7485}, 1.0000},
        {{50.0000, 0.0000, 0.0000}, {50.0000, -1.0000, 2.0000}, 2.3669},
        {{50.0000, -1.0000, 2.0000}, {50.0000, 0.0000, 0.0000}, 2.3669},
        {{50.0000, 2.4900, -0.0010}, {50.0000, -2.4900, 0.0009}, 7.1792},
        {{50.0000, 2.4900, -0.0010}, {50.0000, -2.4900, 0.0010}, 7.1792},
        {{50.0000, 2.4900, -0.0010}, {50.0000, -2.4900, 0.0011}, 7.2195},
        {{50.0000, 2.4900, -0.0010}, {50.0000, -2.4900, 0.0012}, 7.2195},
        {{50.0000, -0.0010, 2.4900}, {50.0000, 0.0009, -2.4900}, 4.8045},
        {{50.0000, -0.0010, 2.4900}, {50.0000, 0.0010, -2.4900}, 4.8045},
        {{50.0000, -0.0010, 2.4900}, {50.0000, 0.0011, -2.4900}, 4.7461},
        {{50.0000, 2.5000, 0.0000}, {50.0000, 0.0000, -2.5000}, 4.3065},
        {{50.0000, 2.5000, 0.0000}, {73.0000, 25.0000, -18.0000}, 27.1492},
        {{50.0000, 2.5000, 0.0000}, {61.0000, -5.0000, 29.0000}, 22.8977},
        {{50.0000, 2.5000, 0.0000}, {56.0000, -27.0000, -3.0000}, 31.9030},
        {{50.0000, 2.5000, 0.0000}, {58.0000, 24.0000, 15.0000}, 19.4535},
        {{50.0000, 2.5000, 0.0000}, {50.0000, 3.1736, 0.5854}, 1.0000},
        {{50.0000, 2.5000, 0.0000}, {50.0000, 3.2972, 0.0000}, 1.0000},
        {{50.0000, 2.5000, 0.0000}, {50.0000, 1.8634, 0.5757}, 1.0000},
        {{50.0000, 2.5000, 0.0000}, {50.0000, 3.2592, 0.3350}, 1.0000},
        {{60.2574, -34.0099, 36.2677}, {60.4626, -34.1751, 39.4387}, 1.2644},
        {{63.0109, -31.0961, -5.8663}, {62.8187, -29.7946, -4.0864}, 1.2630},
        {{61.2901, 3.7196, -5.3901}, {61.4292, 2.2480, -4.9620}, 1.8731},
        {{35.0831, -44.1164, 3.7933}, {35.0232, -40.0716, 1.5901}, 1.8645},
        {{22.7233, 20.0904, -46.6940}, {23.0331, 14.9730, -42.5619}, 2.0373},
        {{36.4612, 47.8580, 18.3852}, {36.2715, 50.5065, 21.2231}, 1.4146},
        {{90.8027, -2.0831, 1.4410}, {91.1528, -1.6435, 0.0447}, 1.4441},
        {{90.9257, -0.5406, -0.9208}, {88.6381, -0.8985, -0.7239}, 1.5381},
        {{6.7747, -0.2908, -2.4247}, {5.8714, -0.0985, -2.2286}, 0.6377},
        {{2.0776, 0.0795, -1.1350}, {0.9033, -0.0636, -0.5514}, 0.9082},
    };
    ASSERT_EQ(std::size(rows), 34u);
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const TRow& row = rows[i];
        // The table gives four places; a correct formula lands within half a unit of the last.
        EXPECT_NEAR(DeltaE2000(row.First, row.Second), row.DeltaE, 0.5e-4) << "pair " << i + 1;
        EXPECT_NEAR(DeltaE2000(row.Second, row.First), row.DeltaE, 0.5e-4) << "pair " << i + 1;
    }
}

TEST(ColorScienceTest, LabOfKnownColours)
{
    struct TRow
    {
        const char* Name;
        std::uint32_t Color;
        TLab Lab;
    };
    const TRow rows[] = {
        {"black", 0x000000, {0.0, 0.0, 0.0}},
        {"white", 0xFFFFFF, {100.0, 0.0, 0.0}},
        {"middle grey", 0x777777, {50.03, 0.0, 0.0}},
        {"red", 0xFF0000, {53.24, 80.09, 67.20}},
        {"green", 0x00FF00, {87.73, -86.18, 83.18}},
        {"blue", 0x0000FF, {32.30, 79.19, -107.86}},
    };
    for (const TRow& row : rows) {
        const TLab lab = ToLab(Rgb(row.Color));
        EXPECT_NEAR(lab.L, row.Lab.L, 0.01) << row.Name;
        EXPECT_NEAR(lab.a, row.Lab.a, 0.01) << row.Name;
        EXPECT_NEAR(lab.b, row.Lab.b, 0.01) << row.Name;
    }
    EXPECT_DOUBLE_EQ(DeltaE2000(Rgb(0x3C7A99), Rgb(0x3C7A99)), 0.0);
    EXPECT_NEAR(DeltaE2000(Rgb(0x000000), Rgb(0xFFFFFF)), 100.0, 1e-9);
}

TEST(ColorScienceTest, OklabOfKnownColoursAndGreys)
{
    // CSS Color 4 gives sRGB red as oklch(62.8% 0.2577 29.23).
    const TOklch red = ToOklch(Rgb(0xFF0000));
    EXPECT_NEAR(red.L, 0.628, 0.001);
    EXPECT_NEAR(red.C, 0.2577, 0.0001);
    EXPECT_NEAR(red.h, 29.23, 0.01);
    const TOklch white = ToOklch(Rgb(0xFFFFFF));
    EXPECT_NEAR(white.L, 1.0, 1e-6);
    for (int v = 0; v < 256; ++v) {
        const auto g = std::uint8_t(v);
        EXPECT_LT(ToOklch(TRGBTriple {g, g, g}).C, 1e-4) << v;
    }
}

// The hue is below 360, as the adjustment's hue shift and the gamut mapping expect: a hue a hair
// below 0 must not round up to 360 when the turn is added.
TEST(ColorScienceTest, OklchHueStaysBelow360)
{
    const struct
    {
        const char* Name;
        TOklab Lab;
        double Hue;
    } rows[] = {
        {"a hair below the a axis", {0.5, 0.1, -1e-300}, 0.0},
        {"on the a axis", {0.5, 0.1, 0.0}, 0.0},
        {"just below the a axis", {0.5, 0.1, -0.1}, 315.0},
        {"on the negative b axis", {0.5, 0.0, -0.1}, 270.0},
        {"on the negative a axis, below it", {0.5, -0.1, -0.0}, 180.0},
    };
    for (const auto& row : rows) {
        const double hue = ToOklch(row.Lab).h;
        EXPECT_GE(hue, 0.0) << row.Name;
        EXPECT_LT(hue, 360.0) << row.Name;
        EXPECT_NEAR(hue, row.Hue, 1e-9) << row.Name;
    }
}

// Random colours, their channels sometimes at the ends of the range, where rounding errors
// would push them outside the gamut.
TRGBTriple RandomColor(std::mt19937& random)
{
    auto channel = [&] {
        const unsigned pick = random() % 8;
        return std::uint8_t(pick == 0 ? 0 : pick == 1 ? 255 : random() % 256);
    };
    return {channel(), channel(), channel()};
}

TEST(ColorScienceTest, OklabRoundTripsAndMapsInGamutColoursToThemselves)
{
    std::mt19937 random(7);
    for (int i = 0; i < 20000; ++i) {
        const TRGBTriple color = RandomColor(random);
        const TOklab lab = ToOklab(color);
        EXPECT_EQ(Hex(FromLinear(FromOklab(lab))), Hex(color));
        const TOklch lch = ToOklch(lab);
        const TOklab back = FromOklch(lch);
        EXPECT_NEAR(back.a, lab.a, 1e-12);
        EXPECT_NEAR(back.b, lab.b, 1e-12);
        EXPECT_EQ(Hex(FromOklchMapped(lch)), Hex(color));
    }
}

TEST(ColorScienceTest, GamutMappingReducesChromaOnly)
{
    struct TRow
    {
        const char* Name;
        TOklch Color;
    };
    const TRow rows[] = {
        {"green", {0.7, 0.35, 145.0}},
        {"deep blue", {0.45, 0.4, 265.0}},
        {"orange", {0.8, 0.3, 60.0}},
        {"dark red", {0.3, 0.3, 25.0}},
        {"cyan", {0.85, 0.3, 195.0}},
        {"magenta", {0.6, 0.4, 330.0}},
        {"purple", {0.4, 0.35, 300.0}},
    };
    for (const TRow& row : rows) {
        const TLinearRgb unmapped = FromOklab(FromOklch(row.Color));
        ASSERT_FALSE(unmapped.R >= 0 && unmapped.R <= 1 && unmapped.G >= 0 && unmapped.G <= 1
            && unmapped.B >= 0 && unmapped.B <= 1)
            << row.Name;
        const TRGBTriple mapped = FromOklchMapped(row.Color);
        const TOklch result = ToOklch(mapped);
        EXPECT_LT(result.C, row.Color.C) << row.Name;
        // Within a just noticeable difference (0.02) of the colour of the original lightness
        // and hue at the chroma reached, with some room for the rounding to bytes.
        const TOklab sameLightnessAndHue = FromOklch({row.Color.L, result.C, row.Color.h});
        EXPECT_LT(DeltaEOK(ToOklab(mapped), sameLightnessAndHue), 0.025)
            << row.Name << " " << Hex(mapped);
        EXPECT_NEAR(result.L, row.Color.L, 0.02) << row.Name << " " << Hex(mapped);
        EXPECT_NE(Hex(mapped), Hex(FromLinear(unmapped))) << row.Name;
    }
}

TEST(ColorScienceTest, GamutMappingOfOddInput)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double infinity = std::numeric_limits<double>::infinity();
    struct TRow
    {
        const char* Name;
        TOklch Color;
        std::uint32_t Expected;
    };
    const TRow rows[] = {
        {"lightness 1 is white", {1.0, 0.2, 30.0}, 0xFFFFFF},
        {"lightness above 1 is white", {1.5, 0.0, 0.0}, 0xFFFFFF},
        {"lightness 0 is black", {0.0, 0.3, 200.0}, 0x000000},
        {"negative lightness is black", {-0.2, 0.0, 0.0}, 0x000000},
        {"no lightness is black", {nan, 0.1, 40.0}, 0x000000},
        {"negative chroma is grey", {0.5, -0.1, 40.0}, 0x636363},
        {"no chroma is grey", {0.5, nan, 40.0}, 0x636363},
        {"no hue counts as 0", {0.5, 0.0, nan}, 0x636363},
    };
    for (const TRow& row : rows)
        EXPECT_EQ(Hex(FromOklchMapped(row.Color)), Hex(Rgb(row.Expected))) << row.Name;
    // Endless chroma still ends the search, at the edge of the gamut.
    const TOklch edge = ToOklch(FromOklchMapped({0.6, infinity, 30.0}));
    EXPECT_NEAR(edge.L, 0.6, 0.02);
    EXPECT_GT(edge.C, 0.2);
    EXPECT_LT(HueDistance(edge.h, 30.0), 3.0);
    EXPECT_EQ(Hex(FromOklchMapped({0.6, 0.2, infinity})), Hex(FromOklchMapped({0.6, 0.2, 0.0})));
    EXPECT_EQ(Hex(FromOklchMapped({infinity, 0.2, 0.0})), "FFFFFF");
}

// The severity-1.0 matrices of Machado, Oliveira and Fernandes, "A Physiologically-based Model
// for Simulation of Color Vision Deficiency" (IEEE TVCG 15(6), 2009), supplementary material.
TEST(ColorScienceTest, VisionMatricesAreThePublishedOnes)
{
    struct TRow
    {
        TVisionDeficiency Deficiency;
        TMatrix3 Matrix;
    };
    const TRow rows[] = {
        {TVisionDeficiency::Protanopia,
            {{{0.152286, 1.052583, -0.204868}, {0.114503, 0.786281, 0.099216},
                {-0.003882, -0.048116, 1.051998}}}},
        {TVisionDeficiency::Deuteranopia,
            {{{0.367322, 0.860646, -0.227968}, {0.280085, 0.672501, 0.047413},
                {-0.011820, 0.042940, 0.968881}}}},
        {TVisionDeficiency::Tritanopia,
            {{{1.255528, -0.076749, -0.178779}, {-0.078411, 0.930809, 0.147602},
                {0.004733, 0.691367, 0.303900}}}},
        {TVisionDeficiency::Normal, {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}}},
        {TVisionDeficiency::Achromatopsia,
            {{{0.2126, 0.7152, 0.0722}, {0.2126, 0.7152, 0.0722}, {0.2126, 0.7152, 0.0722}}}},
    };
    for (const TRow& row : rows)
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                EXPECT_NEAR(VisionMatrix(row.Deficiency)[i][j], row.Matrix[i][j], 1e-4)
                    << int(row.Deficiency) << " row " << i << " column " << j;
}

constexpr TVisionDeficiency AllDeficiencies[]
    = {TVisionDeficiency::Normal, TVisionDeficiency::Protanopia, TVisionDeficiency::Deuteranopia,
        TVisionDeficiency::Tritanopia, TVisionDeficiency::Achromatopsia};

TEST(ColorScienceTest, GreysStayGreys)
{
    for (const TVisionDeficiency deficiency : AllDeficiencies)
        for (int v = 0; v < 256; ++v) {
            const TRGBTriple seen
                = SimulateVision(deficiency, {std::uint8_t(v), std::uint8_t(v), std::uint8_t(v)});
            for (const int channel : {seen.rgbtRed, seen.rgbtGreen, seen.rgbtBlue})
                EXPECT_LE(std::abs(channel - v), 1) << int(deficiency) << " grey " << v;
        }
}

TEST(ColorScienceTest, SimulatedKnownColours)
{
    struct TRow
    {
        const char* Name;
        TVisionDeficiency Deficiency;
        std::uint32_t Color, Seen;
    };
    const TRow rows[] = {
        {"normal vision changes nothing", TVisionDeficiency::Normal, 0xFABE8C, 0xFABE8C},
        {"red to a protanope", TVisionDeficiency::Protanopia, 0xFF0000, 0x6D5F00},
        {"red to a deuteranope", TVisionDeficiency::Deuteranopia, 0xFF0000, 0xA39000},
        {"red to a tritanope", TVisionDeficiency::Tritanopia, 0xFF0000, 0xFF000F},
        {"red without colour", TVisionDeficiency::Achromatopsia, 0xFF0000, 0x7F7F7F},
        {"green without colour", TVisionDeficiency::Achromatopsia, 0x00FF00, 0xDCDCDC},
        {"white to a protanope", TVisionDeficiency::Protanopia, 0xFFFFFF, 0xFFFFFF},
    };
    for (const TRow& row : rows)
        EXPECT_EQ(Hex(SimulateVision(row.Deficiency, Rgb(row.Color))), Hex(Rgb(row.Seen)))
            << row.Name;
}

} // namespace
