// The shipped language files translate every text of the find, recolour and clipboard tools,
// keep each text's placeholders, and give the Edit menu's entries distinct accelerators.
#include "tools/ColorClipboard.h"
#include "tools/FindAndRecolor.h"

#include "FakeDocument.h"
#include "common/ProfileFile.h"
#include "preview/PreviewImage.h"
#include "tools/ToolPreferences.h"

#include <QLabel>
#include <QListWidget>
#include <QRegularExpression>
#include <QWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

const std::filesystem::path LanguagesData
    = std::filesystem::path(TINTWRIGHT_DATA_DIR) / "languages";
constexpr std::string_view Absent = "\x01<absent>";

std::set<QString> Placeholders(const std::string& text)
{
    std::set<QString> found;
    const QRegularExpression placeholder("%[0-9]");
    for (const auto& match : placeholder.globalMatch(QString::fromLatin1(text)))
        found.insert(match.captured());
    return found;
}

// The letter after a single "&", lower case (Windows-1252 capitals too).
int Accelerator(const std::string& caption)
{
    const std::size_t at = caption.find('&');
    if (at == std::string::npos || at + 1 >= caption.size())
        return 0;
    const auto c = static_cast<unsigned char>(caption[at + 1]);
    return (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) ? c + 0x20 : c;
}

// The captions with an accelerator in each tool window. While a tool window is active the main
// window's shortcuts keep working, its menu bar's letters among them, so a window's letters must
// differ from those and from each other.
const std::vector<std::vector<const char*>> ToolWindowCaptions = {
    {"FindLabel", "FindChanged", "FindNotOnPreview", "FindHardToTell", "Select"},
    {"ReplaceFrom", "ReplaceTo"},
    {"AdjustScopeFound", "AdjustScopeAll", "AdjustHue", "AdjustChroma", "AdjustLightness",
        "AdjustReset"},
};

TEST(ToolLanguagesTest, ShippedFilesTranslateEveryTextOfTheTools)
{
    QWidget window;
    TPreviewImage preview(&window);
    QListWidget list(&window);
    QLabel panel(&window);
    TStatusPanel status(panel);
    TToolPreferences preferences;
    TFakeDocument document(&list);
    const TToolContext context {document, window, preview, list, status, preferences};
    std::vector<std::unique_ptr<TTool>> tools;
    tools.push_back(std::make_unique<TFindAndRecolor>(context));
    tools.push_back(std::make_unique<TColorClipboard>(context));

    struct TKey
    {
        std::string Section, Key, English;
        bool EditCaption;
    };
    std::vector<TKey> keys;
    for (const auto& tool : tools) {
        for (const TToolCommand& command : tool->Commands()) {
            keys.push_back({command.Section, command.CaptionKey, command.Caption,
                command.Menu == TToolMenu::Edit});
            keys.push_back({command.Section, command.HintKey, command.Hint, false});
        }
        for (const TTextKey& text : tool->Texts())
            keys.push_back({text.Section, text.Key, text.English, false});
    }

    for (const char* language : {"English", "Deutsch", "Francais"}) {
        SCOPED_TRACE(language);
        const TProfileFile file(LanguagesData / (std::string(language) + ".clf"));
        // The window's own entries of the Edit menu come first.
        std::set<int> accelerators;
        for (const char* own : {"ItemUndo", "ItemRedo"})
            accelerators.insert(Accelerator(file.ReadString("EditMenu", own, "")));
        for (const TKey& key : keys) {
            SCOPED_TRACE(key.Section + "/" + key.Key);
            const std::string value = file.ReadString(key.Section, key.Key, Absent);
            ASSERT_NE(value, Absent);
            EXPECT_FALSE(value.empty());
            if (std::string_view(language) == "English") {
                EXPECT_EQ(value, key.English);
            }
            EXPECT_EQ(Placeholders(value), Placeholders(key.English));
            if (key.EditCaption) {
                EXPECT_TRUE(accelerators.insert(Accelerator(value)).second)
                    << value << ": accelerator taken";
            }
        }
        for (const auto& captions : ToolWindowCaptions) {
            std::set<int> taken;
            for (const char* menu : {"FileMenu", "EditMenu", "ToolsMenu", "HelpMenu"})
                taken.insert(Accelerator(file.ReadString(menu, "Name", "")));
            for (const char* caption : captions) {
                const std::string value = file.ReadString("FindAndRecolor", caption, "");
                EXPECT_GT(Accelerator(value), 0) << caption;
                EXPECT_TRUE(taken.insert(Accelerator(value)).second)
                    << value << ": accelerator taken in its window or by the menu bar";
            }
        }
    }
}

} // namespace
