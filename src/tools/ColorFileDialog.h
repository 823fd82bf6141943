#pragma once

#include "common/FileDialogIcons.h"

#include <QString>
#include <QStringList>

#include <filesystem>
#include <optional>

class QWidget;

// Asks for an existing colour file with Qt's own dialog, built for this one use as the window's
// file dialogs are: it lists entries by name only, so a folder holding special files (a FIFO,
// /proc) cannot make it block; its type column reads typeTexts. Starts in the folder given (or
// the current one); returns the file chosen, or nothing when the user cancelled.
std::optional<std::filesystem::path> ChooseColorFile(QWidget* parent, const char* objectName,
    const QString& title, const QStringList& filters, const std::filesystem::path& folder,
    const TNameOnlyIconProvider::TTypeTexts& typeTexts);
