#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Macros that other programs send to a running copy: bracketed commands such as
// [Open("/home/me/night.clr")] [Language(/opt/tw/languages/French.clf)], in Windows-1252.

// The macro commands by number; 0 stands for a name that is none of them.
inline constexpr std::int32_t MacroOpen = 1; // load a colour scheme
inline constexpr std::int32_t MacroPreview = 2; // open a preview file
inline constexpr std::int32_t MacroLanguage = 3; // use a language file

// A received text as its list of lines; lines end at CR LF, a lone CR or a lone LF.
std::vector<std::string> SplitMacroLines(std::string_view text);

// Replaces the lines by the bracketed commands found in them, one per line, in order. A command
// ends at the first "]" after its "[", quoted or not; a "]" before the next "[" ends the search.
void SplitMacroCommands(std::vector<std::string>& lines);

// Parses one command, name(argument); accepts it with its number (1 to 3) and its argument, from
// which double quotes are removed. Quoted parentheses do not count; others may nest.
bool ParseMacroCommand(std::string_view command, std::int32_t& number, std::string& argument);

// 1 for "Open", 2 for "Preview", 3 for "Language", in any ASCII letter case; otherwise 0.
std::int32_t LookupMacroCommand(std::string_view name);
