#include "tools/ToolPreferences.h"

#include "TemporaryFolder.h"

#include <gtest/gtest.h>

namespace {

TEST(ToolPreferencesTest, ReadsAUsableThresholdAndWritesOnlyAChange)
{
    struct TRow
    {
        const char* Value;
        double Threshold;
    };
    const TRow rows[] = {
        {"7.5", 7.5},
        {"12", 12},
        {"0", 0},
        {"", 5},
        {"abc", 5},
        {"-1", 5},
        {"1e999", 5},
        {"nan", 5},
        {"7.5 units", 5},
        {"101", 5},
    };
    TTemporaryFolder folder;
    const auto file = folder / "tintwright.ini";
    for (const TRow& row : rows) {
        WriteBytes(file, std::string("[Tintwright]\r\nLegibilityThreshold=") + row.Value + "\r\n");
        TToolPreferences preferences;
        preferences.Read(file);
        EXPECT_EQ(preferences.LegibilityThreshold(), row.Threshold) << row.Value;
    }

    // The default is never written into a file that does not name it.
    const std::string parts = "[Language]\r\nDefaultLanguage=English\r\n";
    WriteBytes(file, parts);
    TToolPreferences preferences;
    preferences.Read(file);
    preferences.Write(file);
    EXPECT_EQ(ReadBytes(file), parts);
    // The simulated colour vision lasts only until the program ends.
    preferences.SetVision(TVisionDeficiency::Tritanopia);
    preferences.Write(file);
    EXPECT_EQ(ReadBytes(file), parts);
    preferences.Read(file);
    EXPECT_EQ(preferences.Vision(), TVisionDeficiency::Tritanopia);
    preferences.SetLegibilityThreshold(2.5);
    preferences.Write(file);
    EXPECT_EQ(ReadBytes(file), parts + "[Tintwright]\r\nLegibilityThreshold=2.5\r\n");
}

} // namespace
