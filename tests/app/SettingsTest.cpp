#include "app/Settings.h"

#include "TemporaryFolder.h"
#include "common/Error.h"

#include <gtest/gtest.h>

#include <vector>

namespace fs = std::filesystem;

namespace {

TEST(SettingsTest, MissingFileGivesDefaults)
{
    TTemporaryFolder folder;
    const TSettings settings = ReadSettings(folder / "tintwright.ini");
    EXPECT_EQ(settings.DefaultLanguage, "English");
    EXPECT_EQ(settings.DefaultPreview, "Preview.cpf");
    EXPECT_EQ(settings.DefaultColors, "default.clr");
    EXPECT_EQ(settings.TomTomVersion, 5);
}

TEST(SettingsTest, ReadsValuesAsTheyStand)
{
    TTemporaryFolder folder;
    const fs::path file = folder / "tintwright.ini";
    WriteBytes(file,
        "[system]\r\ntomtomversion=4\r\n[LANGUAGE]\r\nDefaultLanguage = Deutsch\r\n"
        "[Preview]\r\nDefaultPreview=my.cpf\r\n[Colors]\r\nDefaultColors=sub/night.clr\r\n");
    const TSettings settings = ReadSettings(file);
    EXPECT_EQ(settings.DefaultLanguage, "Deutsch");
    EXPECT_EQ(settings.DefaultPreview, "my.cpf");
    EXPECT_EQ(settings.DefaultColors, "sub/night.clr");
    EXPECT_EQ(settings.TomTomVersion, 4);
}

TEST(SettingsTest, TomTomVersionKeepsLow16Bits)
{
    struct TRow
    {
        const char* Name;
        const char* Text; // nullptr: no such key
        std::uint16_t Version;
    };
    const std::vector<TRow> rows = {
        {"plain", "4", 4},
        {"zero", "0", 0},
        {"hex", "0x10", 16},
        {"dollar hex", "$FFFF", 65535},
        {"minus one wraps", "-1", 65535},
        {"above 16 bits", "70000", 4464},
        {"exactly 65536", "65536", 0},
        {"eight hex digits", "$FFFFFFFF", 65535},
        {"blanks around", "  7  ", 7},
        {"quoted", "\"6\"", 6},
        {"empty", "", 5},
        {"not a number", "five", 5},
        {"trailing letters", "4a", 5},
        {"outside 32 bits", "2147483648", 5},
        {"nine hex digits", "$100000000", 5},
        {"missing key", nullptr, 5},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        TTemporaryFolder folder;
        const fs::path file = folder / "tintwright.ini";
        WriteBytes(file,
            row.Text ? std::string("[System]\r\nTomTomVersion=") + row.Text + "\r\n"
                     : "[System]\r\n");
        EXPECT_EQ(ReadSettings(file).TomTomVersion, row.Version);
    }
}

TEST(SettingsTest, CompletesOnlyValuesWithoutFolder)
{
    struct TRow
    {
        const char* Value;
        const char* Completed;
    };
    const std::vector<TRow> rows = {
        {"default.clr", "/opt/tw/schemes/default.clr"},
        {"sub/night.clr", "sub/night.clr"},
        {"/home/me/night.clr", "/home/me/night.clr"},
        {"back\\slash.clr", "/opt/tw/schemes/back\\slash.clr"},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Value);
        EXPECT_EQ(CompleteSettingsPath(row.Value, "/opt/tw/schemes/"), row.Completed);
    }
}

TEST(SettingsTest, PreviewStoredBareOnlyInPreviewsFolder)
{
    struct TRow
    {
        const char* Path;
        const char* Stored;
    };
    const std::vector<TRow> rows = {
        {"/opt/tw/previews/Preview.cpf", "Preview.cpf"},
        {"/opt/tw/previews/sub/Night.cpf", "/opt/tw/previews/sub/Night.cpf"},
        {"/opt/tw/Preview.cpf", "/opt/tw/Preview.cpf"},
        {"/opt/tw/previews2/Preview.cpf", "/opt/tw/previews2/Preview.cpf"},
        {"/opt/tw/Previews/Preview.cpf", "/opt/tw/Previews/Preview.cpf"},
        {"/home/me/Night.cpf", "/home/me/Night.cpf"},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Path);
        EXPECT_EQ(SettingsPreviewValue(row.Path, "/opt/tw/previews/"), row.Stored);
    }
}

TSettings StartSettings(const std::string& previewsFolder)
{
    return {"English", previewsFolder + "Preview.cpf", "/opt/tw/schemes/default.clr", 5};
}

TEST(SettingsTest, FirstWriteHoldsLanguageAndPreviewOnly)
{
    TTemporaryFolder folder;
    const fs::path file = folder / "tintwright.ini";
    WriteSettings(file, StartSettings("/opt/tw/previews/"), "/opt/tw/previews/");
    EXPECT_EQ(ReadBytes(file),
        "[Language]\r\nDefaultLanguage=English\r\n[Preview]\r\nDefaultPreview=Preview.cpf\r\n");
}

TEST(SettingsTest, WriteKeepsTheRestOfTheFile)
{
    TTemporaryFolder folder;
    const fs::path file = folder / "tintwright.ini";
    WriteBytes(file,
        "; mine\n[Colors]\nDefaultColors=night.clr\n[LANGUAGE]\ndefaultlanguage = English\n"
        "[System]\nTomTomVersion=4");
    TSettings settings = StartSettings("/opt/tw/previews/");
    settings.DefaultLanguage = "/home/me/Fran\xE7"
                               "ais.clf";
    settings.DefaultPreview = "/home/me/Night.cpf";
    WriteSettings(file, settings, "/opt/tw/previews/");

    EXPECT_EQ(ReadBytes(file),
        "; mine\n[Colors]\nDefaultColors=night.clr\n[LANGUAGE]\n"
        "defaultlanguage = /home/me/Fran\xE7"
        "ais.clf\n[System]\nTomTomVersion=4\r\n"
        "[Preview]\r\nDefaultPreview=/home/me/Night.cpf\r\n");
    const TSettings read = ReadSettings(file);
    EXPECT_EQ(read.DefaultLanguage, settings.DefaultLanguage);
    EXPECT_EQ(read.DefaultPreview, settings.DefaultPreview);
    EXPECT_EQ(read.DefaultColors, "night.clr");
    EXPECT_EQ(read.TomTomVersion, 4);
}

TEST(SettingsTest, FailedWriteNamesTheFile)
{
    TTemporaryFolder folder;
    struct TRow
    {
        const char* Name;
        fs::path File;
        std::string Language;
    };
    const std::vector<TRow> rows = {
        {"missing folder", folder / "missing" / "tintwright.ini", "English"},
        {"line break in the language", folder / "tintwright.ini", "/home/me/a\nb.clf"},
        {"folder in the way", folder.Path(), "English"},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        TSettings settings = StartSettings("/opt/tw/previews/");
        settings.DefaultLanguage = row.Language;
        try {
            WriteSettings(row.File, settings, "/opt/tw/previews/");
            ADD_FAILURE() << "the write was not refused";
        } catch (const TError& error) {
            EXPECT_EQ(std::string(error.what()), "Unable to write to " + row.File.string());
        }
    }
    EXPECT_EQ(folder.Listing(), "");
}

} // namespace
