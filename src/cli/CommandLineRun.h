#pragma once

#include <span>
#include <string_view>

// Whether the program was started as a command (a check or a conversion) rather than as the
// editor: when an argument is an option that is not one of Qt's own for a windowed program
// ("-platform xcb", "-style=Fusion", ...), which the editor has always taken. A file name alone
// starts the editor, as it always did. The arguments come without the program's name.
bool IsCommandLineRun(std::span<const std::string_view> arguments);
