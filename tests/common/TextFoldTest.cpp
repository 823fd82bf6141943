#include "common/TextFold.h"

#include <gtest/gtest.h>

namespace {

TEST(TextFoldTest, FoldsCaseAndAccentsOfWindows1252)
{
    const struct
    {
        const char* Name;
        const char* Text; // Windows-1252
        const char* Folded;
    } rows[] = {
        {"ASCII capitals", "Main ROAD", "main road"},
        {"umlaut", "Gr\xFCn", "grun"},
        {"accented capitals and small letters", "\xC9\xE9\xC0\xE0\xD1\xF1\xC7\xE7", "eeaanncc"},
        {"sharp s",
            "Stra\xDF"
            "e",
            "strasse"},
        {"ligatures", "\xC6\xE6\x8C\x9C", "aeaeoeoe"},
        {"letters of their own", "\xD8\xF8\xD0\xF0\xDE\xFE", "ooddthth"},
        {"caron and y diaeresis", "\x8A\x9A\x8E\x9E\x9F\xFF", "sszzyy"},
        {"signs stay", "\xD7\xF7 \x80 5% #F80", "\xD7\xF7 \x80 5% #f80"},
        {"unassigned bytes stay", "\x81\x8D\x8F\x90\x9D", "\x81\x8D\x8F\x90\x9D"},
        {"empty", "", ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(FoldForSearch(row.Text), row.Folded) << row.Name;
}

} // namespace
