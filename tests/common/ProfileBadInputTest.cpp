#include "common/ProfileFile.h"

#include "BadInput.h"
#include "MemoryMeter.h"
#include "TemporaryFolder.h"
#include "app/Settings.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <functional>
#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

std::string Utf16(std::string_view text)
{
    std::string wide = "\xFF\xFE";
    for (const char c : text) {
        wide += c;
        wide += '\0';
    }
    return wide;
}

// As large as a file may be, with room left for the settings written back. The sanitizer build
// is an unoptimised debug build: it reads a quarter of the size.
constexpr std::size_t Large = MaxProfileFileSize - 4096;
constexpr std::size_t HugeLine = AddressSanitizer ? Large / 4 : Large;
constexpr int Thousands = AddressSanitizer ? 5'000 : 20'000;

std::string ManyKeys()
{
    std::string text = "[Language]\r\n";
    for (int i = 0; i < Thousands; ++i)
        text += "Key" + std::to_string(i) + "=" + std::to_string(i) + "\r\n";
    return text + "DefaultLanguage=Deutsch\r\n";
}

std::string ManySections()
{
    std::string text;
    for (int i = 0; i < Thousands; ++i)
        text += "[Section" + std::to_string(i) + "]\r\nDefaultPreview=wrong.cpf\r\n";
    return text + "[Preview]\r\nDefaultPreview=right.cpf\r\n";
}

std::string RepeatedSection()
{
    std::string text;
    for (int i = 0; i < Thousands; ++i)
        text += "[Language]\r\nDefaultLanguage=" + std::to_string(i) + "\r\n";
    return text;
}

std::string RepeatedKey()
{
    std::string text = "[Colors]\r\n";
    for (int i = 0; i < Thousands; ++i)
        text += "DefaultColors=" + std::to_string(i) + ".clr\r\n";
    return text;
}

struct TBadProfile
{
    const char* Name;
    std::function<std::string()> Make;
    // What the settings read as; the defaults where a key cannot be read.
    std::string Language = "English", Preview = "Preview.cpf", Colors = "default.clr";
    std::uint16_t Version = 5;
};

void PrintTo(const TBadProfile& row, std::ostream* out)
{
    *out << row.Name;
}

class ProfileBadInputTest : public ::testing::TestWithParam<TBadProfile>
{
};

TEST_P(ProfileBadInputTest, ReadsWhatCanBeReadAndWritesWithoutLosingTheRest)
{
    const TBadProfile& row = GetParam();
    TTemporaryFolder folder;
    const fs::path file = folder / "tintwright.ini";
    std::size_t fileSize = 0;
    {
        const std::string bytes = row.Make();
        fileSize = bytes.size();
        WriteBytes(file, bytes);
    }

    TSettings settings {};
    const std::int64_t growth = PeakGrowth([&] { ASSERT_NO_THROW(settings = ReadSettings(file)); });
    EXPECT_EQ(settings.DefaultLanguage, row.Language);
    EXPECT_EQ(settings.DefaultPreview, row.Preview);
    EXPECT_EQ(settings.DefaultColors, row.Colors);
    EXPECT_EQ(settings.TomTomVersion, row.Version);
    if (!AddressSanitizer && growth >= 0) {
        EXPECT_LT(growth, static_cast<std::int64_t>(4 * fileSize) + 64 * MiB)
            << "peak resident memory grew by " << growth / MiB << " MiB";
    }

    // The one-key reader and the indexed reader see the same file.
    const TProfileFile profile(file);
    for (const auto& [section, key] :
        {std::pair {"Language", "DefaultLanguage"}, {"Preview", "DefaultPreview"},
            {"Colors", "DefaultColors"}, {"System", "TomTomVersion"}}) {
        SCOPED_TRACE(key);
        EXPECT_EQ(
            ReadProfileString(file, section, key, "?"), profile.ReadString(section, key, "?"));
    }

    // Writing the two settings back changes them and keeps the others as they read.
    TSettings written = settings;
    written.DefaultLanguage = "Written";
    written.DefaultPreview = "/elsewhere/p.cpf";
    ASSERT_NO_THROW(WriteSettings(file, written, "/program/previews/"));
    const TSettings reread = ReadSettings(file);
    EXPECT_EQ(reread.DefaultLanguage, "Written");
    EXPECT_EQ(reread.DefaultPreview, "/elsewhere/p.cpf");
    EXPECT_EQ(reread.DefaultColors, row.Colors);
    EXPECT_EQ(reread.TomTomVersion, row.Version);
    EXPECT_EQ(folder.Listing(), "tintwright.ini\n");
}

const std::vector<TBadProfile> BadProfiles = {
    // No "[", so that no header appears by chance.
    {"binary_junk", [] { return RandomBytes(Large, 1, '[', ']'); }},
    {"binary_junk_before_the_keys",
        [] {
            return RandomBytes(Large, 2, '[', ']')
                + "\r\n[Language]\r\nDefaultLanguage=Deutsch\r\n";
        },
        "Deutsch"},
    {"binary_junk_as_values",
        [] {
            return "[Language]\r\nDefaultLanguage=\x01\x02\x7F\x80\xFF\r\n[System]\r\n"
                   "TomTomVersion=\xFF\xFE\r\n"s;
        },
        "\x01\x02\x7F\x80\xFF"},
    {"utf_16_file", [] { return Utf16("[Language]\r\nDefaultLanguage=Deutsch\r\n"); }},
    {"zero_byte_in_a_key", [] { return "[Language]\r\nDefault\0Language=Deutsch\r\n"s; }},
    {"zero_byte_in_a_section_name", [] { return "[Lang\0uage]\r\nDefaultLanguage=Deutsch\r\n"s; }},
    {"zero_byte_in_a_value", [] { return "[Language]\r\nDefaultLanguage=Deu\0tsch\r\n"s; },
        "Deu\0tsch"s},
    {"only_zero_bytes", [] { return std::string(Large, '\0'); }},
    {"only_carriage_returns", [] { return std::string(HugeLine / 16, '\r'); }},
    {"lone_bracket", [] { return "["s; }},
    // Huge lines.
    {"huge_line_before_the_keys",
        [] { return std::string(HugeLine, 'x') + "\r\n[Language]\r\nDefaultLanguage=Deutsch\r\n"; },
        "Deutsch"},
    {"huge_value_is_cut",
        [] { return "[Language]\r\nDefaultLanguage=" + std::string(HugeLine, 'x') + "\r\n"; },
        std::string(2047, 'x')},
    {"huge_section_name", [] { return "[" + std::string(HugeLine, 'L'); }},
    {"huge_key_name", [] { return "[Language]\r\n" + std::string(HugeLine, 'K') + "=1"; }},
    {"huge_number",
        [] { return "[System]\r\nTomTomVersion=" + std::string(HugeLine, '9') + "\r\n"; }},
    // Thousands of keys and sections.
    {"many_keys_before_the_one_read", ManyKeys, "Deutsch"},
    {"many_sections_before_the_one_read", ManySections, "English", "right.cpf"},
    {"many_sections_of_the_same_name", RepeatedSection, "0"},
    {"many_entries_of_the_same_key", RepeatedKey, "English", "Preview.cpf", "0.clr"},
};

INSTANTIATE_TEST_SUITE_P(Rows, ProfileBadInputTest, ::testing::ValuesIn(BadProfiles), TRowName());

} // namespace
