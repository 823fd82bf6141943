#include "i18n/LanguageKeys.h"

#include "app/BuiltInTexts.h"
#include "app/CommandTable.h"
#include "common/ProfileFile.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

// "Section/Key -> target", the target by kind and by its index or name.
std::string Describe(const TLanguageKey& key)
{
    const char* const kinds[] = {"text", "menu", "caption", "hint", "control", "CustomText",
        "ColorHintText", "IntensityHintText", "WhatsThis", "filter"};
    const int kind = static_cast<int>(key.Target);
    std::string target = kinds[kind];
    if (key.Target == TLanguageTarget::TranslatedText || key.Target == TLanguageTarget::MenuCaption
        || key.Target == TLanguageTarget::FilterName)
        target += " " + std::to_string(key.Index);
    else if (*key.Name != '\0')
        target += std::string(" ") + key.Name;
    return std::string(key.Section) + "/" + key.Key + " -> " + target;
}

TEST(LanguageKeysTest, ReadsEveryKeyInTheFilesOrder)
{
    const std::vector<std::string> expected = {
        "Application/ApplicationName -> text 2",
        "Application/SaveChanges -> text 0",
        "Application/Modified -> text 1",
        "Application/HelpFile -> text 3",
        "FileMenu/Name -> menu 0",
        "FileMenu/ItemNew -> caption ActionFileNew",
        "FileMenu/ItemNewHint -> hint ActionFileNew",
        "FileMenu/ItemOpen -> caption ActionFileOpen",
        "FileMenu/ItemOpenHint -> hint ActionFileOpen",
        "FileMenu/ItemSave -> caption ActionFileSave",
        "FileMenu/ItemSaveHint -> hint ActionFileSave",
        "FileMenu/ItemSaveAs -> caption ActionFileSaveAs",
        "FileMenu/ItemSaveAsHint -> hint ActionFileSaveAs",
        "FileMenu/ItemExit -> caption ActionFileExit",
        "FileMenu/ItemExitHint -> hint ActionFileExit",
        "EditMenu/Name -> menu 1",
        "EditMenu/ItemUndo -> caption ActionEditUndo",
        "EditMenu/ItemUndoHint -> hint ActionEditUndo",
        "EditMenu/ItemRedo -> caption ActionEditRedo",
        "EditMenu/ItemRedoHint -> hint ActionEditRedo",
        "ToolsMenu/Name -> menu 2",
        "ToolsMenu/ItemPreview -> caption ActionToolsOpenPreview",
        "ToolsMenu/ItemPreviewHint -> hint ActionToolsOpenPreview",
        "ToolsMenu/ItemReference -> caption ActionToolsReference",
        "ToolsMenu/ItemReferenceHint -> hint ActionToolsReference",
        "ToolsMenu/ItemConvert -> caption ActionToolsImport",
        "ToolsMenu/ItemConvertHint -> hint ActionToolsImport",
        "ToolsMenu/ItemClipboard -> caption ActionToolsClipboard",
        "ToolsMenu/ItemClipboard -> hint ActionToolsClipboard",
        "ToolsMenu/ItemLanguage -> caption ActionToolsSwitchLanguage",
        "ToolsMenu/ItemLanguageHint -> hint ActionToolsSwitchLanguage",
        "HelpMenu/Name -> menu 3",
        "HelpMenu/ItemContents -> caption ActionHelpContents",
        "HelpMenu/ItemContentsHint -> hint ActionHelpContents",
        "HelpMenu/ItemIndex -> caption ActionHelpIndex",
        "HelpMenu/ItemIndexHint -> hint ActionHelpIndex",
        "HelpMenu/ItemWeb -> caption ActionHelpWeb",
        "HelpMenu/ItemWebHint -> hint ActionHelpWeb",
        "HelpMenu/ItemAbout -> caption ActionHelpAbout",
        "HelpMenu/ItemAboutHint -> hint ActionHelpAbout",
        "HelpMenu/ItemWhatsThis -> WhatsThis",
        "GroupItem/Caption -> control GroupBox1",
        "GroupItem/Info -> control Label1",
        "GroupColor/Caption -> control GroupBox2",
        "GroupColor/Info -> control Label2",
        "GroupColor/InfoRGB -> control Label3",
        "GroupColor/CustomColors -> CustomText",
        "GroupColor/HintRGB -> ColorHintText",
        "GroupColor/HintIntensity -> IntensityHintText",
        "GroupDescription/Caption -> control GroupBox4",
        "GroupPreview/Caption -> control GroupBox3",
        "Application/Filter1 -> filter 0",
        "Application/Filter2 -> filter 1",
        "Application/Filter3 -> filter 2",
        "Application/Filter4 -> filter 3",
        "GroupLanguage/Caption -> text 4",
        "GroupLanguage/Translation -> text 5",
        "GroupLanguage/OK -> text 6",
        "GroupLanguage/Cancel -> text 7",
    };
    std::vector<std::string> actual;
    for (const TLanguageKey& key : LanguageKeys)
        actual.push_back(Describe(key));
    EXPECT_EQ(actual, expected);
}

TEST(LanguageKeysTest, EveryCommandsCaptionAndHintIsReadExactlyOnce)
{
    std::map<std::size_t, int> captions, hints;
    for (const TLanguageKey& key : LanguageKeys) {
        if (key.Target == TLanguageTarget::CommandCaption
            || key.Target == TLanguageTarget::CommandHint) {
            ASSERT_LT(CommandIndex(key.Name), CommandCount) << key.Name << " is no command";
            ++(key.Target == TLanguageTarget::CommandCaption ? captions
                                                             : hints)[CommandIndex(key.Name)];
        }
    }
    for (std::size_t row = 0; row < CommandCount; ++row) {
        SCOPED_TRACE(Commands[row].Name);
        EXPECT_EQ(captions[row], 1);
        EXPECT_EQ(hints[row], 1);
    }
}

TEST(LanguageKeysTest, ValuesFallBackToTheCurrentTextExceptFilterNames)
{
    const TProfileFile file = TProfileFile::FromText("[application]\r\n"
                                                     "APPLICATIONNAME = Titel \r\n"
                                                     "SaveChanges=\r\n"
                                                     "Modified=Ge\xE4ndert\0junk\r\n"
                                                     "Filter2=Alle Dateien\r\n"
                                                     "[ToolsMenu]\r\n"
                                                     "ItemClipboard=Aus der Zwischenablage\r\n"
                                                     "[GroupItem]\r\n"
                                                     "Caption="s
        + std::string(3000, 'x') + "\r\n");
    const auto row = [](std::string_view section, std::string_view key, TLanguageTarget target) {
        for (const TLanguageKey& row : LanguageKeys) {
            if (row.Section == section && row.Key == key && row.Target == target)
                return row;
        }
        ADD_FAILURE() << section << "/" << key << " is not read";
        return LanguageKeys[0];
    };
    using T = TLanguageTarget;
    const struct
    {
        const char* Name;
        TLanguageKey Key;
        std::string Expected;
    } rows[] = {
        {"names ignore case, blanks trimmed",
            row("Application", "ApplicationName", T::TranslatedText), "Titel"},
        {"present but empty", row("Application", "SaveChanges", T::TranslatedText), ""},
        {"cut at a NUL byte", row("Application", "Modified", T::TranslatedText), "Ge\xE4ndert"},
        {"missing keeps the current text", row("Application", "HelpFile", T::TranslatedText),
            "current"},
        {"long value cut", row("GroupItem", "Caption", T::ControlCaption), std::string(2047, 'x')},
        {"filter present", row("Application", "Filter2", T::FilterName), "Alle Dateien"},
        {"filter missing is English, not current", row("Application", "Filter1", T::FilterName),
            "TomTom Color Files"},
        {"clipboard caption", row("ToolsMenu", "ItemClipboard", T::CommandCaption),
            "Aus der Zwischenablage"},
        {"clipboard hint from the same key", row("ToolsMenu", "ItemClipboard", T::CommandHint),
            "Aus der Zwischenablage"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Name);
        EXPECT_EQ(ReadLanguageValue(file, r.Key, "current"), r.Expected);
    }
}

// Damaged and hostile files: every value read stays one line of at most 2047 bytes, and the keys
// that are there still read.
TEST(LanguageKeysTest, HostileFilesGiveUsableTexts)
{
    std::string manyKeys = "[FileMenu]\r\n";
    for (int i = 0; i < 100000; ++i)
        manyKeys += "Item" + std::to_string(i) + "=" + std::to_string(i) + "\r\n";
    manyKeys += "ItemNew=&Neu\r\n";
    std::string junk;
    for (int i = 0; i < 65536; ++i)
        junk.push_back(static_cast<char>((i * 7919) >> 3));
    const struct
    {
        const char* Name;
        std::string Text;
        const char* Section;
        const char* Key;
        std::string Expected; // of that key
    } rows[] = {
        {"16 MB line",
            "[FileMenu]\r\nItemNew=" + std::string(16 << 20, 'n') + "\r\nItemOpen=Auf\r\n",
            "FileMenu", "ItemOpen", "Auf"},
        {"100,000 keys", manyKeys, "FileMenu", "ItemNew", "&Neu"},
        {"binary junk", junk + "\n[FileMenu]\nItemNew=&Neu\n", "FileMenu", "ItemNew", "&Neu"},
        {"format directives are kept as text", "[Application]\r\nSaveChanges=%s%n%p%%\r\n",
            "Application", "SaveChanges", "%s%n%p%%"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        const TProfileFile file = TProfileFile::FromText(row.Text);
        for (const TLanguageKey& key : LanguageKeys) {
            const std::string value = ReadLanguageValue(file, key, "current");
            EXPECT_LE(value.size(), 2047u);
            EXPECT_EQ(value.find_first_of(std::string_view("\r\n\0", 3)), std::string::npos);
            if (key.Section == std::string_view(row.Section)
                && key.Key == std::string_view(row.Key)) {
                EXPECT_EQ(value, row.Expected);
            }
        }
    }
}

} // namespace
