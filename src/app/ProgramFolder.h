#pragma once

#include "app/Settings.h"

#include <filesystem>
#include <string>
#include <string_view>

// Where the program finds its data and its settings, decided once at start-up from where the
// executable lies.
enum class TRunMode {
    // A folder of its own (the build folder, or a copy of it): schemes/ lies beside the executable,
    // and so does the settings file.
    Portable,
    // Installed under a prefix: <prefix>/bin/tintwright with the data, read-only, in
    // <prefix>/share/tintwright/; the settings file lies in the user's configuration folder.
    Installed,
};

struct TProgramPlaces
{
    TRunMode Mode;
    std::string ProgramFolder; // the data folder, ending in "/"
    std::filesystem::path SettingsFile;
    TSettingsFolder SettingsFolder; // whether closing may make the settings file's folder
};

// Decides the places for an executable. A folder with schemes/ beside the executable is portable;
// an executable in a bin/ folder whose ../share/tintwright/ exists is installed; anything else is
// portable too, as the program always ran. Installed, the settings file is
// <xdgConfigHome>/tintwright/tintwright.ini, with <home>/.config standing in when xdgConfigHome
// is empty or not absolute; throws TError when neither names an absolute folder. Empty texts
// stand for unset variables.
TProgramPlaces FindProgramPlaces(
    const std::filesystem::path& executable, std::string_view xdgConfigHome, std::string_view home);

// The places of the running program (from /proc/self/exe, XDG_CONFIG_HOME and HOME, or the
// user's entry in the password database without HOME), decided at the first call.
const TProgramPlaces& RunningProgramPlaces();

// The data folder of the running program, ending in "/"; the shipped data lies in its subfolders.
std::string ProgramFolder();

// The running program's settings file: portable, the executable's path with the extension ".ini"
// (tintwright.ini beside it); installed, tintwright.ini in the user's configuration folder.
std::filesystem::path SettingsFilePath();
