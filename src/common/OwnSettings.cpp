#include "common/OwnSettings.h"

#include "common/Error.h"
#include "common/IntegerText.h"
#include "common/ProfileFile.h"
#include "common/TextRules.h"

#include <exception>

namespace {

constexpr const char* Section = "Tintwright";

void WriteValue(const std::filesystem::path& iniFile, std::string_view key, std::string_view value)
{
    try {
        WriteProfileString(iniFile, Section, key, value);
    } catch (const std::exception&) {
        throw TError(FormatText("Unable to write to %s", iniFile.c_str()), iniFile);
    }
}

} // namespace

std::string ReadOwnSetting(
    const std::filesystem::path& iniFile, std::string_view key, std::string_view defaultValue)
{
    return ReadProfileString(iniFile, Section, key, defaultValue);
}

void WriteOwnSetting(const std::filesystem::path& iniFile, std::string_view key,
    std::string_view value, std::string_view defaultValue)
{
    if (ReadOwnSetting(iniFile, key, defaultValue) != value)
        WriteValue(iniFile, key, value);
}

bool ReadOwnFlag(const std::filesystem::path& iniFile, std::string_view key)
{
    const auto value = TryTextToInt(ReadOwnSetting(iniFile, key, ""));
    return value && *value != 0;
}

void WriteOwnFlag(const std::filesystem::path& iniFile, std::string_view key, bool on)
{
    if (ReadOwnFlag(iniFile, key) != on)
        WriteValue(iniFile, key, on ? "1" : "0");
}
