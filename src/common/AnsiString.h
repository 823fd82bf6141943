#pragma once

#include <string>
#include <string_view>

// Text of the navigator's files, the settings and the language files: single bytes in
// Windows-1252 (the system's ANSI code page of the original program). The ui layer decodes it only
// where a widget shows it (common/UiText.h) and encodes typed text back.
//
// Three kinds of text travel through the program, and each has its own type:
// - TAnsiString / TAnsiView: Windows-1252 bytes, as read from or written to a file;
// - std::filesystem::path: names of files, the file system's bytes (UTF-8 on Linux desktops);
// - error texts (TError::what(), common/Error.h): UTF-8, ready for a message box.
using TAnsiString = std::string;
using TAnsiView = std::string_view;
