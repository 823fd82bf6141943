#include "tools/history/HistoryTool.h"

#include "tools/history/HistoryWindow.h"

#include <QAction>

namespace {

const TToolCommand HistoryCommands[] = {
    {"ActionEditHistory", TToolMenu::Edit, 100, "&History...",
        "Show the steps you can undo and redo, and go back to any of them", "Ctrl+H", "History",
        "ShowHistory", "ShowHistoryHint"},
};

} // namespace

THistoryTool::THistoryTool(const TToolContext& context, QObject* parent)
    : TTool(context, parent)
{ }

THistoryTool::~THistoryTool()
{
    delete FWindow;
}

THistoryWindow* THistoryTool::Window() const
{
    return FWindow;
}

std::span<const TToolCommand> THistoryTool::Commands() const
{
    return HistoryCommands;
}

std::span<const TTextKey> THistoryTool::Texts() const
{
    return HistoryTexts();
}

void THistoryTool::AttachActions(std::span<QAction* const> actions)
{
    connect(actions[0], &QAction::triggered, this, [this] { ShowWindow(); });
}

void THistoryTool::ShowWindow()
{
    if (!FWindow)
        FWindow = new THistoryWindow(Document(), &Context().Window);
    FWindow->show();
    FWindow->raise();
    FWindow->activateWindow();
    FWindow->setFocus();
}
