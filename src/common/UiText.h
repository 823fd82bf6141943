#pragma once

#include <QString>

#include <string>
#include <string_view>

// The widgets show QString; files, settings and language texts are Windows-1252 bytes. These
// convert between the two without losing a byte read from a file.
QString FromWindows1252(std::string_view text);
// A character Windows-1252 cannot hold becomes "?".
std::string ToWindows1252(const QString& text);

// File names are the file system's bytes; on Linux desktops these are UTF-8.
QString FromFileName(std::string_view fileName);
std::string ToFileName(const QString& fileName);
