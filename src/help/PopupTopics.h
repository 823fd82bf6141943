#pragma once

#include "common/AnsiString.h"

#include <cstdint>
#include <map>
#include <string_view>

// The text popups of a compiled help file (CSHelp.txt inside it): a ".topic <number>" line starts
// the text of a context number, and the lines that follow, up to the next ".topic" line, are its
// text. Lines starting with ";" are comments; blank lines at the start and end of a text are
// dropped, inner lines keep their breaks ("\n"). A topic named by a symbol instead of a number
// cannot be reached by a context number and is skipped; the first text of a number counts.
// Lines may end in CR LF, LF or a lone CR. The texts are the file's Windows-1252 bytes.
std::map<std::uint32_t, TAnsiString> ParsePopupTopics(std::string_view text);
