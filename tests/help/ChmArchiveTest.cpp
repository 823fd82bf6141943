#include "help/ChmArchive.h"

#include "NotRegularFiles.h"
#include "TemporaryFolder.h"

#include <QByteArray>
#include <QCursor>
#include <QGuiApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <unistd.h>

namespace {

const std::filesystem::path EnglishHelp
    = std::filesystem::path(TINTWRIGHT_HELP_DIR) / "help-en.chm";

// Opens the bytes as an archive and reads every entry, as a viewer would.
std::size_t OpenAndReadAll(const TTemporaryFolder& folder, const std::string& bytes)
{
    const std::filesystem::path file = folder / "damaged.chm";
    WriteBytes(file, bytes);
    const TChmArchive archive(file);
    std::size_t read = 0;
    for (const std::string& path : archive.Entries())
        read += archive.Read(path).has_value() ? 1 : 0;
    return archive.IsOpen() ? read + 1 : 0;
}

TEST(ChmArchive, ReadsEntriesIgnoringCaseAndSlashes)
{
    const TChmArchive archive(EnglishHelp);
    ASSERT_TRUE(archive.IsOpen());
    const std::vector<std::string> entries = archive.Entries();
    EXPECT_NE(std::find(entries.begin(), entries.end(), "/CSHelp.txt"), entries.end());
    EXPECT_EQ(archive.FindEntry("cshelp.TXT"), "/CSHelp.txt");
    EXPECT_EQ(archive.FindEntry("\\index.htm"), "/index.htm");
    EXPECT_EQ(archive.FindEntry("/nothing.htm"), std::nullopt);

    const auto page = archive.Read("/INDEX.HTM");
    ASSERT_TRUE(page.has_value());
    EXPECT_EQ(page, archive.Read("index.htm"));
    EXPECT_TRUE(page->starts_with("<!DOCTYPE"));
    EXPECT_TRUE(page->ends_with("</html>\r\n"));
    EXPECT_EQ(archive.Read("/"), std::nullopt); // a folder
    EXPECT_TRUE(archive.Read("::DataSpace/Storage/MSCompressed/ControlData").has_value());
}

TEST(ChmArchive, MovesItsFile)
{
    TChmArchive first(EnglishHelp);
    TChmArchive second(std::move(first));
    EXPECT_FALSE(first.IsOpen());
    EXPECT_TRUE(first.Entries().empty());
    EXPECT_TRUE(second.Read("/index.htm").has_value());
    first = std::move(second);
    EXPECT_TRUE(first.Read("/index.htm").has_value());
}

TEST(ChmArchive, SpecialAndOversizedFilesHoldNothing)
{
    TTemporaryFolder folder;
    std::vector<TSpecialFile> files = MakeSpecialFiles(folder, ".chm");
    const std::filesystem::path huge = folder / "huge.chm";
    WriteBytes(huge, ReadBytes(EnglishHelp));
    std::filesystem::resize_file(huge, TChmArchive::MaxFileSize + 1); // sparse
    files.push_back({huge, ""});
    files.push_back({folder / "missing.chm", ""});
    ::alarm(20);
    for (const TSpecialFile& file : files) {
        const TChmArchive archive(file.Path);
        EXPECT_FALSE(archive.IsOpen()) << file.Path;
        EXPECT_EQ(archive.Read("/index.htm"), std::nullopt);
    }
    ::alarm(0);
}

TEST(ChmArchive, FileCutShortHoldsNothing)
{
    TTemporaryFolder folder;
    const std::string bytes = ReadBytes(EnglishHelp);
    ASSERT_GT(OpenAndReadAll(folder, bytes), 30u);
    // Every length through the headers, then steps through the directory and the content: an odd
    // step, so cuts fall at every alignment, and about 800 of them however large the help grows
    // (each cut starts a reader process).
    const std::size_t step = std::max<std::size_t>(13, (bytes.size() - 0x140) / 800) | 1;
    for (std::size_t length = 0; length < bytes.size(); length += length < 0x140 ? 1 : step)
        ASSERT_EQ(OpenAndReadAll(folder, bytes.substr(0, length)), 0u) << "cut at " << length;
}

TEST(ChmArchive, FlippedHeaderBytesDoNotCrash)
{
    // A flip that leaves a sound file (a time stamp, a GUID, the quick-reference area) may open;
    // any other must be refused before chmlib sees it.
    TTemporaryFolder folder;
    const std::string bytes = ReadBytes(EnglishHelp);
    const std::size_t firstChunk = 0x78 + 0x54;
    for (std::size_t pos = 0; pos < firstChunk + 0x1000; pos += pos < firstChunk ? 1 : 11) {
        for (const unsigned char mask : {0x01, 0xFF}) {
            std::string damaged = bytes;
            damaged[pos] = static_cast<char>(damaged[pos] ^ mask);
            const std::size_t opened = OpenAndReadAll(folder, damaged);
            const bool signature = pos < 4 || (pos >= 0x78 && pos < 0x7C)
                || (pos >= firstChunk && pos < firstChunk + 4);
            if (signature) {
                EXPECT_EQ(opened, 0u) << "flipped at " << pos;
            }
        }
    }
}

// Stand-ins for the reader, each a shell script given the help file as $1; "$reader" runs the
// real one.
TEST(ChmArchive, ReaderThatFailsGivesNothingInBoundedTime)
{
    using namespace std::chrono_literals;
    TTemporaryFolder folder;
    const std::string reader = "reader='" + TChmArchive::ReaderBesideProgram().string() + "'\n";
    const struct
    {
        const char* Name;
        std::string Script;
        bool Opens;
    } rows[] = {
        {"Sound", "exec \"$reader\" \"$1\"", true},
        {"Crashes", "kill -SEGV $$", false},
        {"CrashesAfterItsOutput", "\"$reader\" \"$1\"; kill -SEGV $$", false},
        {"FailsAfterItsOutput", "\"$reader\" \"$1\"; exit 3", false},
        {"Hangs", "exec sleep 30", false},
        {"HangsAfterItsOutput", "\"$reader\" \"$1\"; exec sleep 30", false},
        {"ClosesItsOutputAndHangs", "exec >&-; exec sleep 30", false},
        {"GarbledOutput", "echo 'Tintwright help entries 1'", false},
        {"OutputCutOff", "\"$reader\" \"$1\" | head -c 2000", false},
        {"EndlessOutput", "exec cat /dev/zero", false},
        {"NotExecutable", "", false},
    };
    constexpr std::chrono::milliseconds limit = 1000ms;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        const std::filesystem::path script = folder / row.Name;
        WriteBytes(script, "#!/bin/sh\n" + reader + row.Script + "\n");
        if (!row.Script.empty())
            std::filesystem::permissions(script, std::filesystem::perms::owner_all);
        const auto start = std::chrono::steady_clock::now();
        const TChmArchive archive(EnglishHelp, script, limit);
        EXPECT_LT(std::chrono::steady_clock::now() - start, limit + 1500ms);
        EXPECT_EQ(archive.IsOpen(), row.Opens);
        EXPECT_EQ(archive.Read("/index.htm").has_value(), row.Opens);
    }

    EXPECT_FALSE(TChmArchive(EnglishHelp, folder / "missing").IsOpen());
    // A bare name is not looked up in PATH, even where the sound stand-in lies.
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QByteArray::fromStdString(folder.Path().string()) + ":" + path);
    const TChmArchive bare(EnglishHelp, "Sound");
    qputenv("PATH", path);
    EXPECT_FALSE(bare.IsOpen());
}

TEST(ChmArchive, ReaderThatHangsLeavesTheWindowRunningAndIsNotAskedAgainUntilTheFileChanges)
{
    using namespace std::chrono_literals;
    TTemporaryFolder folder;
    const std::filesystem::path help = folder / "help.chm";
    WriteBytes(help, ReadBytes(EnglishHelp));
    const std::filesystem::path log = folder / "runs";
    const std::filesystem::path reader = folder / "hangs";
    WriteBytes(reader, "#!/bin/sh\necho run >> '" + log.string() + "'\nexec sleep 30\n");
    std::filesystem::permissions(reader, std::filesystem::perms::owner_all);
    const auto runs = [&] {
        const std::string text = std::filesystem::exists(log) ? ReadBytes(log) : "";
        return std::count(text.begin(), text.end(), '\n');
    };

    // The window's timers go on while the reader runs, under the busy cursor.
    int ticks = 0;
    bool busy = false;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        ++ticks;
        busy = busy
            || (QGuiApplication::overrideCursor()
                && QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor);
    });
    timer.start(20);
    EXPECT_FALSE(TChmArchive(help, reader, 700ms).IsOpen());
    EXPECT_GT(ticks, 5);
    EXPECT_TRUE(busy);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(runs(), 1);

    // The same file is not read again, a changed one is.
    EXPECT_FALSE(TChmArchive(help, reader, 700ms).IsOpen());
    EXPECT_EQ(runs(), 1);
    std::filesystem::last_write_time(help, std::filesystem::last_write_time(help) + 1s);
    EXPECT_FALSE(TChmArchive(help, reader, 700ms).IsOpen());
    EXPECT_EQ(runs(), 2);
    // The failure is that reader's: another one still reads the file.
    EXPECT_TRUE(TChmArchive(help).IsOpen());
}

} // namespace
