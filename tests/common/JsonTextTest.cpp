#include "common/JsonText.h"

#include "common/Utf8.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

// Strings as JSON must carry them: escaped where JSON demands it, and valid UTF-8 whatever the
// bytes were (file names are any bytes).
TEST(JsonTextTest, StringsAreEscapedAndWellFormed)
{
    struct TRow
    {
        const char* Name;
        std::string Text;
        std::string Json;
    };
    const std::vector<TRow> rows = {
        {"plain", "Road, minor", "\"Road, minor\""},
        {"quote and backslash", "a \"b\" c\\d", "\"a \\\"b\\\" c\\\\d\""},
        {"line breaks and tab", "a\r\nb\tc", "\"a\\r\\nb\\tc\""},
        {"other controls", std::string("a\0b\x1F\x7F", 5), "\"a\\u0000b\\u001f\x7F\""},
        {"two, three and four bytes", "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x8C\x8D",
            "\"\xC3\xA9\xE2\x82\xAC\xF0\x9F\x8C\x8D\""},
        {"a lone continuation byte", "a\x80z", "\"a\xEF\xBF\xBDz\""},
        {"Windows-1252 e acute", "caf\xE9", "\"caf\xEF\xBF\xBD\""},
        {"a cut sequence at the end", "ab\xE2\x82", "\"ab\xEF\xBF\xBD\xEF\xBF\xBD\""},
        {"an overlong slash", "\xC0\xAF", "\"\xEF\xBF\xBD\xEF\xBF\xBD\""},
        {"a surrogate", "\xED\xA0\x80", "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\""},
        {"above U+10FFFF", "\xF4\x90\x80\x80",
            "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\""},
        {"empty", "", "\"\""},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        std::string json;
        AppendJsonString(json, row.Text);
        EXPECT_EQ(json, row.Json);
        EXPECT_EQ(WellFormedUtf8(json), json);
    }
}

// Numbers read back to the same double, in JSON's grammar.
TEST(JsonTextTest, NumbersReadBackExactly)
{
    const double values[] = {5.0, 0.1, 1.0 / 3.0, 21.0, 1.0345e-05, 123456.789, 0.0,
        std::nextafter(5.0, 0.0), 4.999999999999999};
    for (const double value : values) {
        const std::string text = JsonNumber(value);
        SCOPED_TRACE(text);
        double back = -1;
        const auto result = std::from_chars(text.data(), text.data() + text.size(), back);
        EXPECT_EQ(result.ptr, text.data() + text.size());
        EXPECT_EQ(back, value);
        EXPECT_EQ(text.find_first_not_of("0123456789.e+-"), std::string::npos);
    }
    EXPECT_EQ(JsonNumber(5.0), "5");
    EXPECT_EQ(JsonNumber(std::numeric_limits<double>::quiet_NaN()), "null");
    EXPECT_EQ(JsonNumber(std::numeric_limits<double>::infinity()), "null");
}

} // namespace
