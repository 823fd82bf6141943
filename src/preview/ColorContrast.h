#pragma once

#include "common/AnsiString.h"
#include "common/NumberText.h"
#include "editing/ColorScience.h"

// How the read-outs and the legibility check show a contrast ratio and a colour difference; the
// figures themselves (ContrastRatio, DeltaE2000) come from the colour science.

// The ratio as "3.2:1" (or "3.21:1" with two decimals; "3,21:1" where the language writes a
// decimal comma), rounded down, so a ratio shown as "4.5:1" is never below 4.5, the figure the
// accessibility guidelines ask of text.
TAnsiString ContrastRatioText(double ratio, int decimals = 1, const TNumberFormat& format = {});

// The CIEDE2000 difference with one decimal, rounded down like the ratio: a difference shown
// below a threshold of one decimal is one the check flags, and one shown at or above it is not.
TAnsiString DeltaEText(double deltaE, const TNumberFormat& format = {});
