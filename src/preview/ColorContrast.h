#pragma once

#include "common/AnsiString.h"
#include "scheme/SchemeFile.h"

// How well two colours can be told apart, by the relative luminance and contrast ratio of the
// Web Content Accessibility Guidelines (WCAG 2.x).

// 0 for black, 1 for white: the sRGB channels linearised and weighted 0.2126, 0.7152, 0.0722.
double RelativeLuminance(const TRGBTriple& color);

// (lighter + 0.05) / (darker + 0.05), from 1 (equal colours) to 21 (black and white); the
// order of the two colours does not matter.
double ContrastRatio(const TRGBTriple& first, const TRGBTriple& second);

// The ratio as "3.2:1": one decimal, rounded down, so a ratio shown as "1.5:1" is never below
// 1.5 and the mark below agrees with the figure beside it.
TAnsiString ContrastRatioText(double ratio);

// True below 1.5:1, where neighbouring areas run into each other on the navigator's screen.
bool HardToTellApart(double ratio);
