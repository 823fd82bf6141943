#include "app/ReadoutSettings.h"

#include "common/Error.h"
#include "common/IntegerText.h"
#include "common/ProfileFile.h"
#include "common/TextRules.h"

#include <exception>

namespace {

constexpr const char* Section = "Tintwright";
constexpr const char* Key = "ShowSelectedItem";

} // namespace

bool ReadShowSelectedItem(const std::filesystem::path& iniFile)
{
    const auto value = TryTextToInt(ReadProfileString(iniFile, Section, Key, ""));
    return value && *value != 0;
}

void WriteShowSelectedItem(const std::filesystem::path& iniFile, bool show)
{
    if (ReadShowSelectedItem(iniFile) == show)
        return;
    try {
        WriteProfileString(iniFile, Section, Key, show ? "1" : "0");
    } catch (const std::exception&) {
        throw TError(FormatText("Unable to write to %s", iniFile.c_str()), iniFile);
    }
}
