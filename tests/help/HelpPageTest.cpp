#include "help/HelpPage.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Repeat(std::string_view text, int count)
{
    std::string repeated;
    for (int i = 0; i < count; ++i)
        repeated += text;
    return repeated;
}

TEST(HelpPage, MeasuresNestingAsTheLayoutNestsIt)
{
    const struct
    {
        const char* Name;
        std::string Html;
        int Nesting;
        int Tables;
        std::size_t Cells;
    } rows[] = {
        {"closed elements", "<html><body><div><b>x</b></div><p>y</p></body></html>", 4, 0, 0},
        {"void elements", "<p>a<br>b<img src=x><hr><BR/>", 1, 0, 0},
        {"paragraphs left open", Repeat("<p>text ", 100), 1, 0, 0},
        {"paragraph after inline", Repeat("<p><b>bold <i>italic ", 50), 3, 0, 0},
        {"paragraph after a block", Repeat("<p><div>", 10), 20, 0, 0},
        {"items left open", "<ul>" + Repeat("<li>item ", 100) + "</ul>", 2, 0, 0},
        {"nested lists", "<ul><li><ul><li><ul><li>x</ul></ul></ul>", 6, 0, 0},
        {"cells and rows left open", "<table>" + Repeat("<tr><td>a<td>b", 50), 3, 1, 100},
        {"cell without a table", "<td>x<td>y", 3, 1, 2},
        {"nested tables", Repeat("<table><tr><td>", 4) + Repeat("</td></tr></table>", 4), 12, 4, 4},
        {"end tag closes the open ones after it",
            Repeat("<div><span><b>", 30) + "</div>" + Repeat("<div>", 10), 97, 0, 0},
        {"stray end tags", Repeat("</div>", 100) + "<div>", 1, 0, 0},
        {"upper case and comments", "<DIV><!-- <div><div> --><Div></DIV>", 2, 0, 0},
        {"quoted >", "<div title=\"a>b\"><div>", 2, 0, 0},
    };
    for (const auto& row : rows) {
        const THelpPageMeasure measure = MeasureHelpPage(row.Html);
        EXPECT_FALSE(measure.TooLarge) << row.Name;
        EXPECT_EQ(std::min(measure.Nesting, MaxHelpPageNesting + 1),
            std::min(row.Nesting, MaxHelpPageNesting + 1))
            << row.Name;
        EXPECT_EQ(measure.TableNesting, row.Tables) << row.Name;
        EXPECT_EQ(measure.TableCells, row.Cells) << row.Name;
    }
}

TEST(HelpPage, PagesBeyondTheLimitsAreNotLaidOut)
{
    const auto tables = [](int depth) {
        return Repeat("<table><tr><td>", depth) + "x" + Repeat("</td></tr></table>", depth);
    };
    const struct
    {
        const char* Name;
        std::string Html;
        bool Fits;
    } rows[] = {
        {"tables at the limit", tables(MaxHelpPageTableNesting), true},
        {"tables past the limit", tables(MaxHelpPageTableNesting + 1), false},
        {"nesting at the limit", Repeat("<div>", MaxHelpPageNesting), true},
        {"nesting past the limit", Repeat("<div>", MaxHelpPageNesting + 1), false},
        {"cells at the limit", "<table><tr>" + Repeat("<td>x", int(MaxHelpPageTableCells)), true},
        {"cells past the limit", "<table><tr>" + Repeat("<td>x", int(MaxHelpPageTableCells) + 1),
            false},
        {"size at the limit", std::string(MaxHelpPageSize, 'x'), true},
        {"size past the limit", std::string(MaxHelpPageSize + 1, 'x'), false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(FitsHelpPageLayout(MeasureHelpPage(row.Html)), row.Fits) << row.Name;
}

TEST(HelpPage, PlainTextKeepsTheWordsAndTheirLines)
{
    const struct
    {
        const char* Name;
        std::string Html;
        std::string Text;
    } rows[] = {
        {"page",
            "<html><head><title>T</title><style>p{}</style></head><body><h1>Title</h1>"
            "<p>One  two\r\n three</p><p>Stra&szlig;e &amp; <b>bold</b></p></body></html>",
            "Title\nOne two three\nStra\xDF"
            "e & bold"},
        {"table rows", "<table><tr><td>a<td>b<tr><td>c</table>", "a b\nc"},
        {"script and comments", "x<script>var a = '<p>';</script><!-- hidden -->y", "xy"},
        {"line breaks", "a<br>b<br/><br>c", "a\nb\nc"},
        {"unclosed head", "<head><p>gone", ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(HelpPagePlainText(row.Html), row.Text) << row.Name;
    EXPECT_EQ(HelpPagePlainText(Repeat("<p>word ", 100000)).size(), MaxHelpPagePlainText);
}

} // namespace
