#include "app/MainForm.h"
#include "app/WindowControls.h"

#include "SmallDisk.h"
#include "TemporaryFolder.h"
#include "UiTestHelpers.h"
#include "preview/PreviewFile.h"

#include <QAbstractButton>
#include <QApplication>
#include <QListWidget>
#include <QMessageBox>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct TUnwritable
{
    const char* Name;
    // Makes the settings path unwritable inside the program folder and returns it, or an empty
    // path when this machine cannot make it so.
    std::function<fs::path(const fs::path& folder, std::unique_ptr<TSmallDisk>& disk)> Prepare;
};

void PrintTo(const TUnwritable& row, std::ostream* out)
{
    *out << row.Name;
}

// Settings that closing changes, since the preview is stored by its bare name.
std::string OldSettings(const fs::path& folder)
{
    return "[Language]\r\nDefaultLanguage=English\r\n[Preview]\r\nDefaultPreview="
        + (folder / "previews" / "Preview.cpf").string() + "\r\n";
}

const std::vector<TUnwritable> Unwritables = {
    {"a_folder",
        [](const fs::path& folder, std::unique_ptr<TSmallDisk>&) {
            fs::create_directory(folder / "tintwright.ini");
            return folder / "tintwright.ini";
        }},
    {"a_fifo",
        [](const fs::path& folder, std::unique_ptr<TSmallDisk>&) {
            const fs::path file = folder / "tintwright.ini";
            return ::mkfifo(file.c_str(), 0600) == 0 ? file : fs::path();
        }},
    {"in_a_missing_folder",
        [](const fs::path& folder, std::unique_ptr<TSmallDisk>&) {
            return folder / "missing" / "tintwright.ini";
        }},
    {"on_a_full_disk",
        [](const fs::path& folder, std::unique_ptr<TSmallDisk>& disk) {
            disk = std::make_unique<TSmallDisk>(folder / "disk", "256k");
            if (!disk->Mounted())
                return fs::path();
            const fs::path file = folder / "disk" / "tintwright.ini";
            WriteBytes(file, OldSettings(folder));
            disk->LeaveFreePages(0);
            return file;
        }},
    {"in_a_read_only_folder",
        [](const fs::path& folder, std::unique_ptr<TSmallDisk>&) {
            if (::geteuid() == 0)
                return fs::path(); // root writes into read-only folders
            fs::create_directory(folder / "locked");
            const fs::path file = folder / "locked" / "tintwright.ini";
            WriteBytes(file, OldSettings(folder));
            fs::permissions(folder / "locked", fs::perms::owner_read | fs::perms::owner_exec);
            return file;
        }},
};

class SettingsWriteFaultTest : public ::testing::TestWithParam<TUnwritable>
{
protected:
    void TearDown() override
    {
        EXPECT_FALSE(PendingAnswer()) << "a dialog the test expected never opened";
        CancelPendingAnswers();
    }
};

// Closing writes the settings last; when that fails the user is told and the window still closes.
TEST_P(SettingsWriteFaultTest, ClosingReportsTheFileAndStillEnds)
{
    TTemporaryFolder folder;
    fs::create_directories(folder / "schemes");
    fs::create_directories(folder / "previews");
    WriteBytes(folder / "schemes" / "default.clr", "000,000,000 // Background\r\n");
    SavePreviewFile(folder / "previews" / "Preview.cpf", TPreviewMap(4, 3));
    std::unique_ptr<TSmallDisk> disk;
    const fs::path settings = GetParam().Prepare(folder.Path(), disk);
    if (settings.empty())
        GTEST_SKIP() << "this machine cannot make the settings file unwritable that way";
    const bool existed = fs::is_regular_file(settings);
    const std::string old = existed ? ReadBytes(settings) : "";

    auto form = std::make_unique<TMainForm>(folder.Path().string() + "/", settings);
    form->show();
    EXPECT_FALSE(form->Modified());
    EXPECT_EQ(ListBox1(*form)->count(), 1) << "the start-up did not complete";

    const auto message = CaptureMessageBox(QMessageBox::Ok);
    EXPECT_TRUE(form->close());
    EXPECT_EQ(message->Text.toStdString(), "Unable to write to " + settings.string());
    EXPECT_FALSE(form->isVisible());
    form.reset();

    if (existed) {
        EXPECT_TRUE(ReadBytes(settings) == old) << "the old settings file changed";
    }
    const fs::path holder
        = fs::is_directory(settings.parent_path()) ? settings.parent_path() : folder.Path();
    std::vector<std::string> strays;
    for (const auto& entry : fs::directory_iterator(holder))
        if (entry.path().filename().string().rfind(".tintwright.ini", 0) == 0)
            strays.push_back(entry.path().filename().string());
    EXPECT_TRUE(strays.empty()) << "a temporary file was left: " << strays.front();
}

INSTANTIATE_TEST_SUITE_P(Rows, SettingsWriteFaultTest, ::testing::ValuesIn(Unwritables),
    [](const auto& info) { return std::string(info.param.Name); });

} // namespace
