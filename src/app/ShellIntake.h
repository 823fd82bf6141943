#pragma once

#include <QObject>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class TMainForm;

// What the shell hands the window: macros from the message service, files dropped on it and
// files the desktop opens with it. Colour files load, preview files open as the preview and
// language files switch the language, each through the window's own operations.
class TShellIntake : public QObject
{
    Q_OBJECT

public:
    explicit TShellIntake(TMainForm& form);

    // Runs the bracketed commands of a macro, in order; a command that fails is reported and
    // ends the macro.
    void ExecuteMacro(std::vector<std::string>& lines);
    // Opens an existing file by its extension; anything else is ignored.
    void OpenFile(const std::filesystem::path& file);

    // The window's drag and drop events; a drop is taken only while drops are accepted.
    void DragEnter(QDragEnterEvent& event, bool accepting);
    void DragMove(QDragMoveEvent& event);
    void DragLeave();
    void Drop(QDropEvent& event, bool accepting);

private:
    TMainForm& FForm;
    // The first file of the drag over the window, read as it entered.
    std::optional<std::filesystem::path> FDraggedFile;
};
