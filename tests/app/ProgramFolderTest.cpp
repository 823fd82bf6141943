#include "app/ProgramFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(ProgramFolderTest, NamesTheRunningProgramsFolder)
{
    const std::string folder = ProgramFolder();
    ASSERT_TRUE(folder.ends_with('/'));
    EXPECT_FALSE(folder.ends_with("//"));
    EXPECT_TRUE(std::filesystem::is_regular_file(folder + "tintwright_core_tests"));
    EXPECT_EQ(SettingsFilePath(), std::filesystem::path(folder + "tintwright_core_tests.ini"));
}

} // namespace
