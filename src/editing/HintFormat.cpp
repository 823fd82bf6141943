#include "editing/HintFormat.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>

namespace {

constexpr int MaxDigits = 2; // of a width or a precision

// One %d, %i or %u placeholder, as C's printf reads it.
struct TPlaceholder
{
    bool LeftJustify = false; // "-"
    bool Plus = false; // "+"
    bool Space = false; // " "
    bool ZeroPad = false; // "0"
    int Width = 0;
    int Precision = -1; // -1: none given
    bool Unsigned = false; // %u
};

// Reads up to MaxDigits digits at `at`; more digits make the directive unusable.
bool ReadNumber(TAnsiView format, std::size_t& at, int& number)
{
    number = 0;
    int digits = 0;
    while (at < format.size() && format[at] >= '0' && format[at] <= '9') {
        if (++digits > MaxDigits)
            return false;
        number = number * 10 + (format[at++] - '0');
    }
    return true;
}

// Parses the placeholder after a "%" at `at` (which is moved past it); nothing for any other
// directive.
std::optional<TPlaceholder> ReadPlaceholder(TAnsiView format, std::size_t& at)
{
    TPlaceholder placeholder;
    for (; at < format.size(); ++at) {
        const char flag = format[at];
        if (flag == '-')
            placeholder.LeftJustify = true;
        else if (flag == '+')
            placeholder.Plus = true;
        else if (flag == ' ')
            placeholder.Space = true;
        else if (flag == '0')
            placeholder.ZeroPad = true;
        else
            break;
    }
    if (!ReadNumber(format, at, placeholder.Width))
        return std::nullopt;
    if (at < format.size() && format[at] == '.') {
        ++at;
        if (!ReadNumber(format, at, placeholder.Precision))
            return std::nullopt;
    }
    if (at >= format.size())
        return std::nullopt;
    const char conversion = format[at++];
    if (conversion == 'u')
        placeholder.Unsigned = true;
    else if (conversion != 'd' && conversion != 'i')
        return std::nullopt;
    return placeholder;
}

// The value as printf writes it for the placeholder.
void AppendInteger(TAnsiString& text, const TPlaceholder& placeholder, int value)
{
    // %u shows the value's 32-bit pattern, and takes no sign.
    const bool negative = !placeholder.Unsigned && value < 0;
    std::int64_t magnitude = placeholder.Unsigned ? std::int64_t(static_cast<std::uint32_t>(value))
                                                  : std::int64_t(value);
    if (negative)
        magnitude = -magnitude;

    char reversed[20];
    int length = 0;
    for (; magnitude != 0; magnitude /= 10)
        reversed[length++] = static_cast<char>('0' + magnitude % 10);
    // A precision is the least number of digits; without one that is 1 (precision 0 writes no
    // digit for 0).
    const int digitCount = std::max(length, placeholder.Precision < 0 ? 1 : placeholder.Precision);

    char sign = '\0';
    if (negative)
        sign = '-';
    else if (!placeholder.Unsigned && placeholder.Plus)
        sign = '+';
    else if (!placeholder.Unsigned && placeholder.Space)
        sign = ' ';
    const int signLength = sign != '\0' ? 1 : 0;
    const int padding = std::max(0, placeholder.Width - digitCount - signLength);
    // Zeros pad only a right-justified number without a precision; otherwise blanks do.
    const bool zeroPad
        = placeholder.ZeroPad && !placeholder.LeftJustify && placeholder.Precision < 0;

    if (!placeholder.LeftJustify && !zeroPad)
        text.append(static_cast<std::size_t>(padding), ' ');
    if (sign != '\0')
        text += sign;
    if (zeroPad)
        text.append(static_cast<std::size_t>(padding), '0');
    text.append(static_cast<std::size_t>(digitCount - length), '0');
    for (int i = length - 1; i >= 0; --i)
        text += reversed[i];
    if (placeholder.LeftJustify)
        text.append(static_cast<std::size_t>(padding), ' ');
}

std::optional<TAnsiString> TryFormat(TAnsiView format, std::span<const int> values)
{
    TAnsiString text;
    std::size_t used = 0;
    std::size_t at = 0;
    while (at < format.size()) {
        const std::size_t percent = format.find('%', at);
        text.append(format.substr(at, percent - at));
        if (percent == TAnsiView::npos)
            break;
        at = percent + 1;
        if (at < format.size() && format[at] == '%') {
            text += '%';
            ++at;
            continue;
        }
        const std::optional<TPlaceholder> placeholder = ReadPlaceholder(format, at);
        if (!placeholder || used == values.size())
            return std::nullopt;
        AppendInteger(text, *placeholder, values[used++]);
    }
    if (used != values.size())
        return std::nullopt;
    return text;
}

} // namespace

TAnsiString FormatIntegerHint(TAnsiView format, std::span<const int> values, TAnsiView builtIn)
{
    if (!format.empty())
        if (std::optional<TAnsiString> text = TryFormat(format, values))
            return std::move(*text);
    if (std::optional<TAnsiString> text = TryFormat(builtIn, values))
        return std::move(*text);
    return TAnsiString(builtIn);
}
