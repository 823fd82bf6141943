#include "help/ChmArchive.h"

#include "SpecialFiles.h"
#include "TemporaryFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
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
    // Every length through the headers, then steps through the directory and the content.
    for (std::size_t length = 0; length < bytes.size(); length += length < 0x140 ? 1 : 13)
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

} // namespace
