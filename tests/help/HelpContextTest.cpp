#include "help/HelpContext.h"

#include "HelpCallPrinter.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

THelpContextLevel Control(std::int32_t own, std::int32_t buddy = 0, std::int32_t tag = 0)
{
    return {false, own, buddy, tag};
}

const THelpContextLevel Window {true, 0, 0, 0};

TEST(HelpContext, FirstLevelWithAContextGivesIt)
{
    TWhatsThisOptions noForm, withTag;
    noForm.InheritFormContext = false;
    withTag.UseTag = true;
    struct TRow
    {
        const char* Name;
        std::vector<THelpContextLevel> Levels;
        TWhatsThisOptions Options;
        std::int32_t Expected;
    };
    const TRow rows[] = {
        {"own", {Control(1001), Control(0), Window}, {}, 1001},
        {"from the group", {Control(0), Control(1002), Control(7), Window}, {}, 1002},
        {"label's buddy", {Control(0, 1005), Control(1002), Window}, {}, 1005},
        {"own before the buddy's", {Control(1004, 1005), Window}, {}, 1004},
        {"none", {Control(0), Control(0), Window}, {}, 0},
        {"window's own", {Control(0), {true, 77, 0, 0}}, {}, 77},
        {"window skipped", {Control(0), {true, 77, 0, 0}}, noForm, 0},
        {"tag unused", {Control(0, 0, 5), Control(1002), Window}, {}, 1002},
        {"tag used", {Control(0, 0, 5), Control(1002), Window}, withTag, 5},
        {"context before tag", {Control(9, 0, 5), Window}, withTag, 9},
        {"nothing at all", {}, {}, 0},
    };
    for (const TRow& row : rows)
        EXPECT_EQ(FindHelpContext(row.Levels, row.Options), row.Expected) << row.Name;
}

TEST(HelpContext, PopupRequests)
{
    TWhatsThisOptions quiet;
    quiet.NoContextHelp = false;
    const THelpCall at120x80 {HELP_SETPOPUP_POS, PopupPositionData(120, 80)};
    using enum TPopupPlacement;
    struct TRow
    {
        const char* Name;
        std::int32_t Context;
        int X, Y;
        TWhatsThisOptions Options;
        TPopupPlacement Placement;
        std::vector<THelpCall> Expected;
    };
    const TRow rows[] = {
        {"at the point", 1001, 120, 80, {}, NonZeroPoint, {at120x80, {HELP_CONTEXTPOPUP, 1001}}},
        {"x is zero", 1001, 0, 80, {}, NonZeroPoint, {{HELP_CONTEXTPOPUP, 1001}}},
        {"y is zero", 1001, 120, 0, {}, NonZeroPoint, {{HELP_CONTEXTPOPUP, 1001}}},
        {"menu sends any point", 1001, 0, 80, {}, AlwaysPoint,
            {{HELP_SETPOPUP_POS, PopupPositionData(0, 80)}, {HELP_CONTEXTPOPUP, 1001}}},
        {"no context still asks", 0, 120, 80, {}, NonZeroPoint, {at120x80, {HELP_CONTEXTPOPUP, 0}}},
        {"no context, quiet", 0, 120, 80, quiet, NonZeroPoint, {}},
        {"negative: a topic", -1006, 120, 80, {}, NonZeroPoint, {{HELP_CONTEXT, 1006}}},
        {"lowest", INT32_MIN, 1, 1, {}, AlwaysPoint, {{HELP_CONTEXT, 0x80000000u}}},
    };
    for (const TRow& row : rows) {
        EXPECT_EQ(
            PopupRequests(row.Context, row.X, row.Y, row.Options, row.Placement), row.Expected)
            << row.Name;
    }
}

TEST(HelpContext, WhatsThisMenuNeedsAContextAndAControl)
{
    TWhatsThisOptions always, onForm;
    always.NoContextMenu = true;
    onForm.PopupOnForm = true;
    EXPECT_TRUE(OpensWhatsThisMenu(-1006, false));
    EXPECT_FALSE(OpensWhatsThisMenu(0, false));
    EXPECT_TRUE(OpensWhatsThisMenu(0, false, always));
    EXPECT_FALSE(OpensWhatsThisMenu(5, true));
    EXPECT_TRUE(OpensWhatsThisMenu(5, true, onForm));
}

} // namespace
