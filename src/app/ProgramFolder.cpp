#include "app/ProgramFolder.h"

#include "common/Error.h"
#include "common/FileAccess.h"
#include "common/TextRules.h"

#include <cstdlib>
#include <system_error>
#include <vector>

#include <pwd.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// The name of the installed program's data folder, settings folder and settings file.
constexpr const char* InstalledName = "tintwright";

bool IsFolder(const fs::path& path)
{
    std::error_code ignored;
    return fs::is_directory(path, ignored);
}

std::string WithTrailingSlash(std::string folder)
{
    if (!folder.ends_with('/'))
        folder += '/';
    return folder;
}

fs::path UserConfigFolder(std::string_view xdgConfigHome, std::string_view home)
{
    // Relative values are to be ignored, as the base-directory rules say.
    if (xdgConfigHome.starts_with('/'))
        return fs::path(xdgConfigHome);
    if (home.starts_with('/'))
        return fs::path(home) / ".config";
    throw TError("Cannot find a folder for the settings: neither XDG_CONFIG_HOME nor HOME names "
                 "an absolute folder.");
}

std::string HomeFolder()
{
    if (const char* home = std::getenv("HOME"); home != nullptr && *home == '/')
        return home;
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    passwd entry {};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0
        && found != nullptr && found->pw_dir != nullptr)
        return found->pw_dir;
    return {};
}

} // namespace

TProgramPlaces FindProgramPlaces(
    const fs::path& executable, std::string_view xdgConfigHome, std::string_view home)
{
    const fs::path folder = executable.parent_path();
    const fs::path shared = folder.parent_path() / "share" / InstalledName;
    if (!IsFolder(folder / "schemes") && folder.filename() == "bin" && IsFolder(shared)) {
        const fs::path settingsFolder = UserConfigFolder(xdgConfigHome, home) / InstalledName;
        return {TRunMode::Installed, WithTrailingSlash(shared.string()),
            settingsFolder / (std::string(InstalledName) + ".ini"),
            TSettingsFolder::MadeWhenMissing};
    }
    return {TRunMode::Portable, WithTrailingSlash(folder.string()),
        fs::path(executable).replace_extension(".ini"), TSettingsFolder::MustExist};
}

const TProgramPlaces& RunningProgramPlaces()
{
    // The executable does not move while it runs, so the places are decided once.
    static const TProgramPlaces places = [] {
        std::error_code error;
        const fs::path executable = fs::read_symlink("/proc/self/exe", error);
        if (error)
            throw TError(FormatText(
                "Cannot find the program's folder. %s", SystemErrorText(error.value()).c_str()));
        const char* configHome = std::getenv("XDG_CONFIG_HOME");
        return FindProgramPlaces(executable, configHome != nullptr ? configHome : "", HomeFolder());
    }();
    return places;
}

std::string ProgramFolder()
{
    return RunningProgramPlaces().ProgramFolder;
}

fs::path SettingsFilePath()
{
    return RunningProgramPlaces().SettingsFile;
}
