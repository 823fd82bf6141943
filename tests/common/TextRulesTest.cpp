#include "common/TextRules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace std::string_literals;

namespace {

TEST(TextRulesTest, TrimControlsRemovesCodesUpToBlank)
{
    struct TRow
    {
        const char* Name;
        std::string Text, Trimmed;
    };
    const std::vector<TRow> rows = {
        {"blanks", "  a b  ", "a b"},
        {"line ends and tabs", "\t\r\na\r\n", "a"},
        {"NUL and other controls",
            "\0\x01"
            "a\x1F\0"s,
            "a"},
        {"only controls", " \t\0\x1A"s, ""},
        {"DEL is kept",
            "\x7F"
            "a\x7F",
            "\x7F"
            "a\x7F"},
        {"high bytes are kept", "\xA0\xE9\xA0", "\xA0\xE9\xA0"},
        {"inner controls kept", "a\tb", "a\tb"},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        EXPECT_EQ(TrimControls(row.Text), row.Trimmed);
    }
}

TEST(TextRulesTest, CaseChangesTouchOnlyAsciiLetters)
{
    const std::string text = "AbZz@[`{\xC9\xE9\x8A\x9A";
    EXPECT_EQ(AsciiLowerCase(text), "abzz@[`{\xC9\xE9\x8A\x9A");
    EXPECT_EQ(AsciiUpperCase(text), "ABZZ@[`{\xC9\xE9\x8A\x9A");
}

TEST(TextRulesTest, SameTextAsciiFoldsOnlyLetters)
{
    struct TRow
    {
        const char* A;
        const char* B;
        bool Same;
    };
    const std::vector<TRow> rows = {
        {"DefaultLanguage", "defaultlanguage", true},
        {"", "", true},
        {"Main", "Mains", false},
        {"\xC9", "\xE9", false}, // Windows-1252 letters are not folded
        {"[", "{", false}, // differ only in the bit that folds letters
        {"@", "`", false},
        {"^", "~", false},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(std::string(row.A) + " / " + row.B);
        EXPECT_EQ(SameTextAscii(row.A, row.B), row.Same);
        EXPECT_EQ(SameTextAscii(row.B, row.A), row.Same);
    }
}

TEST(TextRulesTest, FormatTextFormatsWholeText)
{
    EXPECT_EQ(FormatText("Cannot open file \"%s\". %s", "/a b/x.clr", "No such file"),
        "Cannot open file \"/a b/x.clr\". No such file");
    EXPECT_EQ(FormatText("I/O error %d", 28), "I/O error 28");
    EXPECT_EQ(FormatText("%.3d,%.3d,%.3d", 1, 22, 255), "001,022,255");
    EXPECT_EQ(FormatText("%s", ""), "");
    EXPECT_EQ(FormatText("100%%"), "100%");
    const std::string longText(5000, 'q');
    EXPECT_EQ(FormatText("<%s>", longText.c_str()), "<" + longText + ">");
}

} // namespace
