#include "common/FileAccess.h"

#include "TemporaryFolder.h"
#include "common/Error.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

const std::string Bytes = "line\r\n\0\x81\xFF\rend"s;

TEST(FileAccessTest, ReadsBackWhatWasWritten)
{
    TTemporaryFolder folder;
    const fs::path file = folder / "a.clr";
    WriteFileAtomically(file, Bytes);
    EXPECT_EQ(ReadWholeFile(file), Bytes);
    WriteFileAtomically(file, "");
    EXPECT_EQ(ReadWholeFile(file), "");
    EXPECT_EQ(folder.Listing(), "a.clr\n");
}

TEST(FileAccessTest, ReadRefusesWhatIsNotAFile)
{
    TTemporaryFolder folder;
    const fs::path fifo = folder / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const fs::path missing = folder / "missing.clr";
    // A FIFO without a writer is refused at once instead of blocking the reader.
    for (const fs::path& file : {fifo, folder.Path(), missing}) {
        SCOPED_TRACE(file.string());
        EXPECT_THROW(ReadWholeFile(file), TError);
    }
    try {
        ReadWholeFile(missing);
    } catch (const TError& error) {
        EXPECT_EQ(std::string(error.what()),
            "Cannot open file \"" + missing.string() + "\". No such file or directory");
    }
}

// The limit is checked against the size the file claims and again against what it holds, since
// the kernel's /proc files claim none.
TEST(FileAccessTest, ReadStopsAtItsLimit)
{
    struct TRow
    {
        const char* Name;
        fs::path File;
        std::uint64_t Limit;
        bool Read;
    };
    TTemporaryFolder folder;
    WriteBytes(folder / "1024", std::string(1024, 'x'));
    WriteBytes(folder / "1025", std::string(1025, 'x'));
    WriteBytes(folder / "sparse", "");
    ASSERT_EQ(::truncate((folder / "sparse").c_str(), (off_t {1} << 40) + 1), 0);
    const std::vector<TRow> rows = {
        {"exactly the limit", folder / "1024", 1024, true},
        {"one byte over", folder / "1025", 1024, false},
        {"a sparse terabyte", folder / "sparse", std::uint64_t {1} << 40, false},
        {"a /proc file within the limit", "/proc/self/stat", 1 << 20, true},
        {"a /proc file without end", "/proc/self/pagemap", 1 << 20, false},
        {"an empty /proc file", "/proc/self/pagemap", 0, false},
    };
    ::alarm(30);
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        try {
            const std::string bytes = ReadWholeFile(row.File, row.Limit);
            EXPECT_TRUE(row.Read) << "read " << bytes.size() << " bytes";
            EXPECT_LE(bytes.size(), row.Limit);
        } catch (const TFileReadError& error) {
            EXPECT_FALSE(row.Read) << error.what();
            EXPECT_EQ(error.Reason, TFileReadError::TReason::TooLarge);
            EXPECT_EQ(error.File(), row.File);
            EXPECT_EQ(std::string(error.what()),
                "Cannot open file \"" + row.File.string() + "\". The file is larger than "
                    + ByteSizeText(row.Limit));
        }
    }
    ::alarm(0);
    EXPECT_EQ(ByteSizeText(std::uint64_t {64} << 20), "64 MiB");
    EXPECT_EQ(ByteSizeText(1024), "1 KiB");
    EXPECT_EQ(ByteSizeText(1000), "1000 bytes");
}

TEST(FileAccessTest, NewFileFollowsTheUmask)
{
    TTemporaryFolder folder;
    const mode_t old = ::umask(027);
    WriteFileAtomically(folder / "new.clr", "x");
    ::umask(old);
    EXPECT_EQ(fs::status(folder / "new.clr").permissions(),
        fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(FileAccessTest, ReplacementKeepsPermissionBits)
{
    TTemporaryFolder folder;
    const fs::path file = folder / "a.ini";
    WriteBytes(file, "old");
    const fs::perms perms = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_write
        | fs::perms::others_read;
    fs::permissions(file, perms);
    WriteFileAtomically(file, "new");
    EXPECT_EQ(ReadBytes(file), "new");
    EXPECT_EQ(fs::status(file).permissions(), perms);
}

TEST(FileAccessTest, SymbolicLinkStaysAndItsTargetIsReplaced)
{
    struct TRow
    {
        const char* Name;
        fs::path LinkTo; // relative to the link's folder unless absolute
        bool TargetExists;
    };
    TTemporaryFolder folder;
    fs::create_directory(folder / "real");
    const std::vector<TRow> rows = {
        {"relative link", "real/a.clr", true},
        {"absolute link", folder / "real" / "b.clr", true},
        {"dangling link", "real/c.clr", false},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        const fs::path target = row.LinkTo.is_absolute() ? row.LinkTo : folder.Path() / row.LinkTo;
        if (row.TargetExists)
            WriteBytes(target, "old");
        const fs::path link = folder / (std::string(row.Name) + ".clr");
        fs::create_symlink(row.LinkTo, link);

        WriteFileAtomically(link, Bytes);
        EXPECT_TRUE(fs::is_symlink(fs::symlink_status(link)));
        EXPECT_EQ(fs::read_symlink(link), row.LinkTo);
        EXPECT_EQ(ReadBytes(target), Bytes);
    }
    EXPECT_EQ(folder.Listing(), "absolute link.clr\ndangling link.clr\nreal\nrelative link.clr\n");
}

TEST(FileAccessTest, SpecialTargetsAreRefusedUntouched)
{
    TTemporaryFolder folder;
    const fs::path fifo = folder / "fifo.clr";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const fs::path subfolder = folder / "folder.clr";
    fs::create_directory(subfolder);
    WriteBytes(subfolder / "inner", "kept");
    const fs::path linkToFolder = folder / "link.clr";
    fs::create_symlink("folder.clr", linkToFolder);

    for (const fs::path& target : {fifo, subfolder, linkToFolder}) {
        SCOPED_TRACE(target.string());
        try {
            WriteFileAtomically(target, "x");
            ADD_FAILURE() << "the write was not refused";
        } catch (const TFileWriteError& error) {
            EXPECT_EQ(error.Stage, TFileWriteError::TStage::NotRegular);
        }
    }
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(ReadBytes(subfolder / "inner"), "kept");
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(linkToFolder)));
    EXPECT_EQ(folder.Listing(), "fifo.clr\nfolder.clr\nlink.clr\n");
}

TEST(FileAccessTest, MissingFolderCreatesNothing)
{
    TTemporaryFolder folder;
    try {
        WriteFileAtomically(folder / "missing" / "a.clr", "x");
        ADD_FAILURE() << "the write was not refused";
    } catch (const TFileWriteError& error) {
        EXPECT_EQ(error.Stage, TFileWriteError::TStage::Create);
        EXPECT_EQ(error.ErrorCode, ENOENT);
    }
    EXPECT_EQ(folder.Listing(), "");
}

TEST(FileAccessTest, ReadOnlyFolderLeavesOldFileWhole)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    TTemporaryFolder folder;
    const fs::path file = folder / "a.clr";
    WriteBytes(file, "old");
    fs::permissions(folder.Path(), fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_THROW(WriteFileAtomically(file, "new"), TFileWriteError);
    fs::permissions(folder.Path(), fs::perms::owner_all);
    EXPECT_EQ(ReadBytes(file), "old");
    EXPECT_EQ(folder.Listing(), "a.clr\n");
}

TEST(FileAccessTest, FileExistsForAnythingButFolders)
{
    TTemporaryFolder folder;
    WriteBytes(folder / "file", "x");
    ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);
    fs::create_directory(folder / "dir");
    fs::create_symlink("file", folder / "link");
    fs::create_symlink("nothing", folder / "dangling");
    struct TRow
    {
        const char* Name;
        bool Exists;
    };
    const std::vector<TRow> rows = {
        {"file", true},
        {"fifo", true},
        {"link", true},
        {"dir", false},
        {"dangling", false},
        {"missing", false},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        EXPECT_EQ(FileExists(folder / row.Name), row.Exists);
    }
}

TEST(FileAccessTest, OtherExistingFileIsAnotherInode)
{
    TTemporaryFolder folder;
    WriteBytes(folder / "night.clr", "x");
    WriteBytes(folder / "Night.clr", "y");
    fs::create_hard_link(folder / "night.clr", folder / "hard.clr");
    fs::create_symlink("night.clr", folder / "soft.clr");
    fs::create_directory(folder / "dir.clr");
    struct TRow
    {
        const char* File;
        const char* Other;
        bool Different;
    };
    const TRow rows[] = {
        {"night.clr", "Night.clr", true},
        {"night.clr", "NIGHT.CLR", true}, // the name chosen does not exist
        {"night.clr", "night.clr", false},
        {"night.clr", "hard.clr", false},
        {"night.clr", "soft.clr", false},
        {"missing.clr", "night.clr", false},
        {"dir.clr", "night.clr", false},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(std::string(row.File) + " against " + row.Other);
        EXPECT_EQ(IsOtherExistingFile(folder / row.File, folder / row.Other), row.Different);
    }
}

TEST(FileAccessTest, ErrorTexts)
{
    struct TRow
    {
        int ErrorCode;
        const char* Text;
    };
    const std::vector<TRow> rows = {
        {ENOENT, "Invalid filename"},
        {ENAMETOOLONG, "Invalid filename"},
        {EACCES, "File access denied"},
        {EROFS, "File access denied"},
        {ENOSPC, "Disk full"},
        {EDQUOT, "Disk full"},
        {EMFILE, "Too many open files"},
        {EIO, "I/O error 5"},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.ErrorCode);
        EXPECT_EQ(InOutErrorText(row.ErrorCode), row.Text);
    }
}

} // namespace
