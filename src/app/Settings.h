#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

// The program-wide settings, read when the main window is created.
struct TSettings
{
    std::string DefaultLanguage, DefaultPreview, DefaultColors;
    std::uint16_t TomTomVersion;
};

// The values of missing keys.
inline constexpr const char* DefaultLanguageValue = "English";
inline constexpr const char* DefaultPreviewValue = "Preview.cpf";
inline constexpr const char* DefaultColorsValue = "default.clr";

// The settings as the file holds them, before any folder is completed; missing keys (or a missing
// file) give "English", "Preview.cpf", "default.clr" and version 5.
TSettings ReadSettings(const std::filesystem::path& iniFile);

// A settings path without a folder part lies in the given folder (which ends in "/"); any other
// value is used as it stands.
std::string CompleteSettingsPath(std::string_view value, std::string_view folder);

// How the preview path is stored: the bare file name when the file lies directly in the previews
// folder, else the full path.
std::string SettingsPreviewValue(std::string_view previewPath, std::string_view previewsFolder);

// Whether writing the settings may first make the settings file's folder: the user's settings
// folder of an installed program is made at its first close; a program folder never is.
enum class TSettingsFolder { MustExist, MadeWhenMissing };

// Writes the language and the preview back, keeping the rest of the file; throws TError
// "Unable to write to <file>" on any failure. Folders that are made get mode 0700.
void WriteSettings(const std::filesystem::path& iniFile, const TSettings& settings,
    std::string_view previewsFolder, TSettingsFolder folder = TSettingsFolder::MustExist);
