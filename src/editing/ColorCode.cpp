#include "editing/ColorCode.h"

#include "common/TextRules.h"
#include "editing/ColorNotation.h"

std::uint32_t ItemColorToTColor(const TRGBTriple& color)
{
    return std::uint32_t(color.rgbtRed) | std::uint32_t(color.rgbtGreen) << 8
        | std::uint32_t(color.rgbtBlue) << 16;
}

TRGBTriple TColorToItemColor(std::uint32_t color)
{
    TRGBTriple triple;
    triple.rgbtBlue = std::uint8_t(color >> 16);
    triple.rgbtGreen = std::uint8_t(color >> 8);
    triple.rgbtRed = std::uint8_t(color);
    return triple;
}

std::string ColorCodeText(std::uint32_t color)
{
    return FormatText("%.2X%.2X%.2X", unsigned(color & 0xFF), unsigned((color >> 8) & 0xFF),
        unsigned((color >> 16) & 0xFF));
}

std::optional<std::uint32_t> ParseColorCode(std::string_view text)
{
    if (text.empty() || text.size() > 6)
        return std::nullopt;
    std::uint32_t value = 0;
    for (char c : text) {
        const int digit = HexDigitValue(c);
        if (digit < 0)
            return std::nullopt;
        value = value << 4 | std::uint32_t(digit);
    }
    // The code is RRGGBB; the picker wants red in the low byte.
    return TColorFromRrggbb(value);
}

std::optional<std::string> ColorCodeFromPastedText(std::string_view text)
{
    if (text.size() > MaxColorNotationLength)
        return std::nullopt;
    text = TrimControls(text);
    // "#F80" is the web's shorthand for FF8800; typed, F80 stays the right-aligned code 000F80.
    if (text.size() == 4 && text.front() == '#' && ParseColorCode(text.substr(1))) {
        std::string code;
        for (const char digit : text.substr(1))
            code.append(2, digit);
        return code;
    }
    std::string_view digits = text;
    for (std::string_view prefix : {"#", "$", "0x", "0X"}) {
        if (digits.starts_with(prefix)) {
            digits.remove_prefix(prefix.size());
            break;
        }
    }
    if (ParseColorCode(digits))
        return std::string(digits);
    if (const auto color = ParseColorNotation(text))
        return ColorCodeText(ItemColorToTColor(*color));
    return std::nullopt;
}
