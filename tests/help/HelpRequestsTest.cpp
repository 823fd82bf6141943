#include "help/HelpRequests.h"

#include <gtest/gtest.h>

namespace {

using enum THelpViewerCall;

TEST(HelpRoutes, EachRequestGoesToItsViewer)
{
    const std::filesystem::path chm = "/p/Help/help-de.chm", hlp = "/p/Help/help-de.hlp";
    struct TRow
    {
        const char* Name;
        THelpCommand Command;
        std::uint32_t Data;
        bool HtmlHelpUsed;
        THelpRoute Expected;
    };
    const TRow rows[] = {
        {"topic", HELP_CONTEXT, 1001, false, {OpenTopic, chm, 1001, 0, 0, "", true}},
        {"contents", HELP_CONTENTS, 0, false, {OpenContents, chm, 0, 0, 0, "", true}},
        {"finder", HELP_FINDER, 0, true, {OpenContents, chm, 0, 0, 0, "", true}},
        {"tab 0", HELP_TAB, 0, false, {OpenContents, chm, 0, 0, 0, "", true}},
        {"tab 7", HELP_TAB, 7, false, {OpenIndex, chm, 0, 0, 0, "", true}},
        {"key", HELP_KEY, 0, false, {OpenIndex, chm, 0, 0, 0, "Farbe", true}},
        {"partial key", HELP_PARTIALKEY, 0, false, {OpenIndex, chm, 0, 0, 0, "Farbe", true}},
        {"quit before use", HELP_QUIT, 0, false, {Nothing, {}, 0, 0, 0, "", false}},
        {"quit after use", HELP_QUIT, 0, true, {CloseAll, {}, 0, 0, 0, "", true}},
        {"popup", HELP_CONTEXTPOPUP, 1005, false, {ShowPopup, hlp, 1005, 0, 0, "", false}},
        {"popup position", HELP_SETPOPUP_POS, PopupPositionData(-640, 480), true,
            {SetPopupPosition, hlp, 0, -640, 480, "", false}},
        {"help on help", 4, 0, false, {Fail, {}, 0, 0, 0, "", true}},
        {"macro", 0x102, 0, true, {Fail, {}, 0, 0, 0, "", true}},
    };
    for (const TRow& row : rows) {
        EXPECT_EQ(RouteHelpRequest(
                      row.Command, row.Data, "Farbe", "/p/Help/help-de.chm", row.HtmlHelpUsed),
            row.Expected)
            << row.Name;
    }
}

TEST(HelpRoutes, EveryHelpFileHasAChmAndAnHlpTwin)
{
    const std::filesystem::path rows[][3] = {
        {"/p/Help/help-de.hlp", "/p/Help/help-de.chm", "/p/Help/help-de.hlp"},
        {"/p/Help/Hilfe.HTM", "/p/Help/Hilfe.chm", "/p/Help/Hilfe.hlp"},
        {"/p/Help/help", "/p/Help/help.chm", "/p/Help/help.hlp"},
        {"/p/Help/help.de.txt", "/p/Help/help.de.chm", "/p/Help/help.de.hlp"},
        {"/p/help.d/help", "/p/help.d/help.chm", "/p/help.d/help.hlp"},
        // No language applied yet, and a language whose HelpFile is empty.
        {"", ".chm", ".hlp"},
        {"/p/Help/", "/p/Help/.chm", "/p/Help/.hlp"},
    };
    for (const auto& [helpfile, chm, hlp] : rows) {
        EXPECT_EQ(RouteHelpRequest(HELP_TAB, 0, "", helpfile, false).File, chm);
        EXPECT_EQ(RouteHelpRequest(HELP_CONTEXTPOPUP, 1, "", helpfile, false).File, hlp);
    }
}

TEST(HelpRoutes, PopupPositionsKeepTheirSign)
{
    EXPECT_EQ(PopupPositionData(0x123, 0x456), 0x04560123u);
    const int rows[][4]
        = {{1920, 1080, 1920, 1080}, {-1200, -1, -1200, -1}, {40000, -40000, 32767, -32768}};
    for (const auto& [x, y, readX, readY] : rows) {
        EXPECT_EQ(PopupPositionX(PopupPositionData(x, y)), readX);
        EXPECT_EQ(PopupPositionY(PopupPositionData(x, y)), readY);
    }
}

} // namespace
