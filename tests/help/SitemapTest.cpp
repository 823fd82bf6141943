#include "help/Sitemap.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using TItems = std::vector<TSitemapItem>;

std::string Object(const std::string& name, const std::string& local)
{
    return "<LI> <OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"" + name
        + "\"><param name=\"Local\" value=\"" + local + "\"></OBJECT>\n";
}

struct TSitemapRow
{
    const char* Name;
    std::string Html;
    TItems Expected;
};

class SitemapRows : public testing::TestWithParam<TSitemapRow>
{
};

TEST_P(SitemapRows, ReadsTheItems)
{
    EXPECT_EQ(ParseSitemap(GetParam().Html), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, SitemapRows,
    testing::Values(
        TSitemapRow {"NestedContents",
            "<HTML><BODY><OBJECT type=\"text/site properties\"><param name=\"Name\" "
            "value=\"Not an item\"></OBJECT><UL>"
                + Object("Welcome", "index.htm") + "<UL>" + Object("Item list", "list.htm")
                + "</UL>" + Object("Menus", "menus.htm") + "</UL></BODY></HTML>",
            {{"Welcome", "index.htm", 0}, {"Item list", "list.htm", 1}, {"Menus", "menus.htm", 0}}},
        TSitemapRow {"CaseAndQuoting",
            "<ul><li><object TYPE='Text/Sitemap'><PARAM NAME=name VALUE='A > B'>"
            "<param value=\"a.htm\" name=\"LOCAL\"></object></ul>",
            {{"A > B", "a.htm", 0}}},
        TSitemapRow {"MissingClosingTags",
            "<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"One\">"
            "<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"Two\">",
            {{"One", "", 0}, {"Two", "", 0}}},
        TSitemapRow {"FirstNameAndPageCount",
            "<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"colour\">"
            "<param name=\"Name\" value=\"Picker\"><param name=\"Local\" value=\"picker.htm\">"
            "<param name=\"Local\" value=\"other.htm\"></OBJECT></UL>",
            {{"colour", "picker.htm", 0}}},
        TSitemapRow {"CharacterReferences",
            "<UL>"
                + Object("Farben &amp; &Auml;nderungen &#228;&#xE9; &euro;&#8364; &#x4E2D;",
                    "a&amp;b.htm")
                + "</UL>",
            {{"Farben & \xC4nderungen \xE4\xE9 \x80\x80 ?", "a&b.htm", 0}}},
        TSitemapRow {"BrokenReferencesStay",
            "<UL>" + Object("&unknown; &amp &#; &#xZZ; & &#99999999999;", "a.htm") + "</UL>",
            {{"&unknown; &amp &#; &#xZZ; & &#99999999999;", "a.htm", 0}}},
        TSitemapRow {"CommentsSkipped",
            "<UL><!-- " + Object("Hidden", "h.htm") + " -->" + Object("Shown", "s.htm") + "</UL>",
            {{"Shown", "s.htm", 0}}},
        TSitemapRow {"EmptyItemsLeftOut",
            "<UL><LI><OBJECT type=\"text/sitemap\"></OBJECT>" + Object("A", "a.htm") + "</UL>",
            {{"A", "a.htm", 0}}},
        TSitemapRow {"MoreClosingListsThanOpened",
            "</UL></UL>" + Object("A", "a.htm") + "<UL><UL>" + Object("B", "b.htm"),
            {{"A", "a.htm", 0}, {"B", "b.htm", 1}}},
        TSitemapRow {"UnendedTag", "<UL>" + Object("A", "a.htm") + "<OBJECT type=\"text/sitemap",
            {{"A", "a.htm", 0}}},
        TSitemapRow {"NotHtml", "just text, no tags & no items", {}}),
    [](const testing::TestParamInfo<TSitemapRow>& info) { return info.param.Name; });

TEST(Sitemap, KeepsDeepListsAtTheDeepestLevel)
{
    std::string html;
    for (int i = 0; i < 100000; ++i)
        html += "<UL>";
    html += Object("Deep", "deep.htm");
    const TItems items = ParseSitemap(html);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].Depth, MaxSitemapDepth);
}

} // namespace
