#include "preview/ColorContrast.h"

#include <cmath>
#include <string>

TAnsiString ContrastRatioText(double ratio)
{
    // Tenths of the ratio, rounded down; the small allowance keeps a ratio that is exactly 4.5 in
    // decimal from showing as 4.4 through binary rounding.
    const int tenths = static_cast<int>(std::floor(ratio * 10.0 + 1e-9));
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + ":1";
}
