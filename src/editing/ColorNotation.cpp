#include "editing/ColorNotation.h"

#include "common/TextRules.h"
#include "editing/ColorCode.h"

#include <array>

namespace {

constexpr TRGBTriple Triple(unsigned red, unsigned green, unsigned blue)
{
    return {std::uint8_t(blue), std::uint8_t(green), std::uint8_t(red)};
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::optional<unsigned> HexValue(std::string_view digits)
{
    unsigned value = 0;
    for (const char c : digits) {
        const int digit = HexDigitValue(c);
        if (digit < 0)
            return std::nullopt;
        value = value << 4 | unsigned(digit);
    }
    return value;
}

std::optional<TRGBTriple> FromHex(std::string_view digits, bool shorthandAllowed)
{
    if (digits.size() == 6) {
        if (const auto value = HexValue(digits))
            return Triple(*value >> 16 & 0xFF, *value >> 8 & 0xFF, *value & 0xFF);
    } else if (digits.size() == 3 && shorthandAllowed) {
        // Each digit stands for itself twice: F80 is FF8800.
        if (const auto value = HexValue(digits))
            return Triple(
                (*value >> 8 & 0xF) * 0x11, (*value >> 4 & 0xF) * 0x11, (*value & 0xF) * 0x11);
    }
    return std::nullopt;
}

// One decimal component: 1 to 3 digits, at most 255.
std::optional<unsigned> Component(std::string_view text)
{
    if (text.empty() || text.size() > 3)
        return std::nullopt;
    unsigned value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + unsigned(c - '0');
    }
    if (value > 255)
        return std::nullopt;
    return value;
}

// Three components separated by commas (blanks around them allowed) or by blanks alone.
std::optional<TRGBTriple> FromDecimal(std::string_view text)
{
    const bool commas = text.find(',') != std::string_view::npos;
    std::array<std::string_view, 3> parts;
    std::size_t count = 0;
    while (true) {
        if (!commas)
            text = TrimBlanks(text);
        const std::size_t end
            = commas ? text.find(',') : text.find_first_of(std::string_view(" \t", 2));
        if (count == parts.size())
            return std::nullopt;
        parts[count++] = TrimBlanks(text.substr(0, end));
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    if (count != parts.size())
        return std::nullopt;
    const auto red = Component(parts[0]);
    const auto green = Component(parts[1]);
    const auto blue = Component(parts[2]);
    if (!red || !green || !blue)
        return std::nullopt;
    return Triple(*red, *green, *blue);
}

} // namespace

std::optional<TRGBTriple> ParseColorNotation(std::string_view text)
{
    if (text.size() > MaxColorNotationLength)
        return std::nullopt;
    text = TrimControls(text);
    if (text.starts_with('#'))
        return FromHex(text.substr(1), true);
    if (const auto color = FromHex(text, false))
        return color;
    if (text.size() > 3 && SameTextAscii(text.substr(0, 3), "rgb")) {
        const std::string_view call = TrimBlanks(text.substr(3));
        if (call.size() < 2 || call.front() != '(' || call.back() != ')')
            return std::nullopt;
        return FromDecimal(call.substr(1, call.size() - 2));
    }
    return FromDecimal(text);
}

std::string HashColorCode(const TRGBTriple& color)
{
    return "#" + ColorCodeText(ItemColorToTColor(color));
}
