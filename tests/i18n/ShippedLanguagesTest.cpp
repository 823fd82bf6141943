#include "app/BuiltInTexts.h"
#include "app/CommandTable.h"
#include "common/ProfileFile.h"
#include "i18n/LanguageFile.h"
#include "i18n/LanguageKeys.h"

#include "TemporaryFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const fs::path LanguagesData = fs::path(TINTWRIGHT_DATA_DIR) / "languages";
constexpr std::string_view Absent = "\x01<absent>";

// The printf directives of a text, in order ("%d", "%%"); hints must keep English's.
std::vector<std::string> Directives(std::string_view text)
{
    std::vector<std::string> directives;
    for (std::size_t at = text.find('%'); at != std::string_view::npos; at = text.find('%', at)) {
        std::size_t end = at + 1;
        while (end < text.size()
            && std::string_view("-+ 0123456789.").find(text[end]) != std::string_view::npos)
            ++end;
        directives.emplace_back(text.substr(at, end + 1 - at));
        at = end + 1;
    }
    return directives;
}

// The accelerator letter after a single "&", folded to lower case (Windows-1252 letters too);
// 0 when there is none, -1 when there are several.
int Accelerator(std::string_view caption)
{
    int letter = 0;
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        if (letter != 0)
            return -1;
        const auto c = static_cast<unsigned char>(caption[i + 1]);
        letter = (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) ? c + 0x20 : c;
    }
    return letter;
}

class ShippedLanguagesTest : public ::testing::TestWithParam<const char*>
{
};

TEST_P(ShippedLanguagesTest, HoldsEveryKeyInWindows1252WithUniqueAccelerators)
{
    const fs::path file = LanguagesData / (std::string(GetParam()) + ".clf");
    const std::string bytes = ReadBytes(file);
    ASSERT_FALSE(bytes.empty()) << file;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c == '\n') {
            EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << "lone LF at " << i;
        }
        if (c == '\r') {
            EXPECT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "lone CR at " << i;
        }
        // A UTF-8 lead byte followed by a continuation byte: the file was saved as UTF-8.
        if (c >= 0xC2 && c <= 0xF4 && i + 1 < bytes.size()) {
            const auto next = static_cast<unsigned char>(bytes[i + 1]);
            EXPECT_FALSE(next >= 0x80 && next <= 0xBF) << "UTF-8 sequence at " << i;
        }
    }
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");

    const TProfileFile language(file);
    const TProfileFile english(LanguagesData / "English.clf");
    const TLanguageItem item = ReadLanguageItem(file);
    EXPECT_NE(item.LanguageName, item.FileName) << "names its language";
    EXPECT_FALSE(item.Translator.empty());

    // Accelerators by menu: the menu bar, then each menu's commands.
    std::map<std::string, std::set<int>> menus;
    const auto accelerate = [&](const std::string& menu, const std::string& caption) {
        const int letter = Accelerator(caption);
        EXPECT_GT(letter, 0) << caption << ": one accelerator";
        EXPECT_TRUE(menus[menu].insert(letter).second)
            << caption << ": accelerator taken in " << menu;
    };
    for (const TLanguageKey& key : LanguageKeys) {
        SCOPED_TRACE(std::string(key.Section) + "/" + key.Key);
        const std::string value = language.ReadString(key.Section, key.Key, Absent);
        ASSERT_NE(value, Absent);
        EXPECT_EQ(Directives(value), Directives(english.ReadString(key.Section, key.Key, "")));
        if (key.Target == TLanguageTarget::MenuCaption)
            accelerate("menu bar", value);
        if (key.Target == TLanguageTarget::CommandCaption)
            accelerate(std::to_string(int(Commands[CommandIndex(key.Name)].Category)), value);
    }
}

INSTANTIATE_TEST_SUITE_P(Shipped, ShippedLanguagesTest,
    ::testing::Values("English", "Deutsch", "Francais"),
    [](const auto& info) { return std::string(info.param); });

TEST(ShippedEnglishTest, IsTheBuiltInInterface)
{
    const TProfileFile english(LanguagesData / "English.clf");
    for (const TLanguageKey& key : LanguageKeys) {
        SCOPED_TRACE(std::string(key.Section) + "/" + key.Key);
        std::string builtIn = BuiltInText(key);
        // The picker's own hint formats, which its empty built-in texts stand for.
        if (key.Target == TLanguageTarget::PickerColorHint)
            builtIn = "red: %d, green: %d, blue: %d";
        if (key.Target == TLanguageTarget::PickerIntensityHint)
            builtIn = "Intensity: %d%%";
        // The clipboard command's hint is read from its caption's key.
        if (key.Target == TLanguageTarget::CommandHint
            && std::string_view(key.Key) == "ItemClipboard")
            builtIn = Commands[CommandIndex(key.Name)].Caption;
        EXPECT_EQ(english.ReadString(key.Section, key.Key, Absent), builtIn);
    }
    const struct
    {
        const char* Language;
        const char* Name;
        const char* HelpFile;
        const char* HintRGB; // German capitalises its nouns, French and English do not
        const char* Locale; // of Qt's own texts
    } rows[] = {
        {"English", "English", "help-en.chm", "red: %d, green: %d, blue: %d", "en"},
        {"Deutsch", "Deutsch", "help-de.chm", "Rot: %d, Gr\xFCn: %d, Blau: %d", "de"},
        {"Francais",
            "Fran\xE7"
            "ais",
            "help-fr.chm", "rouge : %d, vert : %d, bleu : %d", "fr"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Language);
        const fs::path file = LanguagesData / (std::string(row.Language) + ".clf");
        const TProfileFile profile(file);
        EXPECT_EQ(ReadLanguageItem(file).LanguageName, row.Name);
        EXPECT_EQ(profile.ReadString("Application", "HelpFile", ""), row.HelpFile);
        EXPECT_EQ(profile.ReadString("GroupColor", "HintRGB", ""), row.HintRGB);
        EXPECT_EQ(ReadLanguageLocale(profile), row.Locale);
    }
}

} // namespace
