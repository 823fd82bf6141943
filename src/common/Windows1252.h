#pragma once

#include "common/AnsiString.h"

#include <optional>
#include <string>

// Windows-1252, the navigator's single-byte text, mapped so that every byte survives a round trip:
// the five bytes the code page leaves unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the
// control characters of the same number.
char32_t Windows1252ToUnicode(unsigned char byte);

// The byte for a character, or nothing when Windows-1252 cannot hold it.
std::optional<unsigned char> UnicodeToWindows1252(char32_t character);

// The text as UTF-8, for messages (error texts are UTF-8).
std::string Utf8FromAnsi(TAnsiView text);

// The same for one line of a file another program reads (a palette's names, a report's cells):
// control characters (tabs and line breaks among them, and the five unassigned bytes' controls)
// become blanks, and blanks at either end are dropped.
std::string Utf8LineFromAnsi(TAnsiView text);
