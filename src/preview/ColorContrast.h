#pragma once

#include "common/AnsiString.h"
#include "editing/ColorScience.h"

// How the read-outs show a contrast ratio; the ratio itself (ContrastRatio) comes from the
// colour science.

// The ratio as "3.2:1": one decimal, rounded down, so a ratio shown as "4.5:1" is never below
// 4.5, the figure the accessibility guidelines ask of text.
TAnsiString ContrastRatioText(double ratio);
