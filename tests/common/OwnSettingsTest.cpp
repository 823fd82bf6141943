#include "common/OwnSettings.h"

#include "TemporaryFolder.h"
#include "common/Error.h"

#include <gtest/gtest.h>

namespace {

TEST(OwnSettingsTest, ReadsASwitch)
{
    struct TRow
    {
        const char* Name;
        const char* File;
        bool Show;
    };
    const TRow rows[] = {
        {"no section", "[Language]\r\nDefaultLanguage=English\r\n", false},
        {"on", "[Tintwright]\r\nShowSelectedItem=1\r\n", true},
        {"off", "[Tintwright]\r\nShowSelectedItem=0\r\n", false},
        {"names ignore case", "[TINTWRIGHT]\r\nshowselecteditem=1\r\n", true},
        {"any other number is on", "[Tintwright]\r\nShowSelectedItem=2\r\n", true},
        {"not a number", "[Tintwright]\r\nShowSelectedItem=yes\r\n", false},
        {"empty", "[Tintwright]\r\nShowSelectedItem=\r\n", false},
    };
    TTemporaryFolder folder;
    const auto file = folder / "tintwright.ini";
    EXPECT_FALSE(ReadOwnFlag(file, "ShowSelectedItem"));
    for (const TRow& row : rows) {
        WriteBytes(file, row.File);
        EXPECT_EQ(ReadOwnFlag(file, "ShowSelectedItem"), row.Show) << row.Name;
    }
}

TEST(OwnSettingsTest, WritesOnlyAChange)
{
    TTemporaryFolder folder;
    const auto file = folder / "tintwright.ini";
    const std::string before = "; mine\r\n[Language]\r\nDefaultLanguage=English\r\n";
    WriteBytes(file, before);
    WriteOwnFlag(file, "ShowSelectedItem", false);
    EXPECT_EQ(ReadBytes(file), before);

    WriteOwnFlag(file, "ShowSelectedItem", true);
    EXPECT_EQ(ReadBytes(file), before + "[Tintwright]\r\nShowSelectedItem=1\r\n");
    EXPECT_TRUE(ReadOwnFlag(file, "ShowSelectedItem"));

    WriteOwnFlag(file, "ShowSelectedItem", false);
    EXPECT_EQ(ReadBytes(file), before + "[Tintwright]\r\nShowSelectedItem=0\r\n");
    EXPECT_FALSE(ReadOwnFlag(file, "ShowSelectedItem"));
}

TEST(OwnSettingsTest, FailedWriteSaysSo)
{
    TTemporaryFolder folder;
    const auto file = folder / "missing" / "tintwright.ini";
    try {
        WriteOwnFlag(file, "ShowSelectedItem", true);
        FAIL() << "no error";
    } catch (const TError& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + file.string());
        EXPECT_EQ(error.File(), file);
    }
    EXPECT_FALSE(std::filesystem::exists(file.parent_path()));
}

} // namespace
