#include "app/ProgramFolder.h"

#include "TemporaryFolder.h"
#include "common/Error.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

TEST(ProgramFolderTest, NamesTheRunningProgramsFolder)
{
    const std::string folder = ProgramFolder();
    ASSERT_TRUE(folder.ends_with('/'));
    EXPECT_FALSE(folder.ends_with("//"));
    EXPECT_TRUE(std::filesystem::is_regular_file(folder + "tintwright_core_tests"));
    EXPECT_EQ(SettingsFilePath(), std::filesystem::path(folder + "tintwright_core_tests.ini"));
    EXPECT_EQ(RunningProgramPlaces().Mode, TRunMode::Portable);
}

// Folder layouts around an executable, and where the program then looks. "@" in the expected
// texts stands for the temporary folder.
TEST(ProgramFolderTest, DecidesPortableOrInstalledFromTheLayout)
{
    struct TRow
    {
        const char* Name;
        std::vector<std::string> Folders; // made before the decision
        std::string Executable;
        std::string ConfigHome, Home; // "" for unset
        TRunMode Mode;
        std::string ProgramFolder, SettingsFile;
    };
    const std::vector<TRow> rows = {
        {"build folder", {"build/schemes"}, "build/tintwright", "@/cfg", "@/home",
            TRunMode::Portable, "@/build/", "@/build/tintwright.ini"},
        {"installed", {"usr/bin", "usr/share/tintwright"}, "usr/bin/tintwright", "@/cfg", "@/home",
            TRunMode::Installed, "@/usr/share/tintwright/", "@/cfg/tintwright/tintwright.ini"},
        {"installed, no XDG_CONFIG_HOME", {"usr/bin", "usr/share/tintwright"}, "usr/bin/tintwright",
            "", "@/home", TRunMode::Installed, "@/usr/share/tintwright/",
            "@/home/.config/tintwright/tintwright.ini"},
        {"installed, relative XDG_CONFIG_HOME", {"usr/bin", "usr/share/tintwright"},
            "usr/bin/tintwright", "cfg", "@/home", TRunMode::Installed, "@/usr/share/tintwright/",
            "@/home/.config/tintwright/tintwright.ini"},
        {"installed under another name", {"opt/bin", "opt/share/tintwright"}, "opt/bin/tw",
            "@/cfg/", "@/home", TRunMode::Installed, "@/opt/share/tintwright/",
            "@/cfg/tintwright/tintwright.ini"},
        {"schemes beside the executable win", {"usr/bin/schemes", "usr/share/tintwright"},
            "usr/bin/tintwright", "@/cfg", "@/home", TRunMode::Portable, "@/usr/bin/",
            "@/usr/bin/tintwright.ini"},
        {"bin without share", {"usr/bin"}, "usr/bin/tintwright", "@/cfg", "@/home",
            TRunMode::Portable, "@/usr/bin/", "@/usr/bin/tintwright.ini"},
        {"share of another program", {"usr/bin", "usr/share/other"}, "usr/bin/tintwright", "@/cfg",
            "@/home", TRunMode::Portable, "@/usr/bin/", "@/usr/bin/tintwright.ini"},
        {"share beside a folder not named bin", {"usr/sbin", "usr/share/tintwright"},
            "usr/sbin/tintwright", "@/cfg", "@/home", TRunMode::Portable, "@/usr/sbin/",
            "@/usr/sbin/tintwright.ini"},
        {"folder of its own without data, no home", {"tools"}, "tools/tintwright", "", "",
            TRunMode::Portable, "@/tools/", "@/tools/tintwright.ini"},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        TTemporaryFolder folder;
        const auto expand = [&folder](std::string text) {
            if (text.starts_with('@'))
                text.replace(0, 1, folder.Path().string());
            return text;
        };
        for (const std::string& made : row.Folders)
            fs::create_directories(folder / made);
        const TProgramPlaces places
            = FindProgramPlaces(folder / row.Executable, expand(row.ConfigHome), expand(row.Home));
        EXPECT_EQ(places.Mode, row.Mode);
        EXPECT_EQ(places.ProgramFolder, expand(row.ProgramFolder));
        EXPECT_EQ(places.SettingsFile.string(), expand(row.SettingsFile));
        EXPECT_EQ(places.SettingsFolder,
            row.Mode == TRunMode::Installed ? TSettingsFolder::MadeWhenMissing
                                            : TSettingsFolder::MustExist);
    }
}

TEST(ProgramFolderTest, InstalledWithoutAnyHomeSaysSo)
{
    TTemporaryFolder folder;
    fs::create_directories(folder / "bin");
    fs::create_directories(folder / "share/tintwright");
    for (const char* home : {"", "relative/home"}) {
        SCOPED_TRACE(home);
        EXPECT_THROW(FindProgramPlaces(folder / "bin/tintwright", "", home), TError);
    }
}

// Closing writes the settings where the start-up decision put them; an installed program makes
// its settings folder then, and a folder it cannot make is reported as an unwritable file.
TEST(ProgramFolderTest, FirstCloseMakesTheUsersSettingsFolder)
{
    struct TRow
    {
        const char* Name;
        std::function<void(const fs::path& configHome)> Prepare;
        bool Written;
    };
    const std::vector<TRow> rows = {
        {"no configuration folder yet", [](const fs::path&) {}, true},
        {"configuration folder exists", [](const fs::path& home) { fs::create_directory(home); },
            true},
        {"a file in the way of the configuration folder",
            [](const fs::path& home) { WriteBytes(home, "x"); }, false},
        {"a file in the way of the settings folder",
            [](const fs::path& home) {
                fs::create_directory(home);
                WriteBytes(home / "tintwright", "x");
            },
            false},
        {"read-only configuration folder",
            [](const fs::path& home) {
                fs::create_directory(home);
                fs::permissions(home, fs::perms::owner_read | fs::perms::owner_exec);
            },
            // Root writes into a read-only folder all the same.
            ::geteuid() == 0},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        TTemporaryFolder folder;
        fs::create_directories(folder / "usr/bin");
        fs::create_directories(folder / "usr/share/tintwright");
        const fs::path configHome = folder / "home/.config";
        fs::create_directories(configHome.parent_path());
        row.Prepare(configHome);
        const TProgramPlaces places
            = FindProgramPlaces(folder / "usr/bin/tintwright", "", (folder / "home").string());
        ASSERT_EQ(places.SettingsFile, configHome / "tintwright/tintwright.ini");

        const std::string previews = places.ProgramFolder + "previews/";
        TSettings settings {"English", previews + "Preview.cpf", "default.clr", 5};
        try {
            WriteSettings(places.SettingsFile, settings, previews, places.SettingsFolder);
            EXPECT_TRUE(row.Written) << "the write was not refused";
        } catch (const TError& error) {
            EXPECT_FALSE(row.Written) << error.what();
            EXPECT_EQ(
                std::string(error.what()), "Unable to write to " + places.SettingsFile.string());
        }
        if (fs::exists(places.SettingsFile)) {
            EXPECT_EQ(ReadBytes(places.SettingsFile),
                "[Language]\r\nDefaultLanguage=English\r\n[Preview]\r\nDefaultPreview=Preview."
                "cpf\r\n");
            struct stat info
            {
            };
            ASSERT_EQ(::stat(places.SettingsFile.parent_path().c_str(), &info), 0);
            EXPECT_EQ(info.st_mode & 0777, 0700u);
        }
    }
}

} // namespace
