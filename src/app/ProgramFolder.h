#pragma once

#include <filesystem>
#include <string>

// The folder of the running executable, ending in "/"; the shipped data lies in its subfolders.
std::string ProgramFolder();

// The settings file: the executable's path with the extension ".ini" (tintwright.ini beside it).
std::filesystem::path SettingsFilePath();
