#pragma once

#include "common/AnsiString.h"

#include <QString>

#include <filesystem>

// The widgets show QString; files, settings and language texts are Windows-1252 bytes. These
// convert between the two without losing a byte read from a file.
QString FromWindows1252(TAnsiView text);
// A character Windows-1252 cannot hold becomes "?".
TAnsiString ToWindows1252(const QString& text);

// The text for a tool tip or a label that reads its text as rich text when it looks like markup
// (tool tips, a message box's informative text): it then shows as it is, so a description, a
// file name or a language file's text cannot set its own markup (and load pictures).
QString AsPlainText(const QString& text);

// File names are the file system's bytes; on Linux desktops these are UTF-8.
QString FromFileName(const std::filesystem::path& fileName);
std::filesystem::path ToFileName(const QString& fileName);
