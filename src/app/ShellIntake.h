#pragma once

#include <QObject>
#include <QTimer>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QDBusConnection;
class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QString;
class TMainForm;
class TMessageServer;

// What the shell hands the window: macros from the message service, files dropped on it and
// files the desktop opens with it. Colour files load, preview files open as the preview and
// language files switch the language, each through the window's own operations.
//
// Requests from other programs never run in the middle of the user's own work: while a dialog
// or popup of the program is open, or a command is running, they wait, in order, and run when it
// has closed; their callers are answered once they have run.
class TShellIntake : public QObject
{
    Q_OBJECT

public:
    explicit TShellIntake(TMainForm& form);
    ~TShellIntake() override;

    // Serves macros and the desktop's requests on the connection under the name.
    void Listen(const QDBusConnection& connection, const QString& serviceName);

    // True while the user is in the middle of something: a dialog or popup of the program's is
    // open, or a command runs.
    bool UserBusy() const;

    // Runs the bracketed commands of a macro, in order; a command that fails is reported and
    // ends the macro.
    void ExecuteMacro(std::vector<std::string>& lines);
    // Opens an existing file by its extension; anything else is ignored.
    void OpenFile(const std::filesystem::path& file);
    // Opens the files of one request in turn; those that fail are reported in one box.
    void OpenFiles(const std::vector<std::filesystem::path>& files);

    // The window's drag and drop events; a drop is taken only while drops are accepted.
    void DragEnter(QDragEnterEvent& event, bool accepting);
    void DragMove(QDragMoveEvent& event);
    void DragLeave();
    void Drop(QDropEvent& event, bool accepting);

private:
    void OpenByExtension(const std::filesystem::path& file);
    void Activate();

    TMainForm& FForm;
    std::unique_ptr<TMessageServer> FServer;
    // Looks, while requests wait, whether the user has finished.
    QTimer FResumeTimer;
    // The first file of the drag over the window, read as it entered.
    std::optional<std::filesystem::path> FDraggedFile;
};
