#pragma once

#include "preview/PicturePreview.h"

#include <QString>

#include <filesystem>
#include <optional>

class QWidget;

// Asks for an existing file with Qt's own dialog, built for this one use as the window's file
// dialogs are: it lists entries by name only, so a folder holding special files (a FIFO, /proc)
// cannot make it block, and its texts follow the language. filter ("Pictures (*.png)") comes
// first, "All Files (*)" after it. With a loader, a pane beside the list shows the picture
// chosen. Starts in the folder given (or the current one); returns the file chosen, or nothing
// when the user cancelled.
std::optional<std::filesystem::path> ChooseFileToOpen(QWidget* parent, const char* objectName,
    const QString& title, const QString& filter, const std::filesystem::path& folder,
    TPictureLoader loadPicture = {});

// Asks for a file to write, the same way: filter first, "All Files (*)" after it; a name typed
// without an extension gets defaultSuffix ("gpl"), and an existing file is replaced only when the
// user confirms. Starts with the proposed file (a full path) chosen; returns the file, or nothing
// when the user cancelled.
std::optional<std::filesystem::path> ChooseFileToSave(QWidget* parent, const char* objectName,
    const QString& title, const QString& filter, const QString& defaultSuffix,
    const std::filesystem::path& proposed);
