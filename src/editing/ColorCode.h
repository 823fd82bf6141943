#pragma once

#include "scheme/SchemeFile.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Conversions between the three colour forms: an item's blue, green, red bytes; the TColor value
// 0x00BBGGRR (red in the low byte) used by the picker and the colour dialog; and the RRGGBB code
// text of the code field.

std::uint32_t ItemColorToTColor(const TRGBTriple& color);
// Bits 24-31 are not looked at.
TRGBTriple TColorToItemColor(std::uint32_t color);

// A colour written as 0xRRGGBB (as in the code field and in tables) as a TColor, and back.
constexpr std::uint32_t TColorFromRrggbb(std::uint32_t rrggbb)
{
    return (rrggbb >> 16 & 0xFF) | (rrggbb & 0xFF00) | (rrggbb & 0xFF) << 16;
}
constexpr std::uint32_t RrggbbFromTColor(std::uint32_t color)
{
    return TColorFromRrggbb(color & 0xFFFFFF);
}

// Six upper-case hexadecimal digits, red first: pure red is "FF0000".
std::string ColorCodeText(std::uint32_t color);

// The TColor of a typed code: 1 to 6 hexadecimal digits of either case and nothing else (no
// sign, blank or prefix). A short code is right-aligned, so "FF" is blue 255.
std::optional<std::uint32_t> ParseColorCode(std::string_view text);

// The code in a pasted text, such as "#FF8800", " 00ff00 " or "0x1a2b3c": blanks around it and
// one "#", "$", "0x" or "0X" in front are dropped; what is left must be 1 to 6 hexadecimal
// digits, which are returned as they stand. "#" and three digits is the shorthand of the web
// ("#F80" gives "FF8800"); any other colour notation (editing/ColorNotation.h) gives its six
// digits in upper case. Nothing for any other text, or for one longer than a colour can be.
std::optional<std::string> ColorCodeFromPastedText(std::string_view text);
