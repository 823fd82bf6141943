#include "help/HelpContext.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

THelpContextLevel Control(std::int32_t own, std::int32_t focusControl = 0, std::int32_t tag = 0)
{
    return {false, own, focusControl, tag};
}

THelpContextLevel Form(std::int32_t own, std::int32_t tag = 0)
{
    return {true, own, 0, tag};
}

TEST(HelpContext, FirstLevelWithAContextGivesIt)
{
    TWhatsThisOptions withoutForm;
    withoutForm.InheritFormContext = false;
    TWhatsThisOptions withTag;
    withTag.UseTag = true;
    struct TRow
    {
        const char* Name;
        std::vector<THelpContextLevel> Levels;
        TWhatsThisOptions Options;
        std::int32_t Expected;
    };
    const TRow rows[] = {
        {"own", {Control(1001), Control(0), Form(0)}, {}, 1001},
        {"from the group", {Control(0), Control(1002), Control(0), Form(0)}, {}, 1002},
        {"nearest wins", {Control(0), Control(1005), Control(1002), Form(0)}, {}, 1005},
        {"label's buddy", {Control(0, 1005), Control(1002), Form(0)}, {}, 1005},
        {"own before the buddy's", {Control(1004, 1005), Form(0)}, {}, 1004},
        {"none anywhere", {Control(0), Control(0), Control(0), Form(0)}, {}, 0},
        {"window's own", {Control(0), Form(77)}, {}, 77},
        {"window skipped", {Control(0), Form(77)}, withoutForm, 0},
        {"tag unused", {Control(0, 0, 5), Control(1002), Form(0)}, {}, 1002},
        {"tag used", {Control(0, 0, 5), Control(1002), Form(0)}, withTag, 5},
        {"context before tag", {Control(9, 0, 5), Form(0)}, withTag, 9},
        {"window's tag", {Control(0), Form(0, 6)}, withTag, 6},
        {"negative asks a topic", {Control(-1001), Form(0)}, {}, -1001},
        {"nothing to look at", {}, {}, 0},
    };
    for (const TRow& row : rows)
        EXPECT_EQ(FindHelpContext(row.Levels, row.Options), row.Expected) << row.Name;
}

TEST(HelpContext, PopupRequests)
{
    TWhatsThisOptions quiet;
    quiet.NoContextHelp = false;
    const std::uint32_t at = PopupPositionData(120, 80);
    struct TRow
    {
        const char* Name;
        std::int32_t Context;
        int X, Y;
        TWhatsThisOptions Options;
        TPopupPlacement Placement;
        std::vector<THelpCall> Expected;
    };
    using enum TPopupPlacement;
    const TRow rows[] = {
        {"at the point", 1001, 120, 80, {}, NonZeroPoint,
            {{HELP_SETPOPUP_POS, at}, {HELP_CONTEXTPOPUP, 1001}}},
        {"x is zero", 1001, 0, 80, {}, NonZeroPoint, {{HELP_CONTEXTPOPUP, 1001}}},
        {"y is zero", 1001, 120, 0, {}, NonZeroPoint, {{HELP_CONTEXTPOPUP, 1001}}},
        {"menu sends any point", 1001, 0, 80, {}, AlwaysPoint,
            {{HELP_SETPOPUP_POS, PopupPositionData(0, 80)}, {HELP_CONTEXTPOPUP, 1001}}},
        {"no context still asks", 0, 120, 80, {}, NonZeroPoint,
            {{HELP_SETPOPUP_POS, at}, {HELP_CONTEXTPOPUP, 0}}},
        {"no context, quiet", 0, 120, 80, quiet, NonZeroPoint, {}},
        {"negative", -1006, 120, 80, {}, NonZeroPoint, {{HELP_CONTEXT, 1006}}},
        {"lowest", INT32_MIN, 1, 1, {}, AlwaysPoint, {{HELP_CONTEXT, 0x80000000u}}},
    };
    for (const TRow& row : rows) {
        EXPECT_EQ(
            PopupRequests(row.Context, row.X, row.Y, row.Options, row.Placement), row.Expected)
            << row.Name;
    }
}

TEST(HelpContext, WhatsThisMenuNeedsAContext)
{
    TWhatsThisOptions always;
    always.NoContextMenu = true;
    TWhatsThisOptions onForm;
    onForm.PopupOnForm = true;
    EXPECT_TRUE(OpensWhatsThisMenu(1006, false));
    EXPECT_TRUE(OpensWhatsThisMenu(-1006, false));
    EXPECT_FALSE(OpensWhatsThisMenu(0, false));
    EXPECT_TRUE(OpensWhatsThisMenu(0, false, always));
    EXPECT_FALSE(OpensWhatsThisMenu(5, true));
    EXPECT_TRUE(OpensWhatsThisMenu(5, true, onForm));
    EXPECT_FALSE(OpensWhatsThisMenu(0, true, onForm));
}

} // namespace
