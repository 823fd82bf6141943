#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// Removes characters with codes 0 to 32 (blanks and control characters) from both ends.
std::string_view TrimControls(std::string_view text);

// ASCII-only case changes and comparison: only A-Z and a-z are touched, so Windows-1252 bytes
// above 127 stay as they are.
char AsciiLower(char c);
char AsciiUpper(char c);
std::string AsciiLowerCase(std::string_view text);
std::string AsciiUpperCase(std::string_view text);
bool SameTextAscii(std::string_view a, std::string_view b);

// The value of a hexadecimal digit of either case; -1 for any other character.
int HexDigitValue(char c);

// printf-style formatting into a std::string (the system's message templates use %s and %d).
std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

// A format of ours, which a language file may replace, filled safely: "%1" to "%9" stand for the
// values given (a number without a value stays as it is), "%%" for "%"; nothing else is read.
std::string FillText(std::string_view format, std::initializer_list<std::string_view> values);
