#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>

class TNameOnlyIconProvider;
class QWidget;

// The main window's five file dialogs.
enum class TFileDialog {
    OpenColorFile,
    SaveColorFile,
    OpenPictureBitmap,
    SavePreviewFile,
    OpenPreviewFile,
};
inline constexpr std::size_t FileDialogCount = 5;

// Runs the main window's file dialogs. Each is built afresh for one use and destroyed when it
// closes, so nothing of it (a name-completion popup left on screen, a folder being read) outlives
// it; what lasts from one use to the next is kept here: the filters and the folder it starts in.
// The dialogs are Qt's own, everywhere alike, and never look inside the files they list, so a
// folder holding special files (a FIFO, /proc) cannot make them block.
class TFileDialogs
{
public:
    TFileDialogs();
    ~TFileDialogs();

    // Qt filters, such as "TomTom Color Files (*.clr)" and "All Files (*)", for the dialog of
    // that object name ("OpenDialogColorFile", ...).
    void SetFilters(std::string_view dialogName, const QStringList& filters);
    QStringList Filters(TFileDialog dialog) const;
    // The folder the dialog starts in; afterwards the folder it was last closed in.
    void SetFolder(TFileDialog dialog, const std::filesystem::path& folder);

    // Shows the dialog modally, prefilled with a file name (a full path, a bare name, or empty
    // for none). Returns the chosen file, or nothing when the user cancelled.
    std::optional<std::filesystem::path> Execute(
        QWidget* parent, TFileDialog dialog, const std::filesystem::path& fileName);

private:
    struct TDialogState
    {
        const char* Name;
        bool Save;
        const char* DefaultSuffix;
        bool PicturePreview;
        QStringList Filters;
        QString Folder;
    };
    std::array<TDialogState, FileDialogCount> FDialogs;
    std::unique_ptr<TNameOnlyIconProvider> FIconProvider;
};
