#include "preview/ColorContrast.h"

#include <cmath>

namespace {

// The value with the given number of decimals (1 or 2), rounded down; the small allowance keeps
// a value that is exact in decimal (4.5, 4.52) from showing one step lower through binary
// rounding.
TAnsiString RoundedDown(double value, int decimals, const TNumberFormat& format)
{
    decimals = decimals >= 2 ? 2 : 1;
    const int scale = decimals == 2 ? 100 : 10;
    const double scaled = std::floor(value * scale + 1e-9);
    if (!(scaled >= 0) || scaled > 1e9)
        return FixedPointText(0, decimals, format);
    return FixedPointText(static_cast<std::uint64_t>(scaled), decimals, format);
}

} // namespace

TAnsiString ContrastRatioText(double ratio, int decimals, const TNumberFormat& format)
{
    return RoundedDown(ratio, decimals, format) + ":1";
}

TAnsiString DeltaEText(double deltaE, const TNumberFormat& format)
{
    return RoundedDown(deltaE, 1, format);
}
