#include "i18n/LanguageFile.h"

#include "TemporaryFolder.h"
#include "common/ProfileFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

TEST(LanguageFileTest, ResolvesTheThreeFormsOfALanguageValue)
{
    const struct
    {
        const char* Name;
        const char* Value;
        const char* Expected;
    } rows[] = {
        {"bare name", "Deutsch", "/opt/tw/languages/Deutsch.clf"},
        {"file name", "Deutsch.clf", "/opt/tw/languages/Deutsch.clf"},
        {"other extension kept", "Deutsch.ini", "/opt/tw/languages/Deutsch.ini"},
        {"trailing dot is an extension", "Deutsch.", "/opt/tw/languages/Deutsch."},
        {"empty value", "", "/opt/tw/languages/.clf"},
        {"full path", "/home/ann/Deutsch.clf", "/home/ann/Deutsch.clf"},
        {"path without extension", "/home/ann/Deutsch", "/home/ann/Deutsch.clf"},
        {"dot only in a folder", "/home/ann.b/Deutsch", "/home/ann.b/Deutsch.clf"},
        {"relative path", "langs/Deutsch.clf", "langs/Deutsch.clf"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        EXPECT_EQ(LanguageFilePath(row.Value, "/opt/tw/").string(), row.Expected);
    }
    EXPECT_EQ(LanguagesFolder("/opt/tw/").string(), "/opt/tw/languages/");
}

std::string Show(const TLanguageItem& item)
{
    return item.FileName + " | " + item.LanguageName + " | " + item.Translator;
}

TEST(LanguageFileTest, ListsEveryClfEntryWithItsLanguageSection)
{
    TTemporaryFolder folder;
    WriteBytes(folder / "Deutsch.clf", "[Language]\r\nLanguage=Deutsch\r\nTranslator=Anna\r\n");
    WriteBytes(folder / "English.clf", "[Application]\r\nModified=Modified\r\n");
    WriteBytes(folder / "Empty.clf", "[language]\r\nlanguage=\r\ntranslator=\r\n");
    WriteBytes(folder / "UPPER.CLF", "[Language]\nLanguage=Upper\n");
    WriteBytes(folder
            / "Fran\xC3\xA7"
              "ais.clf",
        "");
    WriteBytes(folder / "Latin\xE9.clf", "");
    WriteBytes(folder / ".clf", "");
    WriteBytes(folder / "notes.txt", "[Language]\r\nLanguage=Notes\r\n");
    WriteBytes(folder / "Deutsch.clf.bak", "");
    WriteBytes(folder / "clf", "");
    fs::create_directory(folder / "x.clf");
    // Special files are listed by name but never opened: a FIFO without a writer would block.
    ASSERT_EQ(::mkfifo((folder / "fifo.clf").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", folder / "zero.clf");

    ::alarm(20);
    std::vector<TLanguageItem> items = ListLanguageFiles(folder.Path());
    ::alarm(0);
    std::vector<std::string> listed;
    for (const TLanguageItem& item : items)
        listed.push_back(Show(item));
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed,
        (std::vector<std::string> {
            ".clf | .clf | ",
            "Deutsch.clf | Deutsch | Anna",
            "Empty.clf |  | ",
            "English.clf | English.clf | ",
            "Fran\xC3\xA7"
            "ais.clf | Fran\xE7"
            "ais.clf | ",
            "Latin\xE9.clf | Latin\xE9.clf | ",
            "UPPER.CLF | Upper | ",
            "fifo.clf | fifo.clf | ",
            "x.clf | x.clf | ",
            "zero.clf | zero.clf | ",
        }));

    EXPECT_TRUE(ListLanguageFiles(folder / "missing").empty());
    EXPECT_TRUE(ListLanguageFiles(folder / "notes.txt").empty());
}

TEST(LanguageFileTest, FindsTheEntryOfTheFileALanguageValueNamesIgnoringCase)
{
    const std::vector<TLanguageItem> items = {
        {"Deutsch.clf", "Deutsch", ""}, {"English.clf", "English", ""},
        {"ENGLISH.clf", "English (2)", ""},
        {"Fran\xE7"
         "ais.clf",
            "Fran\xE7"
            "ais",
            ""}, // a Windows-1252 name on disk
        {"Espa\xC3\xB1ol.clf", "Espa\xF1ol", ""}, // a UTF-8 name on disk
    };
    const struct
    {
        const char* Name;
        const char* Value;
        int Expected;
    } rows[] = {
        {"file name", "Deutsch.clf", 0},
        {"file name in other case, first match", "english.CLF", 1},
        {"bare name, as on a first start", "English", 1},
        {"bare name in other case", "deutsch", 0},
        {"bare name with another extension", "Deutsch.ini", -1},
        {"path in the languages folder", "/opt/tw/languages/Deutsch.clf", 0},
        {"path without extension", "/opt/tw/languages/Deutsch", 0},
        {"path through . and ..", "/opt/tw/./x/../languages//Deutsch.clf", 0},
        {"path in another folder", "/home/ann/Deutsch.clf", -1},
        {"path in a folder of the same name elsewhere", "/opt/languages/Deutsch.clf", -1},
        {"relative path", "languages/Deutsch.clf", -1},
        {"accented capital",
            "FRAN\xC7"
            "AIS.clf",
            3},
        {"accent missing", "francais.clf", -1},
        {"Windows-1252 value, UTF-8 entry", "ESPA\xD1OL", 4},
        {"UTF-8 value in other case", "espa\xC3\xB1ol.CLF", 4},
        {"UTF-8 value without the accent", "espanol.clf", -1},
        {"empty value", "", -1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        EXPECT_EQ(FindLanguageItem(items, row.Value, "/opt/tw/languages/"), row.Expected);
    }
    EXPECT_EQ(FindLanguageItem(items, "/opt/tw/languages/Deutsch.clf", "/opt/tw/languages"), 0)
        << "folder given without its trailing /";
    EXPECT_EQ(FindLanguageItem({}, "English.clf", "/opt/tw/languages/"), -1);
}

TEST(LanguageFileTest, ReadsTheLocaleForQtsOwnTextsOnlyWhenItIsALocaleName)
{
    const struct
    {
        const char* Name;
        const char* Text;
        const char* Expected;
    } rows[] = {
        {"language", "[Language]\r\nLocale=de\r\n", "de"},
        {"with a country, blanks around", "[language]\r\nlocale =  pt_BR \r\n", "pt_BR"},
        {"with a script", "[Language]\r\nLocale=zh-Hant\r\n", "zh-Hant"},
        {"missing", "[Language]\r\nLanguage=Deutsch\r\n", ""},
        {"in another section", "[Application]\r\nLocale=de\r\n", ""},
        {"empty", "[Language]\r\nLocale=\r\n", ""},
        {"a path", "[Language]\r\nLocale=../de\r\n", ""},
        {"a digit first", "[Language]\r\nLocale=1de\r\n", ""},
        {"an accented letter", "[Language]\r\nLocale=d\xE9\r\n", ""},
        {"a blank inside", "[Language]\r\nLocale=de DE\r\n", ""},
        {"longest kept", "[Language]\r\nLocale=abcdefghijklmnopqrstuvwxyz012345678\r\n",
            "abcdefghijklmnopqrstuvwxyz012345678"},
        {"too long", "[Language]\r\nLocale=abcdefghijklmnopqrstuvwxyz0123456789\r\n", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        EXPECT_EQ(ReadLanguageLocale(TProfileFile::FromText(row.Text)), row.Expected);
    }
}

// Which counts take the singular: French says "0 élément" as it says "1 élément".
TEST(LanguageFileTest, ReadsTheCountsSaidInTheSingular)
{
    using TList = std::vector<std::uint64_t>;
    using TCounts = std::optional<TList>;
    const struct
    {
        const char* Name;
        const char* Text;
        TCounts Expected;
    } rows[] = {
        {"one", "[Language]\r\nSingularCounts=1\r\n", TList {1}},
        {"zero and one", "[Language]\r\nSingularCounts=0, 1\r\n", TList {0, 1}},
        {"blanks only between", "[language]\r\nsingularcounts = 0 1\r\n", TList {0, 1}},
        {"empty: none is", "[Language]\r\nSingularCounts=\r\n", TList {}},
        {"missing", "[Language]\r\nLocale=fr\r\n", std::nullopt},
        {"a word", "[Language]\r\nSingularCounts=one\r\n", std::nullopt},
        {"a negative number", "[Language]\r\nSingularCounts=-1\r\n", std::nullopt},
        {"nine digits", "[Language]\r\nSingularCounts=999999999\r\n", TList {999999999}},
        {"ten digits", "[Language]\r\nSingularCounts=1000000000\r\n", std::nullopt},
        {"seventeen numbers",
            "[Language]\r\nSingularCounts=1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17\r\n",
            std::nullopt},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        EXPECT_EQ(ReadSingularCounts(TProfileFile::FromText(row.Text)), row.Expected);
    }
}

TEST(LanguageFileTest, BuildsTheFiveDialogsFiltersFromTheFourNames)
{
    std::string all;
    for (const TDialogFilters& dialog : BuildDialogFilters({"F1", "F2", "F3", "F4"})) {
        all += std::string(dialog.DialogName) + ":";
        for (const TFileFilter& filter : dialog.Filters)
            all += " " + filter.Name + " (" + filter.Pattern + ")";
        all += "\n";
    }
    EXPECT_EQ(all,
        "OpenDialogColorFile: F1 (*.clr) F2 (*)\n"
        "SaveDialogColorFile: F1 (*.clr) F2 (*)\n"
        "OpenDialogPreviewFile: F3 (*.cpf) F2 (*)\n"
        "SaveDialogPreviewFile: F3 (*.cpf) F2 (*)\n"
        "OpenPictureDialogPreviewBitmap: F4 (*.bmp) F2 (*)\n");
}

} // namespace
