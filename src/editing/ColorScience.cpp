#include "editing/ColorScience.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// --- sRGB ---

const std::array<double, 256>& LinearTable()
{
    static const std::array<double, 256> table = [] {
        std::array<double, 256> values {};
        for (std::size_t i = 0; i < values.size(); ++i)
            values[i] = SrgbToLinear(static_cast<double>(i) / 255.0);
        return values;
    }();
    return table;
}

// Entry k is the linear light halfway (in encoded terms) between bytes k and k + 1, so the byte
// nearest to a linear value is the number of entries not above it.
const std::array<double, 255>& ByteThresholds()
{
    static const std::array<double, 255> table = [] {
        std::array<double, 255> values {};
        for (std::size_t k = 0; k < values.size(); ++k)
            values[k] = SrgbToLinear((static_cast<double>(k) + 0.5) / 255.0);
        return values;
    }();
    return table;
}

// Where to start looking in the thresholds above, for linear light in steps of 1 / 4096: the
// number of thresholds not above the start of each step. A step is narrower than the gap
// between any two thresholds, so from there one or two comparisons find the byte.
constexpr std::size_t ByteSteps = 4096;

const std::array<std::uint8_t, ByteSteps + 1>& ByteGuesses()
{
    static const std::array<std::uint8_t, ByteSteps + 1> table = [] {
        const std::array<double, 255>& thresholds = ByteThresholds();
        std::array<std::uint8_t, ByteSteps + 1> values {};
        for (std::size_t i = 0; i < values.size(); ++i)
            values[i]
                = static_cast<std::uint8_t>(std::upper_bound(thresholds.begin(), thresholds.end(),
                                                static_cast<double>(i) / ByteSteps)
                    - thresholds.begin());
        return values;
    }();
    return table;
}

// The WCAG weights (those of sRGB's Y, rounded to four places as WCAG states them).
constexpr double LumaRed = 0.2126;
constexpr double LumaGreen = 0.7152;
constexpr double LumaBlue = 0.0722;

TLinearRgb Multiply(const TMatrix3& m, const TLinearRgb& c)
{
    return {m[0][0] * c.R + m[0][1] * c.G + m[0][2] * c.B,
        m[1][0] * c.R + m[1][1] * c.G + m[1][2] * c.B,
        m[2][0] * c.R + m[2][1] * c.G + m[2][2] * c.B};
}

// --- CIE XYZ and L*a*b* ---

// Linear sRGB to XYZ, in the exact rational form CSS Color 4 derives from the sRGB primaries
// and the D65 chromaticity (0.3127, 0.3290); the rows sum to the white below, so greys come
// out with a* = b* = 0.
constexpr TMatrix3 SrgbToXyz = {{
    {506752.0 / 1228815.0, 87881.0 / 245763.0, 12673.0 / 70218.0},
    {87098.0 / 409605.0, 175762.0 / 245763.0, 12673.0 / 175545.0},
    {7918.0 / 409605.0, 87881.0 / 737289.0, 1001167.0 / 1053270.0},
}};
constexpr double WhiteX = 0.3127 / 0.3290;
constexpr double WhiteZ = (1.0 - 0.3127 - 0.3290) / 0.3290;

// CIE's exact constants for the straight part of the lightness curve.
constexpr double LabEpsilon = 216.0 / 24389.0;
constexpr double LabKappa = 24389.0 / 27.0;

double LabF(double t)
{
    return t > LabEpsilon ? std::cbrt(t) : (LabKappa * t + 16.0) / 116.0;
}

constexpr double Radians(double degrees)
{
    return degrees * std::numbers::pi / 180.0;
}

constexpr double Degrees(double radians)
{
    return radians * 180.0 / std::numbers::pi;
}

// atan2 in degrees, 0 <= h < 360.
double HueDegrees(double y, double x)
{
    const double h = Degrees(std::atan2(y, x));
    if (h >= 0.0)
        return h;
    // A hue a hair below 0 rounds up to 360 when the turn is added: that hue is 0.
    const double turned = h + 360.0;
    return turned >= 360.0 ? 0.0 : turned;
}

// --- OKLab ---

// Ottosson's matrices, from linear sRGB to cone responses, from their cube roots to Lab, and
// the inverses.
constexpr TMatrix3 SrgbToLms = {{
    {0.4122214708, 0.5363325363, 0.0514459929},
    {0.2119034982, 0.6806995451, 0.1073969566},
    {0.0883024619, 0.2817188376, 0.6299787005},
}};
constexpr TMatrix3 LmsToOklab = {{
    {0.2104542553, 0.7936177850, -0.0040720468},
    {1.9779984951, -2.4285922050, 0.4505937099},
    {0.0259040371, 0.7827717662, -0.8086757660},
}};
constexpr TMatrix3 OklabToLms = {{
    {1.0, 0.3963377774, 0.2158037573},
    {1.0, -0.1055613458, -0.0638541728},
    {1.0, -0.0894841775, -1.2914855480},
}};
constexpr TMatrix3 LmsToSrgb = {{
    {4.0767416621, -3.3077115913, 0.2309699292},
    {-1.2684380046, 2.6097574011, -0.3413193965},
    {-0.0041960863, -0.7034186147, 1.7076147010},
}};

bool InGamut(const TLinearRgb& c)
{
    return c.R >= 0.0 && c.R <= 1.0 && c.G >= 0.0 && c.G <= 1.0 && c.B >= 0.0 && c.B <= 1.0;
}

TLinearRgb Clip(const TLinearRgb& c)
{
    return {std::clamp(c.R, 0.0, 1.0), std::clamp(c.G, 0.0, 1.0), std::clamp(c.B, 0.0, 1.0)};
}

double FiniteOr(double value, double otherwise)
{
    return std::isfinite(value) ? value : otherwise;
}

// --- Colour vision ---

constexpr TMatrix3 Identity = {{{1.0, 0.0, 0.0}, {0.0, 1.0, 0.0}, {0.0, 0.0, 1.0}}};
// Machado, Oliveira and Fernandes (2009), the supplementary matrices at severity 1.0.
constexpr TMatrix3 Protanopia = {{
    {0.152286, 1.052583, -0.204868},
    {0.114503, 0.786281, 0.099216},
    {-0.003882, -0.048116, 1.051998},
}};
constexpr TMatrix3 Deuteranopia = {{
    {0.367322, 0.860646, -0.227968},
    {0.280085, 0.672501, 0.047413},
    {-0.011820, 0.042940, 0.968881},
}};
constexpr TMatrix3 Tritanopia = {{
    {1.255528, -0.076749, -0.178779},
    {-0.078411, 0.930809, 0.147602},
    {0.004733, 0.691367, 0.303900},
}};
constexpr TMatrix3 Achromatopsia = {{
    {LumaRed, LumaGreen, LumaBlue},
    {LumaRed, LumaGreen, LumaBlue},
    {LumaRed, LumaGreen, LumaBlue},
}};

} // namespace

double SrgbToLinear(double encoded)
{
    return encoded <= 0.04045 ? encoded / 12.92 : std::pow((encoded + 0.055) / 1.055, 2.4);
}

double LinearToSrgb(double linear)
{
    return linear <= 0.0031308 ? 12.92 * linear : 1.055 * std::pow(linear, 1.0 / 2.4) - 0.055;
}

double LinearChannel(std::uint8_t value)
{
    return LinearTable()[value];
}

std::uint8_t LinearToByte(double linear)
{
    // Also catches NaN.
    if (!(linear > 0.0))
        return 0;
    if (linear >= 1.0)
        return 255;
    const std::array<double, 255>& thresholds = ByteThresholds();
    std::size_t byte = ByteGuesses()[static_cast<std::size_t>(linear * ByteSteps)];
    while (byte < thresholds.size() && thresholds[byte] <= linear)
        ++byte;
    return static_cast<std::uint8_t>(byte);
}

TLinearRgb ToLinear(const TRGBTriple& color)
{
    return {LinearChannel(color.rgbtRed), LinearChannel(color.rgbtGreen),
        LinearChannel(color.rgbtBlue)};
}

TRGBTriple FromLinear(const TLinearRgb& color)
{
    return {LinearToByte(color.B), LinearToByte(color.G), LinearToByte(color.R)};
}

double RelativeLuminance(const TRGBTriple& color)
{
    const TLinearRgb c = ToLinear(color);
    return LumaRed * c.R + LumaGreen * c.G + LumaBlue * c.B;
}

double ContrastRatio(const TRGBTriple& first, const TRGBTriple& second)
{
    const double one = RelativeLuminance(first);
    const double other = RelativeLuminance(second);
    return (std::max(one, other) + 0.05) / (std::min(one, other) + 0.05);
}

TLab ToLab(const TRGBTriple& color)
{
    const TLinearRgb xyz = Multiply(SrgbToXyz, ToLinear(color));
    const double fx = LabF(xyz.R / WhiteX);
    const double fy = LabF(xyz.G);
    const double fz = LabF(xyz.B / WhiteZ);
    return {116.0 * fy - 16.0, 500.0 * (fx - fy), 200.0 * (fy - fz)};
}

double DeltaE2000(const TLab& first, const TLab& second)
{
    // The steps and names of Sharma, Wu and Dalal (2005), equations (2) to (22).
    const double pow25To7 = 6103515625.0;
    const double cBar = (std::hypot(first.a, first.b) + std::hypot(second.a, second.b)) / 2.0;
    const double cBar7 = std::pow(cBar, 7.0);
    const double g = 0.5 * (1.0 - std::sqrt(cBar7 / (cBar7 + pow25To7)));
    const double a1 = (1.0 + g) * first.a;
    const double a2 = (1.0 + g) * second.a;
    const double c1 = std::hypot(a1, first.b);
    const double c2 = std::hypot(a2, second.b);
    // The hue of a neutral colour is taken as 0.
    const double h1 = a1 == 0.0 && first.b == 0.0 ? 0.0 : HueDegrees(first.b, a1);
    const double h2 = a2 == 0.0 && second.b == 0.0 ? 0.0 : HueDegrees(second.b, a2);
    const bool neutral = c1 * c2 == 0.0;

    const double deltaL = second.L - first.L;
    const double deltaC = c2 - c1;
    double deltaH = 0.0;
    if (!neutral) {
        deltaH = h2 - h1;
        if (deltaH > 180.0)
            deltaH -= 360.0;
        else if (deltaH < -180.0)
            deltaH += 360.0;
    }
    const double deltaBigH = 2.0 * std::sqrt(c1 * c2) * std::sin(Radians(deltaH / 2.0));

    const double lBar = (first.L + second.L) / 2.0;
    const double cBarPrime = (c1 + c2) / 2.0;
    double hBar = h1 + h2;
    if (!neutral) {
        if (std::abs(h1 - h2) <= 180.0)
            hBar /= 2.0;
        else if (hBar < 360.0)
            hBar = (hBar + 360.0) / 2.0;
        else
            hBar = (hBar - 360.0) / 2.0;
    }
    const double t = 1.0 - 0.17 * std::cos(Radians(hBar - 30.0))
        + 0.24 * std::cos(Radians(2.0 * hBar)) + 0.32 * std::cos(Radians(3.0 * hBar + 6.0))
        - 0.20 * std::cos(Radians(4.0 * hBar - 63.0));
    const double deltaTheta = 30.0 * std::exp(-std::pow((hBar - 275.0) / 25.0, 2.0));
    const double cBarPrime7 = std::pow(cBarPrime, 7.0);
    const double rC = 2.0 * std::sqrt(cBarPrime7 / (cBarPrime7 + pow25To7));
    const double lFromMiddle = (lBar - 50.0) * (lBar - 50.0);
    const double sL = 1.0 + 0.015 * lFromMiddle / std::sqrt(20.0 + lFromMiddle);
    const double sC = 1.0 + 0.045 * cBarPrime;
    const double sH = 1.0 + 0.015 * cBarPrime * t;
    const double rT = -std::sin(Radians(2.0 * deltaTheta)) * rC;

    const double l = deltaL / sL;
    const double c = deltaC / sC;
    const double h = deltaBigH / sH;
    return std::sqrt(l * l + c * c + h * h + rT * c * h);
}

double DeltaE2000(const TRGBTriple& first, const TRGBTriple& second)
{
    return DeltaE2000(ToLab(first), ToLab(second));
}

TOklab ToOklab(const TLinearRgb& color)
{
    const TLinearRgb lms = Multiply(SrgbToLms, color);
    const TLinearRgb lab
        = Multiply(LmsToOklab, {std::cbrt(lms.R), std::cbrt(lms.G), std::cbrt(lms.B)});
    return {lab.R, lab.G, lab.B};
}

TLinearRgb FromOklab(const TOklab& color)
{
    const TLinearRgb root = Multiply(OklabToLms, {color.L, color.a, color.b});
    return Multiply(
        LmsToSrgb, {root.R * root.R * root.R, root.G * root.G * root.G, root.B * root.B * root.B});
}

TOklch ToOklch(const TOklab& color)
{
    return {color.L, std::hypot(color.a, color.b), HueDegrees(color.b, color.a)};
}

TOklab FromOklch(const TOklch& color)
{
    const double h = Radians(color.h);
    return {color.L, color.C * std::cos(h), color.C * std::sin(h)};
}

TOklab ToOklab(const TRGBTriple& color)
{
    return ToOklab(ToLinear(color));
}

TOklch ToOklch(const TRGBTriple& color)
{
    return ToOklch(ToOklab(color));
}

double DeltaEOK(const TOklab& first, const TOklab& second)
{
    const double l = first.L - second.L;
    const double a = first.a - second.a;
    const double b = first.b - second.b;
    return std::sqrt(l * l + a * a + b * b);
}

TRGBTriple FromOklchMapped(const TOklch& color)
{
    // The binary search of CSS Color Module Level 4 ("Binary Search Gamut Mapping with Local
    // MINDE"), step by step; only the clean-up of odd input is ours. Chroma beyond any real
    // colour is capped so that the search stays finite.
    constexpr double MaxChroma = 1.0;
    constexpr double Jnd = 0.02;
    constexpr double Epsilon = 0.0001;
    TOklch current {std::isnan(color.L) ? 0.0 : color.L,
        std::isnan(color.C) ? 0.0 : std::clamp(color.C, 0.0, MaxChroma), FiniteOr(color.h, 0.0)};
    if (current.L >= 1.0)
        return {255, 255, 255};
    if (current.L <= 0.0)
        return {0, 0, 0};
    const TOklab origin = FromOklch(current);
    const TLinearRgb originRgb = FromOklab(origin);
    if (InGamut(originRgb))
        return FromLinear(originRgb);

    TLinearRgb clipped = Clip(originRgb);
    if (DeltaEOK(ToOklab(clipped), origin) < Jnd)
        return FromLinear(clipped);
    double min = 0.0;
    double max = current.C;
    bool minInGamut = true;
    while (max - min > Epsilon) {
        current.C = (min + max) / 2.0;
        const TOklab lab = FromOklch(current);
        const TLinearRgb rgb = FromOklab(lab);
        if (minInGamut && InGamut(rgb)) {
            min = current.C;
            continue;
        }
        clipped = Clip(rgb);
        const double e = DeltaEOK(ToOklab(clipped), lab);
        if (e < Jnd) {
            if (Jnd - e < Epsilon)
                return FromLinear(clipped);
            minInGamut = false;
            min = current.C;
        } else {
            max = current.C;
        }
    }
    return FromLinear(clipped);
}

const TMatrix3& VisionMatrix(TVisionDeficiency deficiency)
{
    switch (deficiency) {
    case TVisionDeficiency::Protanopia:
        return Protanopia;
    case TVisionDeficiency::Deuteranopia:
        return Deuteranopia;
    case TVisionDeficiency::Tritanopia:
        return Tritanopia;
    case TVisionDeficiency::Achromatopsia:
        return Achromatopsia;
    case TVisionDeficiency::Normal:
        break;
    }
    return Identity;
}

TRGBTriple SimulateVision(TVisionDeficiency deficiency, const TRGBTriple& color)
{
    if (deficiency == TVisionDeficiency::Normal)
        return color;
    return FromLinear(Multiply(VisionMatrix(deficiency), ToLinear(color)));
}
