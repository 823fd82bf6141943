#pragma once

#include <QString>

#include <exception>
#include <filesystem>
#include <vector>

class QWidget;

// The program's error message boxes, captioned with its title; their texts are shown as plain
// text, never read as markup.

// One failure: its text, and the file it concerns below when the text does not name it.
void ShowErrorBox(QWidget* parent, const std::exception& error);

// The failures of one request (files from the desktop): one box however many failed, naming
// each file with its reason.
struct TFileFailure
{
    std::filesystem::path File;
    QString Reason;
};
void ShowErrorBox(QWidget* parent, const std::vector<TFileFailure>& failures);

// The text a failure shows the user.
QString ErrorText(const std::exception& error);
