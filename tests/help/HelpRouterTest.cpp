#include "help/HelpRouter.h"

#include "common/Error.h"
#include "help/HelpViewers.h"

#include <QCursor>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// Writes down each call as "call file detail"; shows nothing for context 9.
class TFakeViewers : public THelpViewers
{
public:
    explicit TFakeViewers(std::vector<std::string>& log)
        : FLog(log)
    { }

    bool OpenContents(const std::filesystem::path& file) override
    {
        return Note("contents " + file.string(), 0);
    }
    bool OpenIndex(const std::filesystem::path& file, TAnsiView keyword) override
    {
        return Note("index " + file.string() + " '" + std::string(keyword) + "'", 0);
    }
    bool OpenTopic(const std::filesystem::path& file, std::uint32_t context) override
    {
        return Note("topic " + file.string() + " " + std::to_string(context), context);
    }
    bool ShowPopup(
        const std::filesystem::path& file, std::uint32_t context, const QPoint& at) override
    {
        return Note("popup " + file.string() + " " + std::to_string(context) + " at "
                + std::to_string(at.x()) + "," + std::to_string(at.y()),
            context);
    }
    void CloseAll() override { Note("close", 0); }

private:
    bool Note(std::string call, std::uint32_t context)
    {
        FLog.push_back(std::move(call));
        return context != 9;
    }

    std::vector<std::string>& FLog;
};

TEST(HelpRouter, HandsEachRequestToItsViewer)
{
    std::vector<std::string> log;
    THelpRouter router(std::make_unique<TFakeViewers>(log));
    QCursor::setPos(300, 200);
    struct TRow
    {
        const char* Helpfile;
        THelpCommand Command;
        std::uint32_t Data;
        bool Result;
        std::vector<std::string> Calls;
    };
    const TRow rows[] = {
        // Nothing has been opened yet, so there is nothing to close.
        {"/p/Help/help-de.chm", HELP_QUIT, 0, true, {}},
        {"", HELP_TAB, 0, true, {"contents .chm"}},
        {"/p/Help/help-de.chm", HELP_KEY, 0, true, {"index /p/Help/help-de.chm 'Farbe'"}},
        {"/p/Help/help-de.chm", HELP_CONTEXT, 9, false, {"topic /p/Help/help-de.chm 9"}},
        {"/p/Help/help-fr.chm", HELP_SETPOPUP_POS, PopupPositionData(-40, 70), true, {}},
        {"/p/Help/help-fr.chm", HELP_CONTEXTPOPUP, 1005, true,
            {"popup /p/Help/help-fr.hlp 1005 at -40,70"}},
        // The position served one popup; the next one without its own is at the mouse.
        {"/p/Help/help-fr.chm", HELP_CONTEXTPOPUP, 9, false,
            {"popup /p/Help/help-fr.hlp 9 at 300,200"}},
        {"/p/Help/help-fr.chm", HELP_QUIT, 0, true, {"close"}},
        {"/p/Help/help-fr.chm", 4, 0, false, {}},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Command);
        log.clear();
        router.SetHelpfile(row.Helpfile);
        EXPECT_EQ(router.HelpRequest(row.Command, row.Data, "Farbe"), row.Result);
        EXPECT_EQ(log, row.Calls);
    }
}

TEST(HelpRouter, IsTheOnlyOne)
{
    std::vector<std::string> log;
    {
        THelpRouter first(std::make_unique<TFakeViewers>(log));
        EXPECT_EQ(THelpRouter::Instance(), &first);
        try {
            THelpRouter second;
            ADD_FAILURE() << "a second router was made";
        } catch (const TError& error) {
            EXPECT_STREQ(error.what(), "Multiple instances of THelpRouter are not allowed");
        }
        EXPECT_EQ(THelpRouter::Instance(), &first);
    }
    EXPECT_EQ(THelpRouter::Instance(), nullptr);
    THelpRouter next(std::make_unique<TFakeViewers>(log));
    EXPECT_EQ(THelpRouter::Instance(), &next);
}

} // namespace
