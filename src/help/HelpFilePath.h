#pragma once

#include "common/AnsiString.h"

#include <filesystem>
#include <string>

// The help file that a language file names (its HelpFile value, Windows-1252): a file in the
// program's "Help/" folder. Only the value's last component counts ("/" and "\" both end a
// folder), so no value reaches outside that folder, and it is turned into the file system's name
// (UTF-8). An empty value, or one that names no file (".", "..", a trailing "/"), gives the
// folder "Help/" itself, which no request finds a help file in.
std::filesystem::path HelpFilePath(const std::string& programFolder, TAnsiView helpFileValue);
