// Language files: any bytes read as one, every key of the key table with a default, as the window
// applies it, the counts it says in the singular, and the chooser's entry for it. Nothing may
// crash, and every text the interface would receive is a usable one line of at most 2047 bytes.

#include "FuzzCheck.h"
#include "app/BuiltInTexts.h"
#include "common/ProfileFile.h"
#include "i18n/LanguageFile.h"
#include "i18n/LanguageKeys.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

constexpr std::size_t MaxValueLength = 2047;
// A default no file can hold: a line break never reaches a value.
constexpr std::string_view Absent = "\n<absent>";

bool IsOneLine(std::string_view text)
{
    return text.size() <= MaxValueLength
        && text.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const TProfileFile file = TProfileFile::FromText(text);

    for (const TLanguageKey& key : LanguageKeys) {
        const std::string current = BuiltInText(key);
        const std::string value = ReadLanguageValue(file, key, current);
        FUZZ_CHECK(IsOneLine(value));
        // A key the file lacks leaves the current text; the filter names return to English.
        const std::string raw = file.ReadString(key.Section, key.Key, Absent);
        if (raw == Absent) {
            FUZZ_CHECK(value == current);
        } else {
            FUZZ_CHECK(raw.starts_with(value));
            FUZZ_CHECK(ReadLanguageValue(file, key, "other") == value);
        }
        if (key.Target == TLanguageTarget::FilterName)
            FUZZ_CHECK(ReadLanguageValue(file, key, "other") == value);
    }

    // The counts said in the singular: a short list of numbers the language names, or none.
    if (const auto counts = ReadSingularCounts(file)) {
        FUZZ_CHECK(counts->size() <= 16);
        for (const std::uint64_t count : *counts)
            FUZZ_CHECK(count <= 999999999);
    }

    const TLanguageItem item = ReadLanguageItem(file, "Fuzz.clf");
    FUZZ_CHECK(item.FileName == "Fuzz.clf");
    FUZZ_CHECK(IsOneLine(item.LanguageName));
    FUZZ_CHECK(IsOneLine(item.Translator));
    if (file.ReadString("Language", "Language", Absent) == Absent)
        FUZZ_CHECK(item.LanguageName == "Fuzz.clf");
    return 0;
}
