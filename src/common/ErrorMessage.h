#pragma once

#include <QString>

#include <exception>
#include <filesystem>

class QWidget;

// The program's error message boxes, captioned with its title; their texts are shown as plain
// text, never read as markup.

// A box with the text, and below it the informative text (a file name, a list).
void ShowErrorMessage(QWidget* parent, const QString& text, const QString& informative);

// One failure: its text, and the file it concerns below when the text does not name it. The file
// is the one the error names, else `concerning`.
void ShowErrorBox(
    QWidget* parent, const std::exception& error, const std::filesystem::path& concerning = {});

// The text a failure shows the user.
QString ErrorText(const std::exception& error);
