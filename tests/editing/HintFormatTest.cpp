#include "editing/HintFormat.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>
#include <vector>

namespace {

TEST(HintFormatTest, FillsIntegerPlaceholdersAndFallsBackOnAnythingElse)
{
    const std::string builtInColor = "red: 255, green: 127, blue: 0";
    const std::vector<int> rgb = {255, 127, 0};
    const struct
    {
        const char* Name;
        TAnsiView Format;
        std::vector<int> Values;
        std::string Expected;
    } rows[] = {
        {"empty format: the built-in one", "", rgb, builtInColor},
        {"translated, Windows-1252", "rot: %d, gr\xFCn: %d, blau: %d", rgb,
            "rot: 255, gr\xFCn: 127, blau: 0"},
        {"%i and %u", "%i/%u/%d", rgb, "255/127/0"},
        {"text only around the placeholders", "(%d)(%d)(%d)", rgb, "(255)(127)(0)"},
        {"width pads on the left", "[%5d]", {42}, "[   42]"},
        {"minus pads on the right", "[%-5d]", {42}, "[42   ]"},
        {"zero flag pads with zeros after the sign", "[%05d]", {-42}, "[-0042]"},
        {"zero flag is ignored with a minus", "[%-05d]", {42}, "[42   ]"},
        {"precision gives the least digits", "[%.3d]", {7}, "[007]"},
        {"precision and width", "[%6.3d]", {-7}, "[  -007]"},
        {"zero flag is ignored with a precision", "[%06.3d]", {7}, "[   007]"},
        {"precision 0 writes nothing for 0", "[%.0d][%.d]", {0, 0}, "[][]"},
        {"plus sign", "[%+d][%+d]", {5, -5}, "[+5][-5]"},
        {"blank for the sign", "[% d][% +d]", {5, 5}, "[ 5][+5]"},
        {"%u takes no sign", "[%+u]", {5}, "[5]"},
        {"%u of a negative value", "%u", {-1}, "4294967295"},
        {"smallest int", "%d", {INT_MIN}, "-2147483648"},
        {"two-digit width is the most", "%99d", {7}, std::string(98, ' ') + "7"},
        {"two-digit precision is the most", "%.99d", {7}, std::string(98, '0') + "7"},
        {"%% is a percent sign", "Intensity: %d%%", {50}, "Intensity: 50%"},
        {"%% alone, no values", "100%%", {}, "100%"},
        {"bytes after the last placeholder", "%d\x01\xFF", {1}, "1\x01\xFF"},
        {"too few placeholders", "red %d, green %d", rgb, builtInColor},
        {"too many placeholders", "%d %d %d %d", rgb, builtInColor},
        {"%s", "red: %s, green: %d, blue: %d", rgb, builtInColor},
        {"%n", "%d%n%d%d", rgb, builtInColor},
        {"%x", "%x %x %x", rgb, builtInColor},
        {"%c", "%c%c%c", rgb, builtInColor},
        {"%p", "%p %d %d", rgb, builtInColor},
        {"star width", "%*d %d %d", rgb, builtInColor},
        {"length modifier", "%ld %d %d", rgb, builtInColor},
        {"positional argument", "%1$d %2$d %3$d", rgb, builtInColor},
        {"three-digit width", "%100d %d %d", rgb, builtInColor},
        {"three-digit precision", "%.100d %d %d", rgb, builtInColor},
        {"flags on a percent sign", "%5% %d %d %d", rgb, builtInColor},
        {"lone percent at the end", "%d %d %d %", rgb, builtInColor},
        {"percent, flags and nothing else", "%d %d %d %-0", rgb, builtInColor},
        {"precision without a conversion", "%d %d %d %.5", rgb, builtInColor},
        {"built-in that does not fit either: as it is", "%s", {1, 2},
            std::string(BuiltInColorHint)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        EXPECT_EQ(FormatIntegerHint(row.Format, row.Values, BuiltInColorHint), row.Expected);
    }
}

TEST(HintFormatTest, BuiltInFormatsFillIn)
{
    const int percent[] = {37};
    EXPECT_EQ(FormatIntegerHint("", percent, BuiltInIntensityHint), "Intensity: 37%");
    EXPECT_EQ(FormatIntegerHint("%d %d", percent, BuiltInIntensityHint), "Intensity: 37%");
}

TEST(HintFormatTest, PlaceholdersWriteWhatPrintfWrites)
{
    const char* const flagSets[] = {"", "-", "+", " ", "0", "-+", "+0", " 0", "- 0", "-+ 0"};
    const char* const widths[] = {"", "1", "5", "12", "99"};
    const char* const precisions[] = {"", ".", ".0", ".1", ".4", ".15"};
    const int values[] = {0, 1, -1, 42, -42, 123456, INT_MAX, INT_MIN};
    for (const char* flags : flagSets)
        for (const char* width : widths)
            for (const char* precision : precisions)
                for (const char conversion : {'d', 'i', 'u'}) {
                    const std::string format
                        = std::string("%") + flags + width + precision + conversion;
                    for (const int value : values) {
                        // Only these validated placeholders reach snprintf, as the measure.
                        char expected[128];
                        if (conversion == 'u')
                            std::snprintf(
                                expected, sizeof expected, format.c_str(), unsigned(value));
                        else
                            std::snprintf(expected, sizeof expected, format.c_str(), value);
                        const int one[] = {value};
                        ASSERT_EQ(FormatIntegerHint(format, one, "?"), expected)
                            << format << " with " << value;
                    }
                }
}

} // namespace
