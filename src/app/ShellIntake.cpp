#include "app/ShellIntake.h"

#include "app/DroppedFiles.h"
#include "app/ErrorBox.h"
#include "app/MainForm.h"
#include "app/MessageServer.h"
#include "app/ShellMacros.h"
#include "common/FileAccess.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>

#include <utility>

namespace {

std::optional<std::filesystem::path> DroppedFile(const QMimeData* data)
{
    if (data == nullptr || !data->hasFormat("text/uri-list"))
        return std::nullopt;
    // The raw list, not QMimeData::urls(): the path is the file system's bytes, taken whole.
    const QByteArray list = data->data("text/uri-list");
    return FirstLocalFileOfUriList(std::string_view(list.constData(), std::size_t(list.size())));
}

// How often waiting requests look whether the user has finished.
constexpr int ResumeMilliseconds = 50;

} // namespace

TShellIntake::TShellIntake(TMainForm& form)
    : QObject(&form)
    , FForm(form)
{
    FResumeTimer.setInterval(ResumeMilliseconds);
    connect(&FResumeTimer, &QTimer::timeout, this, [this] {
        if (FServer && !UserBusy())
            FServer->Resume();
        if (!FServer || !FServer->HasWaiting())
            FResumeTimer.stop();
    });
}

TShellIntake::~TShellIntake() = default;

void TShellIntake::Listen(const QDBusConnection& connection, const QString& serviceName)
{
    TDesktopHandlers desktop;
    desktop.Activate = [this] { Activate(); };
    desktop.OpenFiles
        = [this](const std::vector<std::filesystem::path>& files) { OpenFiles(files); };
    // D-Bus texts are UTF-8, so the paths in a macro are the file system's names.
    FServer = std::make_unique<TMessageServer>(
        connection, serviceName,
        [this](const QString& macro) {
            FForm.ExecuteMacroText(QFile::encodeName(macro).toStdString());
        },
        desktop);
    FServer->SetGate([this] { return !UserBusy(); });
    connect(FServer.get(), &TMessageServer::Held, &FResumeTimer, qOverload<>(&QTimer::start));
}

bool TShellIntake::UserBusy() const
{
    return FForm.FCommandDepth > 0 || QApplication::activeModalWidget() != nullptr
        || QApplication::activePopupWidget() != nullptr;
}

void TShellIntake::Activate()
{
    FForm.setWindowState(FForm.windowState() & ~Qt::WindowMinimized);
    FForm.show();
    FForm.raise();
    FForm.activateWindow();
}

void TShellIntake::ExecuteMacro(std::vector<std::string>& lines)
{
    SplitMacroCommands(lines);
    // A command that fails is reported and ends the macro; a Cancel in the save question skips
    // only its own load.
    FForm.Guarded([&] {
        for (const std::string& line : lines) {
            std::int32_t number = 0;
            std::string argument;
            if (!ParseMacroCommand(line, number, argument))
                continue;
            if (number == MacroOpen)
                FForm.LoadColorFile(argument);
            else if (number == MacroPreview)
                FForm.OpenPreviewFile(argument);
            else if (number == MacroLanguage)
                FForm.UseLanguageFile(argument);
        }
    });
}

void TShellIntake::OpenFile(const std::filesystem::path& file)
{
    if (!FileExists(file))
        return;
    FForm.Guarded([&] { OpenByExtension(file); });
}

void TShellIntake::OpenFiles(const std::vector<std::filesystem::path>& files)
{
    std::vector<TFileFailure> failures;
    ++FForm.FCommandDepth;
    for (const std::filesystem::path& file : files) {
        if (!FileExists(file))
            continue;
        try {
            OpenByExtension(file);
        } catch (const std::exception& error) {
            failures.push_back({file, ErrorText(error)});
        }
    }
    ShowErrorBox(&FForm, failures);
    --FForm.FCommandDepth;
    FForm.UpdateActions();
}

void TShellIntake::OpenByExtension(const std::filesystem::path& file)
{
    switch (DroppedFileKind(file)) {
    case TDroppedFileKind::ColorScheme:
        FForm.LoadColorFile(file);
        break;
    case TDroppedFileKind::Preview:
        FForm.OpenPreviewFile(file);
        break;
    case TDroppedFileKind::Language:
        FForm.UseLanguageFile(file);
        break;
    case TDroppedFileKind::None:
        break;
    }
}

void TShellIntake::DragEnter(QDragEnterEvent& event, bool accepting)
{
    // The list is read as the drag enters: under load the X11 drop protocol can fail to deliver
    // the data again at the drop itself.
    FDraggedFile = accepting ? DroppedFile(event.mimeData()) : std::nullopt;
    if (FDraggedFile)
        event.acceptProposedAction();
}

void TShellIntake::DragMove(QDragMoveEvent& event)
{
    if (FDraggedFile)
        event.acceptProposedAction();
}

void TShellIntake::DragLeave()
{
    FDraggedFile.reset();
}

void TShellIntake::Drop(QDropEvent& event, bool accepting)
{
    std::optional<std::filesystem::path> file = DroppedFile(event.mimeData());
    if (!file)
        file = std::exchange(FDraggedFile, std::nullopt);
    FDraggedFile.reset();
    if (!accepting || !file)
        return;
    event.acceptProposedAction();
    // Only the first file of a drop is taken; the drag source is answered before a save question
    // or an error message can show.
    QMetaObject::invokeMethod(
        this, [this, file = *file] { OpenFile(file); }, Qt::QueuedConnection);
}
