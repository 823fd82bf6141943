#include "tools/history/HistoryTool.h"

#include "tools/history/HistoryWindow.h"

THistoryTool::THistoryTool(const TToolContext& context, QObject* parent)
    : TTool(context, parent)
{
    SetCommands({
        {.Text = {"ActionEditHistory", "&History...",
             "Show the steps you can undo and redo, and go back to any of them", "Ctrl+H",
             "History", "ShowHistory", "ShowHistoryHint"},
            .Run = [this] { ShowWindow(); }},
    });
}

THistoryTool::~THistoryTool()
{
    delete FWindow;
}

THistoryWindow* THistoryTool::Window() const
{
    return FWindow;
}

std::span<const TTextKey> THistoryTool::Texts() const
{
    return HistoryTexts();
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
