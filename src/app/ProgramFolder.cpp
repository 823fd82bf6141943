#include "app/ProgramFolder.h"

#include "common/Error.h"
#include "common/FileAccess.h"
#include "common/TextRules.h"

#include <system_error>

namespace fs = std::filesystem;

namespace {

// The executable does not move while it runs, so the link is read once.
const fs::path& ExecutablePath()
{
    static const fs::path path = [] {
        std::error_code error;
        fs::path executable = fs::read_symlink("/proc/self/exe", error);
        if (error)
            throw TError(FormatText(
                "Cannot find the program's folder. %s", SystemErrorText(error.value()).c_str()));
        return executable;
    }();
    return path;
}

} // namespace

std::string ProgramFolder()
{
    std::string folder = ExecutablePath().parent_path().string();
    if (!folder.ends_with('/'))
        folder += '/';
    return folder;
}

fs::path SettingsFilePath()
{
    return fs::path(ExecutablePath()).replace_extension(".ini");
}
