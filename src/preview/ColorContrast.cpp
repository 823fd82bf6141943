#include "preview/ColorContrast.h"

#include <cmath>
#include <string>

namespace {

// The value with the given number of decimals (1 or 2), rounded down; the small allowance keeps
// a value that is exact in decimal (4.5, 4.52) from showing one step lower through binary
// rounding.
TAnsiString RoundedDown(double value, int decimals)
{
    const int scale = decimals >= 2 ? 100 : 10;
    const double scaled = std::floor(value * scale + 1e-9);
    if (!(scaled >= 0) || scaled > 1e9)
        return "0." + std::string(std::size_t(decimals >= 2 ? 2 : 1), '0');
    const long long units = static_cast<long long>(scaled);
    std::string fraction = std::to_string(units % scale);
    if (scale == 100 && fraction.size() < 2)
        fraction.insert(0, 1, '0');
    return std::to_string(units / scale) + "." + fraction;
}

} // namespace

TAnsiString ContrastRatioText(double ratio, int decimals)
{
    return RoundedDown(ratio, decimals) + ":1";
}

TAnsiString DeltaEText(double deltaE)
{
    return RoundedDown(deltaE, 1);
}
