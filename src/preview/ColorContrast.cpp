#include "preview/ColorContrast.h"

#include <array>
#include <cmath>
#include <string>

namespace {

// The linear light of each 8-bit sRGB channel value. (The 0.03928 of older WCAG texts and the
// 0.04045 of sRGB itself split the same two 8-bit values, 10 and 11.)
const std::array<double, 256>& LinearChannels()
{
    static const std::array<double, 256> table = [] {
        std::array<double, 256> values {};
        for (std::size_t i = 0; i < values.size(); ++i) {
            const double c = static_cast<double>(i) / 255.0;
            values[i] = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        }
        return values;
    }();
    return table;
}

// Tenths of the ratio, rounded down; the small allowance keeps a ratio that is exactly 1.5 in
// decimal from showing as 1.4 through binary rounding.
int ContrastTenths(double ratio)
{
    return static_cast<int>(std::floor(ratio * 10.0 + 1e-9));
}

} // namespace

double RelativeLuminance(const TRGBTriple& color)
{
    const std::array<double, 256>& linear = LinearChannels();
    return 0.2126 * linear[color.rgbtRed] + 0.7152 * linear[color.rgbtGreen]
        + 0.0722 * linear[color.rgbtBlue];
}

double ContrastRatio(const TRGBTriple& first, const TRGBTriple& second)
{
    const double a = RelativeLuminance(first);
    const double b = RelativeLuminance(second);
    return a >= b ? (a + 0.05) / (b + 0.05) : (b + 0.05) / (a + 0.05);
}

TAnsiString ContrastRatioText(double ratio)
{
    const int tenths = ContrastTenths(ratio);
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + ":1";
}

bool HardToTellApart(double ratio)
{
    return ContrastTenths(ratio) < 15;
}
