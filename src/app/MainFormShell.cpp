// Files from the shell: macros received over the message service, and dropped files.
#include "app/MainForm.h"

#include "app/DroppedFiles.h"
#include "app/ShellMacros.h"
#include "common/FileAccess.h"

#include <QDragEnterEvent>
#include <QDropEvent>
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

} // namespace

void TMainForm::SystemExecuteMacro(std::vector<std::string>& lines)
{
    SplitMacroCommands(lines);
    // A command that fails is reported and ends the macro; a Cancel in the save question skips
    // only its own load.
    Guarded([&] {
        for (const std::string& line : lines) {
            std::int32_t number = 0;
            std::string argument;
            if (!ParseMacroCommand(line, number, argument))
                continue;
            if (number == MacroOpen)
                LoadColorFile(argument);
            else if (number == MacroPreview)
                OpenPreviewFile(argument);
            else if (number == MacroLanguage)
                UseLanguageFile(argument);
        }
    });
}

void TMainForm::ExecuteMacroText(std::string_view text)
{
    std::vector<std::string> lines = SplitMacroLines(text);
    SystemExecuteMacro(lines);
}

void TMainForm::UseLanguageFile(const std::filesystem::path& path)
{
    FSettings.DefaultLanguage = path.native();
    ApplyLanguage(FSettings.DefaultLanguage);
}

void TMainForm::OpenDroppedFile(const std::filesystem::path& file)
{
    if (!FileExists(file))
        return;
    Guarded([&] {
        switch (DroppedFileKind(file)) {
        case TDroppedFileKind::ColorScheme:
            LoadColorFile(file);
            break;
        case TDroppedFileKind::Preview:
            OpenPreviewFile(file);
            break;
        case TDroppedFileKind::Language:
            UseLanguageFile(file);
            break;
        case TDroppedFileKind::None:
            break;
        }
    });
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event)
{
    // The list is read as the drag enters: under load the X11 drop protocol can fail to deliver
    // the data again at the drop itself.
    FDraggedFile = acceptDrops() ? DroppedFile(event->mimeData()) : std::nullopt;
    if (FDraggedFile)
        event->acceptProposedAction();
}

void TMainForm::dragMoveEvent(QDragMoveEvent* event)
{
    if (FDraggedFile)
        event->acceptProposedAction();
}

void TMainForm::dragLeaveEvent(QDragLeaveEvent*)
{
    FDraggedFile.reset();
}

void TMainForm::dropEvent(QDropEvent* event)
{
    std::optional<std::filesystem::path> file = DroppedFile(event->mimeData());
    if (!file)
        file = std::exchange(FDraggedFile, std::nullopt);
    FDraggedFile.reset();
    if (!acceptDrops() || !file)
        return;
    event->acceptProposedAction();
    // Only the first file of a drop is taken; the drag source is answered before a save question
    // or an error message can show.
    QMetaObject::invokeMethod(
        this, [this, file = *file] { OpenDroppedFile(file); }, Qt::QueuedConnection);
}
