#include "help/HelpFile.h"

#include "help/HelpPage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

const std::uint32_t Contexts[] = {1001, 1002, 1004, 1005, 1006};

class ShippedHelp : public testing::TestWithParam<std::string>
{
protected:
    ShippedHelp()
        : FHelp(std::filesystem::path(TINTWRIGHT_HELP_DIR) / ("help-" + GetParam() + ".chm"))
    { }

    // True when the link leads to a page the archive holds.
    bool LeadsToPage(const TAnsiString& link) const
    {
        const auto path = FHelp.TopicPath(link);
        const auto page = path ? FHelp.Read(path->substr(0, path->find('#'))) : std::nullopt;
        return page && page->find("<h1>") != std::string::npos;
    }

    THelpFile FHelp;
};

TEST_P(ShippedHelp, NamesItsContentsIndexAndFirstPage)
{
    ASSERT_TRUE(FHelp.IsOpen());
    EXPECT_EQ(FHelp.System().ContentsFile, "help-" + GetParam() + ".hhc");
    EXPECT_EQ(FHelp.System().IndexFile, "help-" + GetParam() + ".hhk");
    EXPECT_FALSE(FHelp.System().Title.empty());
    EXPECT_EQ(FHelp.DefaultTopic(), "/index.htm");
}

TEST_P(ShippedHelp, ContentsAndIndexLeadToPages)
{
    const std::vector<TSitemapItem> contents = FHelp.Contents();
    const std::vector<TSitemapItem> index = FHelp.Index();
    EXPECT_GE(contents.size(), 12u);
    EXPECT_GE(index.size(), 20u);
    int deepest = 0;
    for (const TSitemapItem& item : contents) {
        deepest = std::max(deepest, item.Depth);
        // Headings have no page of their own.
        if (!item.Local.empty()) {
            EXPECT_TRUE(LeadsToPage(item.Local)) << item.Name << " -> " << item.Local;
        }
    }
    EXPECT_EQ(deepest, 2);
    for (const TSitemapItem& item : index)
        EXPECT_TRUE(LeadsToPage(item.Local)) << item.Name << " -> " << item.Local;
    // Every page is laid out as the page it is: rewriting it for the view keeps every tag of
    // its body and adds none (<html><head><title></title><link></head> come before).
    for (const std::string& path : FHelp.Archive().Entries()) {
        if (path.ends_with(".htm")) {
            const std::string page = *FHelp.Read(path);
            const std::string body = page.substr(page.find("<body>"));
            const std::string shown = SanitizeHelpPage(page).Html;
            EXPECT_EQ(std::count(shown.begin(), shown.end(), '<'),
                std::count(body.begin(), body.end(), '<') + 6)
                << path;
        }
    }
}

TEST_P(ShippedHelp, EveryContextHasATopicAndAPopup)
{
    for (const std::uint32_t context : Contexts) {
        SCOPED_TRACE(context);
        const auto topic = FHelp.TopicForContext(context);
        ASSERT_TRUE(topic.has_value());
        EXPECT_TRUE(LeadsToPage(*topic));
        const auto popup = FHelp.PopupText(context);
        ASSERT_TRUE(popup.has_value());
        EXPECT_GT(popup->size(), 40u);
    }
    EXPECT_EQ(FHelp.TopicForContext(1003), std::nullopt);
    EXPECT_EQ(FHelp.PopupText(1003), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Languages, ShippedHelp, testing::Values("en", "de", "fr"));

TEST(HelpFile, TranslationsAreWindows1252)
{
    const THelpFile german(std::filesystem::path(TINTWRIGHT_HELP_DIR) / "help-de.chm");
    EXPECT_EQ(german.Contents().at(2).Name, "Einen Eintrag w\xE4hlen");
    const THelpFile french(std::filesystem::path(TINTWRIGHT_HELP_DIR) / "help-fr.chm");
    EXPECT_NE(french.PopupText(1001)->find("\xE9l\xE9ments"), std::string::npos);
}

TEST(HelpFile, MissingFileHoldsNothing)
{
    const THelpFile help(std::filesystem::path(TINTWRIGHT_HELP_DIR) / "help-xx.chm");
    EXPECT_FALSE(help.IsOpen());
    EXPECT_TRUE(help.Contents().empty());
    EXPECT_TRUE(help.Index().empty());
    EXPECT_EQ(help.DefaultTopic(), std::nullopt);
    EXPECT_EQ(help.TopicForContext(1001), std::nullopt);
    EXPECT_EQ(help.PopupText(1001), std::nullopt);
}

} // namespace
