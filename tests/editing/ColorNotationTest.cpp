#include "editing/ColorNotation.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

std::optional<unsigned> Rgb(std::string_view text)
{
    const auto color = ParseColorNotation(text);
    if (!color)
        return std::nullopt;
    return unsigned(color->rgbtRed) << 16 | unsigned(color->rgbtGreen) << 8 | color->rgbtBlue;
}

TEST(ColorNotationTest, ReadsTheCommonNotations)
{
    const struct
    {
        const char* Name;
        std::string Text;
        std::optional<unsigned> Color;
    } rows[] = {
        {"shorthand after a hash", "#F80", 0xFF8800},
        {"lower-case shorthand", "#f80", 0xFF8800},
        {"six digits after a hash", "#FF8800", 0xFF8800},
        {"six digits alone, lower case", "ff8800", 0xFF8800},
        {"six decimal digits are hexadecimal", "123456", 0x123456},
        {"commas", "255,136,0", 0xFF8800},
        {"commas and blanks", "255, 136, 0", 0xFF8800},
        {"blanks", "255 136 0", 0xFF8800},
        {"several blanks and a tab", "255  136\t0", 0xFF8800},
        {"leading zeros, as the colour file writes them", "255,136,000", 0xFF8800},
        {"rgb()", "rgb(255, 136, 0)", 0xFF8800},
        {"rgb() with blanks, upper case", "RGB( 255 136 0 )", 0xFF8800},
        {"blanks and a line break around", "  #ff8800\r\n", 0xFF8800},
        {"black", "0,0,0", 0x000000},
        {"shorthand needs the hash", "F80", std::nullopt},
        {"four digits", "#F800", std::nullopt},
        {"seven digits", "#FF88001", std::nullopt},
        {"not hexadecimal", "#GG8800", std::nullopt},
        {"above 255", "256,0,0", std::nullopt},
        {"negative", "-1,0,0", std::nullopt},
        {"two components", "255,136", std::nullopt},
        {"four components", "255,136,0,1", std::nullopt},
        {"empty component", "255,,0", std::nullopt},
        {"commas and blanks mixed as separators", "255, 136 0", std::nullopt},
        {"percentages", "rgb(100%, 50%, 0%)", std::nullopt},
        {"rgba", "rgba(255, 136, 0, 1)", std::nullopt},
        {"unclosed rgb", "rgb(255, 136, 0", std::nullopt},
        {"0x prefix is no notation of a colour", "0xFF8800", std::nullopt},
        {"a colour name", "orange", std::nullopt},
        {"only a hash", "#", std::nullopt},
        {"empty", "", std::nullopt},
        {"too long, blanks and all", std::string(MaxColorNotationLength, ' ') + "#F80",
            std::nullopt},
    };
    for (const auto& row : rows)
        EXPECT_EQ(Rgb(row.Text), row.Color) << row.Name;
}

TEST(ColorNotationTest, WritesAndReadsBackTheHashCode)
{
    for (unsigned rgb : {0x000000u, 0x00000Au, 0xFF8800u, 0xFFFFFFu}) {
        const TRGBTriple color {std::uint8_t(rgb), std::uint8_t(rgb >> 8), std::uint8_t(rgb >> 16)};
        const std::string code = HashColorCode(color);
        EXPECT_EQ(code.size(), 7u);
        EXPECT_EQ(Rgb(code), rgb) << code;
    }
    EXPECT_EQ(HashColorCode({0x00, 0x88, 0xFF}), "#FF8800");
}

} // namespace
