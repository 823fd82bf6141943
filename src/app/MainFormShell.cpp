// Files from the shell, handed on to the shell intake.
#include "app/MainForm.h"

#include "app/ShellIntake.h"
#include "app/ShellMacros.h"

void TMainForm::SystemExecuteMacro(std::vector<std::string>& lines)
{
    FShell->ExecuteMacro(lines);
}

void TMainForm::ExecuteMacroText(std::string_view text)
{
    std::vector<std::string> lines = SplitMacroLines(text);
    SystemExecuteMacro(lines);
}

void TMainForm::OpenDroppedFile(const std::filesystem::path& file)
{
    FShell->OpenFile(file);
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event)
{
    FShell->DragEnter(*event, acceptDrops());
}

void TMainForm::dragMoveEvent(QDragMoveEvent* event)
{
    FShell->DragMove(*event);
}

void TMainForm::dragLeaveEvent(QDragLeaveEvent*)
{
    FShell->DragLeave();
}

void TMainForm::dropEvent(QDropEvent* event)
{
    FShell->Drop(*event, acceptDrops());
}
