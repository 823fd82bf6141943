#include "app/Settings.h"

#include "common/Error.h"
#include "common/IntegerText.h"
#include "common/PathRules.h"
#include "common/ProfileFile.h"
#include "common/TextRules.h"

#include <cerrno>
#include <exception>
#include <system_error>
#include <vector>

#include <sys/stat.h>

namespace {

constexpr std::uint16_t DefaultTomTomVersion = 5;

// Makes the folder and any missing folders above it, outermost first.
void MakeFolders(const std::filesystem::path& folder)
{
    std::vector<std::filesystem::path> missing;
    std::error_code error;
    for (std::filesystem::path path = folder;
         !path.empty() && !std::filesystem::exists(path, error); path = path.parent_path()) {
        if (error || path == path.parent_path())
            break;
        missing.push_back(path);
    }
    for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
        // The settings are the user's own: others need not read them.
        if (::mkdir(it->c_str(), 0700) != 0 && errno != EEXIST)
            throw std::system_error(errno, std::generic_category());
    }
}

} // namespace

TSettings ReadSettings(const std::filesystem::path& iniFile)
{
    const TProfileFile profile(iniFile);
    TSettings settings;
    settings.DefaultLanguage
        = profile.ReadString("Language", "DefaultLanguage", DefaultLanguageValue);
    settings.DefaultPreview = profile.ReadString("Preview", "DefaultPreview", DefaultPreviewValue);
    settings.DefaultColors = profile.ReadString("Colors", "DefaultColors", DefaultColorsValue);
    // Only the low 16 bits of the number are kept: "-1" is 65535, "70000" is 4464.
    const auto version = TryTextToInt(profile.ReadString("System", "TomTomVersion", ""));
    settings.TomTomVersion = version ? static_cast<std::uint16_t>(*version) : DefaultTomTomVersion;
    return settings;
}

std::string CompleteSettingsPath(std::string_view value, std::string_view folder)
{
    if (HasFolderPart(value))
        return std::string(value);
    return std::string(folder) + std::string(value);
}

std::string SettingsPreviewValue(std::string_view previewPath, std::string_view previewsFolder)
{
    if (ExtractFilePath(previewPath) == previewsFolder)
        return std::string(ExtractFileName(previewPath));
    return std::string(previewPath);
}

void WriteSettings(const std::filesystem::path& iniFile, const TSettings& settings,
    std::string_view previewsFolder, TSettingsFolder folder)
{
    try {
        if (folder == TSettingsFolder::MadeWhenMissing)
            MakeFolders(iniFile.parent_path());
        WriteProfileString(iniFile, "Language", "DefaultLanguage", settings.DefaultLanguage);
        WriteProfileString(iniFile, "Preview", "DefaultPreview",
            SettingsPreviewValue(settings.DefaultPreview, previewsFolder));
    } catch (const std::exception&) {
        throw TError(FormatText("Unable to write to %s", iniFile.c_str()), iniFile);
    }
}
