#include "app/ShellMacros.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

// What a received macro runs: "number argument" per accepted command, joined by "|".
std::string Runs(const std::string& macro)
{
    std::vector<std::string> lines = SplitMacroLines(macro);
    SplitMacroCommands(lines);
    std::string runs;
    for (const std::string& line : lines) {
        std::int32_t number = 0;
        std::string argument;
        if (ParseMacroCommand(line, number, argument))
            runs += (runs.empty() ? "" : "|") + std::to_string(number) + " " + argument;
    }
    return runs;
}

TEST(ShellMacrosTest, RunsTheCommandsOfAMacro)
{
    struct TRow
    {
        const char* Name;
        std::string Macro;
        std::string Runs;
    };
    const std::vector<TRow> rows = {
        {"plain path", "[Open(/home/me/schemes/night.clr)]", "1 /home/me/schemes/night.clr"},
        {"quoted path", R"([Open("/home/me/schemes/night.clr")])", "1 /home/me/schemes/night.clr"},
        {"two commands in order", "[preview(/data/pv/city.cpf)] [Language(/opt/lang/French.clf)]",
            "2 /data/pv/city.cpf|3 /opt/lang/French.clf"},
        {"quoted parentheses", R"([Open("/home/me/My files (old)/a.clr")])",
            "1 /home/me/My files (old)/a.clr"},
        {"nested parentheses", "[Open(/x(1)/a.clr)]", "1 /x(1)/a.clr"},
        {"single quotes stay", "[Open('/a.clr')]", "1 '/a.clr'"},
        {"unknown name", "[Close(x)]", ""},
        {"no argument", "[Open]", ""},
        {"no name", "[(x)]", ""},
        {"any letter case", "[OPEN(a)][open(b)] [pReViEw(c)] [LANGUAGE(d)]", "1 a|1 b|2 c|3 d"},
        {"malformed one between is skipped", "[Open(a)] [Bogus] [Open b)] [Preview(c)]", "1 a|2 c"},
        {"quoted ] ends the command", R"([Open("/a]b.clr")] [Preview(c)])", ""},
        {"] before the first [ stops all", "] [Open(a)]", ""},
        {"] between commands stops the rest", "[Open(a)] ] [Preview(b)]", "1 a"},
        {"no brackets", "Open(/a.clr)", ""},
        {"text around commands", "junk [Open(a)] more (junk) [Preview(b)] tail", "1 a|2 b"},
        {"blanks around name and argument", "[  Open\t (  a  ) ]", "1 a"},
        {"text after the closing parenthesis", "[Open(a) trailing (x)]", "1 a"},
        {"empty argument", "[Open()]", "1 "},
        {"quotes removed, then trimmed", "[Open(\t\"  /a.clr \" )]", "1 /a.clr"},
        {"double quotes go inside single quotes", R"([Open('a"b')])", "1 'ab'"},
        {"single quotes hide parentheses", "[Open('a)b')]", "1 'a)b'"},
        {"unclosed quote", R"([Open("a)])", ""},
        {"unclosed parenthesis", "[Open((a)]", ""},
        {"closing before opening", "[Open)(a)]", ""},
        {"nested [", "[[Open(a)]] [Open(b)]", ""},
        {"lines joined across the command", "[Open(\r\n  /a.clr\n)]\r[Preview(b)]\n",
            "1 /a.clr|2 b"},
        {"line break inside the argument", "[Open(/a\nb.clr)]", "1 /a\r\nb.clr"},
        {"NUL bytes trimmed like blanks", "\0\0[Open(\0/a.clr\0)]\0[Preview(b)]"s, "1 /a.clr|2 b"},
        {"only NUL bytes", std::string(64, '\0'), ""},
        {"Windows-1252 bytes kept", "[Open(/home/\xC9t\xE9.clr)]", "1 /home/\xC9t\xE9.clr"},
        {"empty", "", ""},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        EXPECT_EQ(Runs(row.Macro), row.Runs);
    }
}

TEST(ShellMacrosTest, SplitsLinesAtEveryKindOfLineEnd)
{
    struct TRow
    {
        const char* Text;
        std::vector<std::string> Lines;
    };
    const std::vector<TRow> rows = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb\rc\nd", {"a", "b", "c", "d"}},
        {"a\n\nb", {"a", "", "b"}},
        {"a\r\n", {"a"}},
        {"\r\n", {""}},
        {"a\n\r", {"a", ""}},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Text);
        EXPECT_EQ(SplitMacroLines(row.Text), row.Lines);
    }
}

TEST(ShellMacrosTest, LooksUpNamesFoldingAsciiLettersOnly)
{
    struct TRow
    {
        const char* Name;
        std::int32_t Number;
    };
    const std::vector<TRow> rows = {
        {"Open", MacroOpen}, {"preview", MacroPreview}, {"LANGUAGE", MacroLanguage}, {" Open", 0},
        {"Opens", 0}, {"", 0}, {"\xD6pen", 0}, // no folding beyond ASCII: "Ö" is no "O"
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        EXPECT_EQ(LookupMacroCommand(row.Name), row.Number);
    }
}

TEST(ShellMacrosTest, LongAndDeeplyNestedMacrosTakeLinearTime)
{
    const std::string deep(10000, '(');
    const std::string shut(10000, ')');
    const std::string brackets(10000, '[');
    std::string many;
    for (int i = 0; i < 200000; ++i)
        many += "[Open(a)] ";

    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Runs("[Open(" + deep + "a" + shut + ")]"), "1 " + deep + "a" + shut);
    EXPECT_EQ(Runs(brackets + "Open(a)" + std::string(10000, ']')), "");
    EXPECT_EQ(Runs("[Open(" + deep + "a)]"), "");
    std::vector<std::string> lines = {many};
    SplitMacroCommands(lines);
    EXPECT_EQ(lines.size(), 200000u);
    // A rescan from the start after each command would take minutes here.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

} // namespace
