#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Settings of our own (the tools' switches and thresholds), kept in the section [Tintwright] of
// the settings file, apart from the keys TSettings reads. A key is written only when the file does
// not already give its value, a missing key counting as the default, so a settings file of a user
// who never changed one gets no new section and every other line stays as it was.

std::string ReadOwnSetting(
    const std::filesystem::path& iniFile, std::string_view key, std::string_view defaultValue);

// Throws TError "Unable to write to <file>" on any failure.
void WriteOwnSetting(const std::filesystem::path& iniFile, std::string_view key,
    std::string_view value, std::string_view defaultValue);

// A switch: on for any number but 0; off when missing or not a number. Written as 1 or 0.
bool ReadOwnFlag(const std::filesystem::path& iniFile, std::string_view key);
void WriteOwnFlag(const std::filesystem::path& iniFile, std::string_view key, bool on);
