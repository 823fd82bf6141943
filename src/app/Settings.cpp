#include "app/Settings.h"

#include "common/Error.h"
#include "common/IntegerText.h"
#include "common/PathRules.h"
#include "common/ProfileFile.h"
#include "common/TextRules.h"

#include <exception>

namespace {

constexpr std::uint16_t DefaultTomTomVersion = 5;

} // namespace

TSettings ReadSettings(const std::filesystem::path& iniFile)
{
    const TProfileFile profile(iniFile);
    TSettings settings;
    settings.DefaultLanguage = profile.ReadString("Language", "DefaultLanguage", "English");
    settings.DefaultPreview = profile.ReadString("Preview", "DefaultPreview", "Preview.cpf");
    settings.DefaultColors = profile.ReadString("Colors", "DefaultColors", "default.clr");
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
    std::string_view previewsFolder)
{
    try {
        WriteProfileString(iniFile, "Language", "DefaultLanguage", settings.DefaultLanguage);
        WriteProfileString(iniFile, "Preview", "DefaultPreview",
            SettingsPreviewValue(settings.DefaultPreview, previewsFolder));
    } catch (const std::exception&) {
        throw TError(FormatText("Unable to write to %s", iniFile.c_str()), iniFile);
    }
}
