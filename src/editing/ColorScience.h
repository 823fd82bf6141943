#pragma once

#include "scheme/SchemeFile.h"

#include <array>
#include <cstdint>

// The colour science of the tools that judge and change colours: sRGB and linear light, the
// WCAG contrast ratio, CIE L*a*b* with the CIEDE2000 difference, OKLab / OKLCh with gamut
// mapping into sRGB, and colour-vision simulation. Every formula follows its published source
// and is pinned by that source's test data.

// --- sRGB and linear light (IEC 61966-2-1) ---

// One sRGB channel in [0, 1] to linear light in [0, 1], and back.
double SrgbToLinear(double encoded);
double LinearToSrgb(double linear);

// The linear light of an 8-bit channel value, from a table.
double LinearChannel(std::uint8_t value);

// The 8-bit channel value whose encoding is nearest to the linear light given; values outside
// [0, 1] are clipped. LinearToByte(LinearChannel(v)) == v for every v.
std::uint8_t LinearToByte(double linear);

struct TLinearRgb
{
    double R, G, B;
};

TLinearRgb ToLinear(const TRGBTriple& color);
// Each channel clipped to [0, 1] and rounded to the nearest byte.
TRGBTriple FromLinear(const TLinearRgb& color);

// --- WCAG 2.x ---

// 0 for black, 1 for white: the linear channels weighted 0.2126, 0.7152, 0.0722.
double RelativeLuminance(const TRGBTriple& color);

// (lighter + 0.05) / (darker + 0.05), from 1 (equal colours) to 21 (black and white); the
// order of the two does not matter.
double ContrastRatio(const TRGBTriple& first, const TRGBTriple& second);

// --- CIE L*a*b* (D65) and CIEDE2000 ---

struct TLab
{
    double L, a, b;
};

// Through linear RGB and CIE XYZ, relative to the D65 white of sRGB.
TLab ToLab(const TRGBTriple& color);

// The CIEDE2000 colour difference with kL = kC = kH = 1 (Sharma, Wu and Dalal, 2005).
double DeltaE2000(const TLab& first, const TLab& second);
// CIEDE2000 divides the lightness difference by a weight of at most this (at L* 0 and 100), and
// its chroma and hue terms with the rotation term add up to no less than zero: two colours
// further apart in L* than this times d differ by more than d, and need no full formula.
inline constexpr double DeltaE2000MaxLightnessWeight = 1.75;
double DeltaE2000(const TRGBTriple& first, const TRGBTriple& second);

// --- OKLab and OKLCh (Ottosson, 2020) ---

struct TOklab
{
    double L, a, b;
};

// L from 0 (black) to 1 (white); C from 0 (grey) up; h in degrees, 0 <= h < 360.
struct TOklch
{
    double L, C, h;
};

TOklab ToOklab(const TLinearRgb& color);
// Linear RGB outside [0, 1] where the colour lies outside the sRGB gamut.
TLinearRgb FromOklab(const TOklab& color);
TOklch ToOklch(const TOklab& color);
TOklab FromOklch(const TOklch& color);

TOklab ToOklab(const TRGBTriple& color);
TOklch ToOklch(const TRGBTriple& color);

// The Euclidean distance in OKLab (deltaEOK).
double DeltaEOK(const TOklab& first, const TOklab& second);

// The colour in sRGB by the gamut mapping of CSS Color Module Level 4: a colour inside the
// gamut is converted as it is; one outside keeps its lightness and hue and loses chroma (a
// binary search) until clipping it changes it by less than a just noticeable difference.
// Lightness at or above 1 gives white, at or below 0 black. Odd input still gives a colour:
// a lightness or chroma that is not a number counts as 0, as does a hue that is not finite;
// chroma is taken between 0 and 1 (no sRGB colour comes near 1).
TRGBTriple FromOklchMapped(const TOklch& color);

// --- Colour-vision simulation ---

enum class TVisionDeficiency { Normal, Protanopia, Deuteranopia, Tritanopia, Achromatopsia };

using TMatrix3 = std::array<std::array<double, 3>, 3>;

// The matrix applied to linear RGB: the identity for normal vision; for the three dichromacies
// the matrices of Machado, Oliveira and Fernandes (2009) at severity 1.0; for achromatopsia
// three rows of the relative-luminance weights, so that each colour becomes the grey of its
// luminance.
const TMatrix3& VisionMatrix(TVisionDeficiency deficiency);

// The colour as seen with the deficiency: decoded to linear RGB, multiplied by the matrix,
// clipped to [0, 1] and encoded again.
TRGBTriple SimulateVision(TVisionDeficiency deficiency, const TRGBTriple& color);
