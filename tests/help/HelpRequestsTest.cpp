#include "help/HelpRequests.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using enum THelpViewerCall;

const std::filesystem::path Helpfile = "/opt/tintwright/Help/help-de.chm";
const std::filesystem::path Chm = "/opt/tintwright/Help/help-de.chm";
const std::filesystem::path Hlp = "/opt/tintwright/Help/help-de.hlp";

struct TRouteRow
{
    const char* Name;
    THelpCommand Command;
    std::uint32_t Data;
    bool HtmlHelpUsed;
    THelpRoute Expected;
};

class HelpRoutes : public testing::TestWithParam<TRouteRow>
{
};

TEST_P(HelpRoutes, GoToTheirViewer)
{
    const TRouteRow& row = GetParam();
    const std::string keyword
        = row.Command == HELP_KEY || row.Command == HELP_PARTIALKEY ? "colour code" : "ignored";
    EXPECT_EQ(
        RouteHelpRequest(row.Command, row.Data, keyword, Helpfile, row.HtmlHelpUsed), row.Expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, HelpRoutes,
    testing::Values(
        TRouteRow {"Topic", HELP_CONTEXT, 1001, false, {OpenTopic, Chm, 1001, 0, 0, "", true}},
        TRouteRow {"Contents", HELP_CONTENTS, 0, false, {OpenContents, Chm, 0, 0, 0, "", true}},
        TRouteRow {"Finder", HELP_FINDER, 0, true, {OpenContents, Chm, 0, 0, 0, "", true}},
        TRouteRow {"TabZero", HELP_TAB, 0, false, {OpenContents, Chm, 0, 0, 0, "", true}},
        TRouteRow {"TabOther", HELP_TAB, 7, false, {OpenIndex, Chm, 0, 0, 0, "", true}},
        TRouteRow {"Key", HELP_KEY, 0, false, {OpenIndex, Chm, 0, 0, 0, "colour code", true}},
        TRouteRow {"PartialKey", HELP_PARTIALKEY, 0, false,
            {OpenIndex, Chm, 0, 0, 0, "colour code", true}},
        TRouteRow {"QuitBeforeUse", HELP_QUIT, 0, false, {Nothing, {}, 0, 0, 0, "", false}},
        TRouteRow {"QuitAfterUse", HELP_QUIT, 0, true, {CloseAll, {}, 0, 0, 0, "", true}},
        TRouteRow {
            "Popup", HELP_CONTEXTPOPUP, 1005, false, {ShowPopup, Hlp, 1005, 0, 0, "", false}},
        TRouteRow {"PopupPosition", HELP_SETPOPUP_POS, PopupPositionData(640, 480), true,
            {SetPopupPosition, Hlp, 0, 640, 480, "", false}},
        TRouteRow {"Unknown", 4, 0, false, {Fail, {}, 0, 0, 0, "", true}},
        TRouteRow {"HelpOnHelp", 4, 0, true, {Fail, {}, 0, 0, 0, "", true}},
        TRouteRow {"MacroCommand", 0x102, 0, false, {Fail, {}, 0, 0, 0, "", true}}),
    [](const testing::TestParamInfo<TRouteRow>& info) { return info.param.Name; });

TEST(HelpRoutes, EveryHelpFileHasAChmAndAnHlpTwin)
{
    struct TRow
    {
        std::filesystem::path Helpfile, Chm, Hlp;
    };
    const TRow rows[] = {
        {"/p/Help/help-de.chm", "/p/Help/help-de.chm", "/p/Help/help-de.hlp"},
        {"/p/Help/help-de.hlp", "/p/Help/help-de.chm", "/p/Help/help-de.hlp"},
        {"/p/Help/Hilfe.HTM", "/p/Help/Hilfe.chm", "/p/Help/Hilfe.hlp"},
        {"/p/Help/help", "/p/Help/help.chm", "/p/Help/help.hlp"},
        {"/p/Help/help.de.txt", "/p/Help/help.de.chm", "/p/Help/help.de.hlp"},
        // A dot in a folder name is not an extension.
        {"/p/help.d/help", "/p/help.d/help.chm", "/p/help.d/help.hlp"},
        // No language applied yet: no folder at all.
        {"", ".chm", ".hlp"},
        // A language whose HelpFile key is empty names the folder itself.
        {"/p/Help/", "/p/Help/.chm", "/p/Help/.hlp"},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Helpfile);
        EXPECT_EQ(RouteHelpRequest(HELP_TAB, 0, "", row.Helpfile, false).File, row.Chm);
        EXPECT_EQ(RouteHelpRequest(HELP_CONTEXTPOPUP, 1, "", row.Helpfile, false).File, row.Hlp);
    }
}

TEST(HelpRoutes, PopupPositionsKeepTheirSign)
{
    const std::pair<int, int> points[][2] = {
        {{0, 0}, {0, 0}},
        {{1920, 1080}, {1920, 1080}},
        {{-1200, 300}, {-1200, 300}},
        {{300, -1}, {300, -1}},
        {{40000, -40000}, {32767, -32768}},
    };
    for (const auto& [given, read] : points) {
        const std::uint32_t data = PopupPositionData(given.first, given.second);
        EXPECT_EQ(PopupPositionX(data), read.first) << given.first;
        EXPECT_EQ(PopupPositionY(data), read.second) << given.second;
    }
    // x in the low word, y in the high word.
    EXPECT_EQ(PopupPositionData(0x123, 0x456), 0x04560123u);
}

} // namespace
