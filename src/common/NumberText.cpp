#include "common/NumberText.h"

#include <string>

TAnsiString WholeNumberText(std::uint64_t value, const TNumberFormat& format)
{
    const std::string digits = std::to_string(value);
    TAnsiString text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            text += format.GroupSeparator;
        text += digits[i];
    }
    return text;
}

TAnsiString FixedPointText(std::uint64_t units, int decimals, const TNumberFormat& format)
{
    std::uint64_t scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    if (decimals <= 0)
        return WholeNumberText(units, format);
    std::string fraction = std::to_string(units % scale);
    fraction.insert(0, std::size_t(decimals) - fraction.size(), '0');
    return WholeNumberText(units / scale, format) + format.DecimalPoint + fraction;
}
