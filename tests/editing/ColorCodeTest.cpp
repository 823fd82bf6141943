#include "editing/ColorCode.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

TEST(ColorCodeTest, ItemColourAndTColorRoundTripOverALattice)
{
    for (int red = 0; red < 256; red += 15)
        for (int green = 0; green < 256; green += 17)
            for (int blue = 0; blue < 256; blue += 51) {
                const TRGBTriple item {std::uint8_t(blue), std::uint8_t(green), std::uint8_t(red)};
                const std::uint32_t color = ItemColorToTColor(item);
                ASSERT_EQ(color, std::uint32_t(red | green << 8 | blue << 16));
                ASSERT_EQ(TColorToItemColor(color), item);
                ASSERT_EQ(ParseColorCode(ColorCodeText(color)), color);
            }
}

TEST(ColorCodeTest, TopByteOfATColorIsIgnored)
{
    EXPECT_EQ(TColorToItemColor(0xFF123456), (TRGBTriple {0x12, 0x34, 0x56}));
}

TEST(ColorCodeTest, CodeTextIsSixUpperCaseDigitsRedFirst)
{
    const struct
    {
        std::uint32_t Color;
        const char* Text;
    } rows[] = {{0x0000FF, "FF0000"}, {0x0A0000, "00000A"}, {0xABCDEF, "EFCDAB"},
        {0x000000, "000000"}, {0xFFFFFF, "FFFFFF"}};
    for (const auto& row : rows)
        EXPECT_EQ(ColorCodeText(row.Color), row.Text) << row.Text;
}

TEST(ColorCodeTest, ParsesOneToSixHexDigitsOnly)
{
    const struct
    {
        const char* Name;
        const char* Text;
        std::optional<std::uint32_t> Color;
    } rows[] = {
        {"pure red", "FF0000", 0x0000FF},
        {"short code is right-aligned", "FF", 0xFF0000},
        {"one digit", "F", 0x0F0000},
        {"lower case", "ff00aa", 0xAA00FF},
        {"mixed case", "aBcDeF", 0xEFCDAB},
        {"empty", "", std::nullopt},
        {"seven digits", "1234567", std::nullopt},
        {"letter G", "G", std::nullopt},
        {"blank", "12 34", std::nullopt},
        {"leading blank", " 1234", std::nullopt},
        {"minus sign", "-1", std::nullopt},
        {"dollar prefix", "$FF", std::nullopt},
        {"0x prefix", "0xFF", std::nullopt},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ParseColorCode(row.Text), row.Color) << row.Name;
}

TEST(ColorCodeTest, PastedTextGivesItsCode)
{
    const struct
    {
        const char* Name;
        std::string Text;
        std::optional<std::string> Code;
    } rows[] = {
        {"hash prefix", "#FF8800", "FF8800"},
        {"blanks around, lower case kept", " 00ff00 ", "00ff00"},
        {"line break after", "1a2b3c\r\n", "1a2b3c"},
        {"0x prefix", "0x123", "123"},
        {"dollar prefix", "$ABCDEF", "ABCDEF"},
        {"plain", "C0FFEE", "C0FFEE"},
        {"shorthand after a hash", "#F80", "FF8800"},
        {"lower-case shorthand keeps its case", "#f80", "ff8800"},
        {"three digits after 0x stay a number", "0xF80", "F80"},
        {"decimal triple", "255, 136, 0", "FF8800"},
        {"css rgb()", "rgb(255 136 0)", "FF8800"},
        {"longer than any colour", std::string(300, ' ') + "#F80", std::nullopt},
        {"two prefixes", "#0xFF", std::nullopt},
        {"seven digits", "#1234567", std::nullopt},
        {"a word", "orange", std::nullopt},
        {"blank inside", "FF 88 00", std::nullopt},
        {"only a hash", "#", std::nullopt},
        {"empty", "", std::nullopt},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ColorCodeFromPastedText(row.Text), row.Code) << row.Name;
}

TEST(ColorCodeTest, TypingFF0000OneKeyAtATimeGivesSixColours)
{
    const char* typed[] = {"F", "FF", "FF0", "FF00", "FF000", "FF0000"};
    const std::uint32_t codes[] = {0x00000F, 0x0000FF, 0x000FF0, 0x00FF00, 0x0FF000, 0xFF0000};
    for (int i = 0; i < 6; ++i) {
        const std::uint32_t v = codes[i];
        EXPECT_EQ(ParseColorCode(typed[i]), TColorFromRrggbb(v)) << typed[i];
    }
}

} // namespace
