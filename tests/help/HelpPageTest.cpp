#include "help/HelpPage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

std::string Repeat(std::string_view text, int count)
{
    std::string repeated;
    for (int i = 0; i < count; ++i)
        repeated += text;
    return repeated;
}

// The body of a rewritten page.
std::string Body(const std::string& html)
{
    const std::string page = SanitizeHelpPage(html).Html;
    const std::size_t start = page.find("<body>");
    const std::size_t end = page.rfind("</body>");
    if (start == std::string::npos || end == std::string::npos)
        return "no body: " + page;
    return page.substr(start + 6, end - start - 6);
}

TEST(HelpPage, RewrittenPagesNestAsTheyWereRead)
{
    const auto tables = [](const std::string& open, int depth) {
        return Repeat(open + "<tr><td>", depth) + "x" + Repeat("</td></tr></table>", depth);
    };
    const struct
    {
        const char* Name;
        std::string Html;
        int Nesting;
        int Tables;
        std::size_t Cells;
    } rows[] = {
        {"closed elements", "<html><body><div><b>x</b></div><p>y</p></body></html>", 2, 0, 0},
        {"void elements", "<p>a<br>b<img src=x><hr><BR/>", 2, 0, 0},
        {"paragraphs left open", Repeat("<p>text ", 100), 1, 0, 0},
        {"paragraph after inline", Repeat("<p><b>bold <i>italic ", 50), 3, 0, 0},
        {"paragraph after a block", Repeat("<p><div>", 10), 10, 0, 0},
        {"items left open", "<ul>" + Repeat("<li>item ", 100) + "</ul>", 2, 0, 0},
        {"nested lists", "<ul><li><ul><li><ul><li>x</ul></ul></ul>", 6, 0, 0},
        {"cells and rows left open", "<table>" + Repeat("<tr><td>a<td>b", 50), 3, 1, 100},
        {"cell without a table", "<td>x<td>y", 0, 0, 0},
        {"nested tables", tables("<table>", 4), 12, 4, 4},
        {"end tag closes the open ones after it",
            Repeat("<div><span><b>", 30) + "</div>" + Repeat("<div>", 10), 39, 0, 0},
        {"stray end tags", Repeat("</div>", 100) + "<div>", 1, 0, 0},
        {"upper case and comments", "<DIV><!-- <div><div> --><Div></DIV>", 2, 0, 0},
        {"quoted >", "<div title=\"a>b\"><div>", 2, 0, 0},
        // What Qt reads as a table but another reader might not: each is read here once, and
        // Qt only sees what was read.
        {"blank after <", tables("< table>", 6), 0, 0, 0},
        {"quoted name", tables("<\"table\">", 6), 0, 0, 0},
        {"reference in the name", tables("<&#116;able>", 6), 0, 0, 0},
        {"stray quote in a tag", "<span x\">" + tables("<table>", 6), 12, 4, 6},
        {"tables past the limit", tables("<table>", MaxHelpPageTableNesting + 2), 12, 4, 6},
        {"nesting past the limit", Repeat("<div>", MaxHelpPageNesting + 10), MaxHelpPageNesting, 0,
            0},
        {"cells past the limit", "<table><tr>" + Repeat("<td>x", int(MaxHelpPageTableCells) + 10),
            3, 1, MaxHelpPageTableCells},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        const TSanitizedHelpPage page = SanitizeHelpPage(row.Html);
        EXPECT_EQ(page.Measure.Nesting, row.Nesting);
        EXPECT_EQ(page.Measure.TableNesting, row.Tables);
        EXPECT_EQ(page.Measure.TableCells, row.Cells);
        EXPECT_FALSE(page.Measure.Cut);
        EXPECT_EQ(SanitizeHelpPage(page.Html).Html, page.Html) << "not read back as written";
    }
}

TEST(HelpPage, RewritesPagesAsStrictHtml)
{
    const struct
    {
        const char* Name;
        std::string Html;
        std::string Body;
    } rows[] = {
        {"implied items", "<ul>one<li>two", "<ul><li>one</li><li>two</li></ul>"},
        {"implied rows and cells", "<table> <td>a</table>", "<table><tr><td>a</td></tr></table>"},
        {"blocks end paragraphs and text", "<p><b>x<div>y", "<p><b>x</b></p><div>y</div>"},
        {"a link ends a link", "<a href=1>x<a href=2>y", "<a href=\"1\">x</a><a href=\"2\">y</a>"},
        {"references", "a &amp; b &lt; &rarr; &Delta; &eacute;&#150;&#x41; &bogus; &#0; &amp",
            "a &amp; b &lt; &#8594; &#916; \xE9\x96"
            "A &amp;bogus; &#65533; &amp;amp"},
        {"controls",
            std::string("a\x01\x7F\x81"
                        "b\r\nc\0d",
                11),
            "ab\ncd"},
        {"blank after <", "< table>x", "&lt; table&gt;x"},
        {"quoted name", "<\"table\">x", "&lt;\"table\"&gt;x"},
        {"reference in the name", "<&#116;able>x", "&lt;table&gt;x"},
        {"stray quote in a tag", "<span x\">y</span>z\"", "<span>y</span>z\""},
        {"tag cut off at the end", "x<span title=\"y", "x"},
        {"attributes",
            "<a HREF='page.htm#x' onclick=\"evil()\" style=\"font-size:999px\" name=top>l</a>",
            "<a href=\"page.htm#x\" name=\"top\">l</a>"},
        {"attribute values",
            "<table border=99 cellpadding=03 width=50% id=\"a b\" class=\"c d\"><tr>"
            "<td align=CENTER valign=top width=9999>x</table><img src=\"a&quot;b.png\" "
            "width=\"-1\" height=20 alt=\"<&>\">",
            "<table class=\"c d\" cellpadding=\"3\" width=\"50%\"><tr><td align=\"center\" "
            "valign=\"top\">x</td></tr></table><img src=\"a&quot;b.png\" alt=\"&lt;&amp;&gt;\" "
            "height=\"20\">"},
        {"other elements keep their text", "<font size=7><blink>t</blink></font><center>c", "tc"},
        {"scripts, styles and comments go",
            "<script>var a = '<table>';</script><style>p {}</style><!-- <b> -->x<?php ?>", "x"},
        {"definitions", "<dl><dt>term<dd>text<dt>next</dl>",
            "<dl><dt>term</dt><dd>text</dd><dt>next</dt></dl>"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Body(row.Html), row.Body) << row.Name;
        EXPECT_EQ(
            SanitizeHelpPage(SanitizeHelpPage(row.Html).Html).Html, SanitizeHelpPage(row.Html).Html)
            << row.Name;
    }
    EXPECT_EQ(SanitizeHelpPage("<!DOCTYPE HTML>\n<html lang=en>\n<head>\n<meta charset=x>\n"
                               "<title>T &amp; U</title><title>second</title>\n"
                               "<link rel=\"stylesheet\" type=\"text/css\" href=\"help.css\">\n"
                               "<link rel=icon href=x.png></head>\n<body>\n<h1>H</h1>\n</body>")
                  .Html,
        "<html><head><title>T &amp; U</title><link rel=\"stylesheet\" type=\"text/css\" "
        "href=\"help.css\"></head><body><h1>H</h1>\n</body></html>");
}

TEST(HelpPage, RewritingStopsAtItsLimits)
{
    const TSanitizedHelpPage elements = SanitizeHelpPage(Repeat("<b>x</b>", 30000));
    EXPECT_EQ(elements.Measure.Elements, MaxHelpPageElements);
    EXPECT_NE(elements.Html.find(Repeat("x", 60)), std::string::npos) << "the text is kept";
    const TSanitizedHelpPage body = SanitizeHelpPage(std::string(MaxHelpPageBodySize / 4, '&'));
    EXPECT_TRUE(body.Measure.Cut);
    EXPECT_LE(body.Html.size(), MaxHelpPageBodySize + 100);
    EXPECT_EQ(SanitizeHelpPage(body.Html).Html, body.Html);
    // A long word gets places to break, which a second rewriting keeps as they are.
    const std::string breaks = Repeat(Repeat("x", MaxHelpPageWordLength) + "&#8203;", 3);
    EXPECT_EQ(Body("<p>" + Repeat("x", 3 * MaxHelpPageWordLength + 8) + " y</p>"),
        "<p>" + breaks + "xxxxxxxx y</p>");
    EXPECT_EQ(Body("<b>" + Repeat("x", MaxHelpPageWordLength - 1) + "</b>xx"),
        "<b>" + Repeat("x", MaxHelpPageWordLength - 1) + "</b>x&#8203;x");
}

// Our own pages lose no element and no word.
TEST(HelpPage, ShippedPagesKeepEverything)
{
    int pages = 0;
    for (const auto& entry :
        std::filesystem::recursive_directory_iterator(TINTWRIGHT_HELP_SOURCES)) {
        if (entry.path().extension() != ".htm")
            continue;
        SCOPED_TRACE(entry.path().string());
        ++pages;
        std::ifstream file(entry.path(), std::ios::binary);
        std::string html((std::istreambuf_iterator<char>(file)), {});
        // The plain text keeps names the code page lacks as written; the rewritten page has
        // their numbers.
        for (const auto& [name, number] :
            {std::pair("&rarr;", "&#8594;"), std::pair("&Delta;", "&#916;")}) {
            for (std::size_t at = html.find(name); at != std::string::npos; at = html.find(name))
                html.replace(at, std::string_view(name).size(), number);
        }
        const std::string body = html.substr(html.find("<body>"));
        const TSanitizedHelpPage page = SanitizeHelpPage(html);
        EXPECT_EQ(HelpPagePlainText(page.Html), HelpPagePlainText(html));
        EXPECT_EQ(std::count(page.Html.begin(), page.Html.end(), '<'),
            std::count(body.begin(), body.end(), '<') + 6)
            << "<html><head><title></title><link></head> and </html>";
    }
    EXPECT_GE(pages, 60);
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
    // A page too large to read as HTML is shown as this text, rewritten; a word is counted on
    // across tags.
    EXPECT_EQ(PlainTextHelpPage("<h1>a &lt; b</h1><p>" + Repeat("x", 70) + "<table>").Html,
        "<html><head></head><body><p>a &lt; b<br>" + Repeat("x", MaxHelpPageWordLength - 1)
            + "&#8203;xxxxxxx</p></body></html>");
}

} // namespace
