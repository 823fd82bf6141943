#include "tools/ToolActions.h"

#include "preview/PreviewImage.h"
#include "tools/FakeDocument.h"
#include "tools/ToolPreferences.h"

#include <QAction>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

// A tool's command runs under the guard it is given: an exception reaches the guard, not the
// event loop, and the marks are evaluated again afterwards.
TEST(ToolActionsTest, CommandsRunUnderTheGuard)
{
    class TThrowingTool : public TTool
    {
    public:
        explicit TThrowingTool(const TToolContext& context)
            : TTool(context)
        {
            SetCommands({{.Text = {"ActionFails", "&Fail", "", "", "Test", "Fail", "FailHint"},
                             .Run = [] { throw std::runtime_error("Disk on fire"); }},
                {.Text = {"ActionMark", "&Mark", "", "", "Test", "Mark", "MarkHint",
                     TToolCommandKind::Checkable},
                    .Toggle = [this](bool on) { Marked = on; },
                    .Enabled = [this] { return !Marked; },
                    .Checked = [this] { return Marked; }}});
        }
        bool Marked = false;
    };
    QWidget window;
    QListWidget list;
    QLabel panel;
    TPreviewImage preview;
    TStatusPanel status(panel);
    TToolPreferences preferences;
    TFakeDocument document;
    TThrowingTool tool(
        TToolContext {document, window, preview, list, status, preferences, RunUnguarded});
    std::string caught;
    TToolActions actions(window, [&](const std::function<void()>& step) {
        try {
            step();
            return true;
        } catch (const std::exception& error) {
            caught = error.what();
            return false;
        }
    });
    actions.Add(tool);
    actions.Action("ActionFails")->trigger();
    EXPECT_EQ(caught, "Disk on fire");

    QAction* mark = actions.Action("ActionMark");
    EXPECT_TRUE(mark->isEnabled());
    mark->trigger();
    EXPECT_TRUE(tool.Marked);
    EXPECT_TRUE(mark->isChecked());
    EXPECT_FALSE(mark->isEnabled()) << "enabling follows the command at once";
}

} // namespace
