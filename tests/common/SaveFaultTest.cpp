#include "common/FileAccess.h"

#include "MemoryMeter.h"
#include "SmallDisk.h"
#include "TemporaryFolder.h"
#include "app/Settings.h"
#include "common/Error.h"
#include "preview/PreviewFile.h"
#include "preview/ReferenceScheme.h"
#include "scheme/SchemeFile.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <ostream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/syscall.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

// Faults the disk cannot be made to produce on demand (a sync or close reporting a full disk, as
// network and thin-provisioned file systems do, a failing rename, writes cut short by signals)
// are injected here: this test program defines the system calls the file code makes, and they
// do what the system would unless a test arms a fault. Only descriptors of regular files open
// for writing are struck, so reading the old file or syncing the folder goes on normally.
namespace {

enum class TCall { None, Write, Fsync, Close, Rename };

struct TFault
{
    TCall Call = TCall::None;
    int Error = 0;
    int Strikes = 0; // how often the call failed or was cut short
};

TFault fault;

// While recording, the file calls a save makes, in order ("fsync file", "rename", ...).
bool recording = false;
std::vector<std::string> recordedCalls;

void Record(const char* call, int fd = -1)
{
    if (!recording)
        return;
    struct stat info
    {
    };
    const bool folder = fd >= 0 && ::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode);
    recordedCalls.push_back(fd < 0 ? call : std::string(call) + (folder ? " folder" : " file"));
}

bool WritableRegularFile(int fd)
{
    struct stat info
    {
    };
    const int flags = ::fcntl(fd, F_GETFL);
    return flags >= 0 && (flags & O_ACCMODE) != O_RDONLY && ::fstat(fd, &info) == 0
        && S_ISREG(info.st_mode);
}

// Fails the armed call once.
bool Strike(TCall call, int fd)
{
    if (fault.Call != call || fault.Strikes > 0 || (fd >= 0 && !WritableRegularFile(fd)))
        return false;
    ++fault.Strikes;
    return true;
}

// Arms a fault for the life of the scope.
class TArmedFault
{
public:
    TArmedFault(TCall call, int error)
    {
        fault = TFault();
        fault.Call = call;
        fault.Error = error;
    }
    ~TArmedFault() { fault = TFault(); }
    TArmedFault(const TArmedFault&) = delete;
    TArmedFault& operator=(const TArmedFault&) = delete;
};

} // namespace

extern "C" int fsync(int fd)
{
    Record("fsync", fd);
    if (Strike(TCall::Fsync, fd)) {
        errno = fault.Error;
        return -1;
    }
    return static_cast<int>(::syscall(SYS_fsync, fd));
}

extern "C" int close(int fd)
{
    // Linux releases the descriptor even when close reports an error.
    const bool strike = Strike(TCall::Close, fd);
    const int result = static_cast<int>(::syscall(SYS_close, fd));
    if (strike) {
        errno = fault.Error;
        return -1;
    }
    return result;
}

extern "C" int rename(const char* from, const char* to) noexcept
{
    Record("rename");
    if (Strike(TCall::Rename, -1)) {
        errno = fault.Error;
        return -1;
    }
    return ::renameat(AT_FDCWD, from, AT_FDCWD, to);
}

// When armed: every other write is interrupted before it starts, the rest write at most 1000
// bytes, as writes to pipes and slow devices may.
extern "C" ssize_t write(int fd, const void* data, size_t size)
{
    if (fault.Call == TCall::Write && WritableRegularFile(fd)) {
        if (++fault.Strikes % 2 == 1) {
            errno = EINTR;
            return -1;
        }
        size = std::min<size_t>(size, 1000);
    }
    return ::syscall(SYS_write, fd, data, size);
}

namespace {

// ---- The writers under test, each producing a file of about the given size ----------------

// Cheap to make, so that a save of it is nearly all writing.
std::string RawContent(std::size_t size, unsigned seed)
{
    std::string content = "content " + std::to_string(seed) + "\r\n";
    content.reserve(2 * size + content.size());
    while (content.size() < size)
        content += content;
    content.resize(size);
    return content;
}

std::vector<TSchemeItem> SchemeItems(std::size_t size, unsigned seed)
{
    std::vector<TSchemeItem> items(std::max<std::size_t>(1, size / 32));
    for (std::size_t i = 0; i < items.size(); ++i)
        items[i] = {{static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(seed),
                        static_cast<std::uint8_t>(i >> 8)},
            "Item " + std::to_string(seed) + "-" + std::to_string(i)};
    return items;
}

std::vector<std::string> Descriptions(std::size_t size, unsigned seed)
{
    std::vector<std::string> descriptions(std::max<std::size_t>(1, size / 32));
    for (std::size_t i = 0; i < descriptions.size(); ++i)
        descriptions[i] = "Reference " + std::to_string(seed) + "-" + std::to_string(i);
    return descriptions;
}

// Random cells hardly compress, so the file is about four bytes a cell.
TPreviewMap PreviewOf(std::size_t size, unsigned seed)
{
    const int width = 100;
    const int height = std::max(1, static_cast<int>(size / 4 / width));
    std::mt19937 random(seed);
    TPreviewMap map(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            map.SetCell(x, y, static_cast<std::uint32_t>(random()));
    return map;
}

// A settings file holding other sections of about the size, so that writing the two settings
// rewrites all of it; size 0 writes the two settings alone.
void WriteSettingsOfSize(const fs::path& file, std::size_t size, unsigned seed)
{
    if (size > 0 && !fs::exists(file)) {
        std::string base = "[Colors]\r\nDefaultColors=mine.clr\r\n[Other]\r\n";
        for (std::size_t i = 0; base.size() < size; ++i)
            base += "Key" + std::to_string(i) + "=" + std::to_string(i * 7919) + "\r\n";
        WriteBytes(file, base);
    }
    TSettings settings {};
    settings.DefaultLanguage = "Language" + std::to_string(seed);
    settings.DefaultPreview = "/program/previews/Preview.cpf";
    WriteSettings(file, settings, "/program/previews/");
}

// The whole file, read in one go (large files are read after every trial).
std::string Contents(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::string bytes(fs::file_size(file), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

std::string CannotCreate(const fs::path& file, const std::string& reason)
{
    return "Cannot create file \"" + file.string() + "\". " + reason;
}

struct TWriter
{
    const char* Name;
    std::function<void(const fs::path&, std::size_t size, unsigned seed)> Write;
    // Reads the file back through the program's own reader; throws when it cannot.
    std::function<void(const fs::path&)> Read;
    // The message of a failure while writing, for the error's own text ("Disk full").
    std::function<std::string(const fs::path&, const std::string& errorText)> WriteFailure;
    // The message when the temporary file cannot be created, for the system's reason.
    std::function<std::string(const fs::path&, int errorCode)> CreateFailure;
    // The message for a folder ("folder") or FIFO or device ("special file") at the path.
    std::function<std::string(const fs::path&, const std::string& kind)> Refusal;
};

void PrintTo(const TWriter& writer, std::ostream* out)
{
    *out << writer.Name;
}

const std::vector<TWriter> Writers = {
    {"WriteFileAtomically",
        [](const fs::path& file, std::size_t size, unsigned seed) {
            WriteFileAtomically(file, RawContent(size, seed));
        },
        [](const fs::path& file) { ReadWholeFile(file); },
        [](const fs::path&, const std::string& text) { return text; },
        [](const fs::path& file, int error) { return CannotCreate(file, std::strerror(error)); },
        [](const fs::path& file, const std::string& kind) {
            return CannotCreate(file, "It is a " + kind + ", not a regular file");
        }},
    {"WriteSchemeFile",
        [](const fs::path& file, std::size_t size, unsigned seed) {
            WriteSchemeFile(file, SchemeItems(size, seed));
        },
        [](const fs::path& file) { ReadSchemeFile(file); },
        [](const fs::path&, const std::string& text) { return text; },
        [](const fs::path&, int error) { return InOutErrorText(error); },
        [](const fs::path&, const std::string&) { return std::string("File access denied"); }},
    {"WriteReferenceFile",
        [](const fs::path& file, std::size_t size, unsigned seed) {
            WriteReferenceFile(file, Descriptions(size, seed));
        },
        [](const fs::path& file) { ReadSchemeFile(file); },
        [](const fs::path&, const std::string& text) { return text; },
        [](const fs::path&, int error) { return InOutErrorText(error); },
        [](const fs::path&, const std::string&) { return std::string("File access denied"); }},
    {"SavePreviewFile",
        [](const fs::path& file, std::size_t size, unsigned seed) {
            SavePreviewFile(file, PreviewOf(size, seed));
        },
        [](const fs::path& file) { ReadPreviewFile(file); },
        [](const fs::path&, const std::string&) { return std::string("Stream write error"); },
        [](const fs::path& file, int error) { return CannotCreate(file, std::strerror(error)); },
        [](const fs::path& file, const std::string& kind) {
            return CannotCreate(file, "It is a " + kind + ", not a regular file");
        }},
    {"WriteSettings", WriteSettingsOfSize,
        [](const fs::path& file) {
            if (ReadSettings(file).DefaultColors != "mine.clr")
                throw std::runtime_error("the settings lost their other keys");
        },
        [](const fs::path& file, const std::string&) {
            return "Unable to write to " + file.string();
        },
        [](const fs::path& file, int) { return "Unable to write to " + file.string(); },
        [](const fs::path& file, const std::string&) {
            return "Unable to write to " + file.string();
        }},
};

// The bytes the writer makes when it replaces its first content with its second.
std::string SecondContent(const TWriter& writer, const fs::path& scratch, std::size_t size)
{
    writer.Write(scratch, size, 1);
    writer.Write(scratch, size, 2);
    const std::string bytes = Contents(scratch);
    fs::remove(scratch);
    return bytes;
}

std::string WriterName(const ::testing::TestParamInfo<TWriter>& info)
{
    return info.param.Name;
}

// What a failed save said, or "saved".
std::string Outcome(const std::function<void()>& save)
{
    try {
        save();
    } catch (const std::exception& error) {
        return error.what();
    }
    return "saved";
}

std::uint32_t Checksum(const std::string& bytes)
{
    return static_cast<std::uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
}

constexpr std::size_t SmallPayload = 12000; // below 16 KiB, yet more than two pages
constexpr std::size_t LargePayload = 40000; // above 16 KiB

// ---- A full disk: a small tmpfs of its own ----------------------------------------------------

struct TFullDisk
{
    std::uint64_t FreePages;
    std::size_t Payload;
    bool Fits; // a control: the save has room and must succeed
};

void PrintTo(const TFullDisk& row, std::ostream* out)
{
    *out << row.FreePages << " free pages, payload " << row.Payload;
}

class SaveFaultFullDiskTest : public ::testing::TestWithParam<std::tuple<TWriter, TFullDisk>>
{
};

// The disk filling while the temporary file is written: the save says so, the old file stays
// byte for byte and no temporary file is left.
TEST_P(SaveFaultFullDiskTest, ReportsTheErrorAndKeepsTheOldFile)
{
    const auto& [writer, row] = GetParam();
    if (::sysconf(_SC_PAGESIZE) != 4096)
        GTEST_SKIP() << "the payloads are sized for 4 KiB pages";
    TTemporaryFolder folder;
    TSmallDisk disk(folder / "disk");
    if (!disk.Mounted())
        GTEST_SKIP() << "mounting a tmpfs is not permitted here: " << std::strerror(disk.Error());
    const fs::path target = folder / "disk" / "target";

    writer.Write(target, row.Payload, 1);
    const std::string old = Contents(target);
    ASSERT_NO_FATAL_FAILURE(disk.LeaveFreePages(row.FreePages));

    const std::string outcome = Outcome([&] { writer.Write(target, row.Payload, 2); });
    if (row.Fits) {
        EXPECT_EQ(outcome, "saved");
        EXPECT_NE(Contents(target), old);
        EXPECT_NO_THROW(writer.Read(target));
    } else {
        EXPECT_EQ(outcome, writer.WriteFailure(target, "Disk full"));
        const std::string after = Contents(target);
        EXPECT_EQ(Checksum(after), Checksum(old));
        EXPECT_TRUE(after == old) << "the old file changed";
    }
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder / "disk"))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string> {"filler", "target"}));
}

INSTANTIATE_TEST_SUITE_P(Rows, SaveFaultFullDiskTest,
    ::testing::Combine(::testing::ValuesIn(Writers),
        ::testing::Values(TFullDisk {0, 100, false}, TFullDisk {0, SmallPayload, false},
            TFullDisk {0, LargePayload, false}, TFullDisk {1, SmallPayload, false},
            TFullDisk {1, LargePayload, false}, TFullDisk {2, SmallPayload, false},
            TFullDisk {2, LargePayload, false}, TFullDisk {4, SmallPayload, true},
            TFullDisk {11, LargePayload, true})),
    [](const auto& info) {
        const TFullDisk& row = std::get<1>(info.param);
        return std::string(std::get<0>(info.param).Name) + "_" + std::to_string(row.FreePages)
            + "_free_pages_payload_" + std::to_string(row.Payload);
    });

// ---- Faults injected into the system calls --------------------------------------------------

struct TInjected
{
    const char* Name;
    TCall Call;
    int Error;
    const char* ErrorText; // InOutErrorText of the error
};

void PrintTo(const TInjected& row, std::ostream* out)
{
    *out << row.Name;
}

class SaveFaultInjectedTest : public ::testing::TestWithParam<std::tuple<TWriter, TInjected>>
{
};

TEST_P(SaveFaultInjectedTest, ReportsTheErrorAndKeepsTheOldFile)
{
    const auto& [writer, row] = GetParam();
    TTemporaryFolder folder;
    const fs::path target = folder / "target";
    writer.Write(target, LargePayload, 1);
    const std::string old = Contents(target);

    std::string outcome;
    int strikes = 0;
    {
        const TArmedFault armed(row.Call, row.Error);
        outcome = Outcome([&] { writer.Write(target, LargePayload, 2); });
        strikes = fault.Strikes;
    }
    EXPECT_EQ(strikes, 1) << "the fault was never injected";
    EXPECT_EQ(outcome, writer.WriteFailure(target, row.ErrorText));
    const std::string after = Contents(target);
    EXPECT_EQ(Checksum(after), Checksum(old));
    EXPECT_TRUE(after == old) << "the old file changed";
    EXPECT_EQ(folder.Listing(), "target\n");
}

INSTANTIATE_TEST_SUITE_P(Rows, SaveFaultInjectedTest,
    ::testing::Combine(::testing::ValuesIn(Writers),
        ::testing::Values(TInjected {"disk_full_at_sync", TCall::Fsync, ENOSPC, "Disk full"},
            TInjected {"quota_full_at_sync", TCall::Fsync, EDQUOT, "Disk full"},
            TInjected {"io_error_at_sync", TCall::Fsync, EIO, "I/O error 5"},
            TInjected {"disk_full_at_close", TCall::Close, ENOSPC, "Disk full"},
            TInjected {"io_error_at_close", TCall::Close, EIO, "I/O error 5"},
            TInjected {"io_error_at_rename", TCall::Rename, EIO, "I/O error 5"},
            TInjected {"busy_at_rename", TCall::Rename, EBUSY, "I/O error 16"})),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).Name) + "_" + std::get<1>(info.param).Name;
    });

class SaveFaultWriterTest : public ::testing::TestWithParam<TWriter>
{
};

// Writes cut short or interrupted by signals still make the whole file.
TEST_P(SaveFaultWriterTest, InterruptedAndShortWritesStillWriteEverything)
{
    const TWriter& writer = GetParam();
    TTemporaryFolder folder;
    const std::string expected = SecondContent(writer, folder / "scratch", LargePayload);
    const fs::path target = folder / "target";
    writer.Write(target, LargePayload, 1);
    int strikes = 0;
    {
        const TArmedFault armed(TCall::Write, 0);
        ASSERT_NO_THROW(writer.Write(target, LargePayload, 2));
        strikes = fault.Strikes;
    }
    EXPECT_GT(strikes, 40);
    EXPECT_TRUE(Contents(target) == expected) << "the file is not complete";
    EXPECT_NO_THROW(writer.Read(target));
    EXPECT_EQ(folder.Listing(), "target\n");
}

// ---- What is at the target path ---------------------------------------------------------------

TEST_P(SaveFaultWriterTest, FolderFifoAndDeviceAreRefusedUntouched)
{
    const TWriter& writer = GetParam();
    TTemporaryFolder folder;
    const fs::path subfolder = folder / "folder";
    fs::create_directory(subfolder);
    WriteBytes(subfolder / "inner", "kept");
    const fs::path fifo = folder / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // A device node of our own (the null device's numbers), so that a faulty writer could only
    // ever replace this one.
    const fs::path device = folder / "device";
    const bool haveDevice = ::mknod(device.c_str(), S_IFCHR | 0600, makedev(1, 3)) == 0;
    fs::create_symlink("folder", folder / "link-to-folder");
    fs::create_symlink("fifo", folder / "link-to-fifo");
    const std::string listing = folder.Listing();

    struct TRow
    {
        fs::path Target;
        const char* Kind;
    };
    std::vector<TRow> rows = {
        {subfolder, "folder"},
        {fifo, "special file"},
        {folder / "link-to-folder", "folder"},
        {folder / "link-to-fifo", "special file"},
    };
    if (haveDevice)
        rows.push_back({device, "special file"});
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Target.string());
        EXPECT_EQ(Outcome([&] { writer.Write(row.Target, SmallPayload, 2); }),
            writer.Refusal(row.Target, row.Kind));
    }
    EXPECT_EQ(Contents(subfolder / "inner"), "kept");
    EXPECT_TRUE(fs::is_fifo(fifo));
    if (haveDevice) {
        EXPECT_TRUE(fs::is_character_file(device));
    }
    EXPECT_EQ(fs::read_symlink(folder / "link-to-folder"), "folder");
    EXPECT_EQ(fs::read_symlink(folder / "link-to-fifo"), "fifo");
    EXPECT_EQ(folder.Listing(), listing);
}

TEST_P(SaveFaultWriterTest, SymbolicLinkStaysAndItsTargetIsReplaced)
{
    const TWriter& writer = GetParam();
    TTemporaryFolder folder;
    const std::string expected = SecondContent(writer, folder / "scratch", SmallPayload);
    fs::create_directory(folder / "real");
    const fs::path real = folder / "real" / "file";
    fs::create_symlink("real/file", folder / "relative");
    fs::create_symlink(real, folder / "absolute");
    fs::create_symlink("relative", folder / "chain");

    for (const char* link : {"relative", "absolute", "chain"}) {
        SCOPED_TRACE(link);
        writer.Write(real, SmallPayload, 1);
        EXPECT_EQ(Outcome([&] { writer.Write(folder / link, SmallPayload, 2); }), "saved");
        EXPECT_TRUE(fs::is_symlink(fs::symlink_status(folder / link)));
        EXPECT_TRUE(Contents(real) == expected) << "the link's target was not replaced";
        EXPECT_NO_THROW(writer.Read(real));
    }
    EXPECT_EQ(fs::read_symlink(folder / "relative"), "real/file");
    EXPECT_EQ(fs::read_symlink(folder / "absolute"), real);
    EXPECT_EQ(fs::read_symlink(folder / "chain"), "relative");
    EXPECT_EQ(folder.Listing(), "absolute\nchain\nreal\nrelative\n");
    std::vector<std::string> inReal;
    for (const auto& entry : fs::directory_iterator(folder / "real"))
        inReal.push_back(entry.path().filename().string());
    EXPECT_EQ(inReal, std::vector<std::string> {"file"});
}

TEST_P(SaveFaultWriterTest, PermissionBitsAreKept)
{
    const TWriter& writer = GetParam();
    TTemporaryFolder folder;
    const fs::path target = folder / "target";
    writer.Write(target, SmallPayload, 1);
    for (const mode_t mode : {0600, 0640, 0604, 0664, 0751, 02640, 02755, 04755}) {
        SCOPED_TRACE(mode);
        ASSERT_EQ(::chmod(target.c_str(), mode), 0);
        const std::string before = Contents(target);
        EXPECT_EQ(Outcome([&] { writer.Write(target, SmallPayload, 2 + mode); }), "saved");
        EXPECT_NE(Contents(target), before);
        struct stat info
        {
        };
        ASSERT_EQ(::stat(target.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, mode);
    }
}

TEST_P(SaveFaultWriterTest, TheNewFileIsSyncedBeforeAndTheFolderAfterTheRename)
{
    // Without the last sync a crash right after the save could bring back the old name's
    // entry, or none.
    const TWriter& writer = GetParam();
    TTemporaryFolder folder;
    const fs::path target = folder / "target";
    writer.Write(target, SmallPayload, 1);
    recordedCalls.clear();
    recording = true;
    writer.Write(target, SmallPayload, 2);
    recording = false;
    // The settings are written one key at a time: each write is such a save.
    const std::vector<std::string> save = {"fsync file", "rename", "fsync folder"};
    ASSERT_FALSE(recordedCalls.empty());
    ASSERT_EQ(recordedCalls.size() % save.size(), 0u);
    for (std::size_t i = 0; i < recordedCalls.size(); ++i)
        EXPECT_EQ(recordedCalls[i], save[i % save.size()]) << "call " << i;
}

TEST_P(SaveFaultWriterTest, RootKeepsAnotherUsersOwnerAndGroup)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can give a file to another user";
    const TWriter& writer = GetParam();
    TTemporaryFolder folder;
    const fs::path target = folder / "target";
    writer.Write(target, SmallPayload, 1);
    constexpr uid_t otherUser = 65534; // nobody
    constexpr gid_t otherGroup = 65534;
    ASSERT_EQ(::chown(target.c_str(), otherUser, otherGroup), 0);
    EXPECT_EQ(Outcome([&] { writer.Write(target, SmallPayload, 2); }), "saved");
    struct stat info
    {
    };
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, otherUser);
    EXPECT_EQ(info.st_gid, otherGroup);
}

// ---- A read-only folder for an unprivileged user ----------------------------------------------

constexpr const char* UnprivilegedFolderVariable = "TINTWRIGHT_UNPRIVILEGED_FOLDER";

// The rows an unprivileged user checks in the prepared folder: each save is refused with the
// writer's message and changes nothing.
void CheckUnprivilegedSaves(const TWriter& writer, const fs::path& folder)
{
    struct TRow
    {
        const char* Name;
        fs::path Target;
    };
    const TRow rows[] = {
        {"writable file in a read-only folder", folder / "locked" / "file"},
        {"file of our own in a folder of our own without write permission",
            folder / "own" / "file"},
        {"new file in a read-only folder", folder / "own" / "new"},
        {"read-only file", folder / "open" / "readonly"},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        const bool existed = fs::exists(row.Target);
        const std::string old = existed ? Contents(row.Target) : "";
        // A new settings file starts empty rather than from a prepared one.
        const std::size_t size = existed ? SmallPayload : 0;
        EXPECT_EQ(Outcome([&] { writer.Write(row.Target, size, 2); }),
            writer.CreateFailure(row.Target, EACCES));
        EXPECT_EQ(fs::exists(row.Target), existed);
        if (existed) {
            EXPECT_TRUE(Contents(row.Target) == old) << "the old file changed";
        }
    }
}

TEST_P(SaveFaultWriterTest, ReadOnlyFolderForAnUnprivilegedUser)
{
    const TWriter& writer = GetParam();
    if (const char* prepared = std::getenv(UnprivilegedFolderVariable)) {
        // The child started below, running as nobody.
        ASSERT_NE(::geteuid(), 0u);
        CheckUnprivilegedSaves(writer, prepared);
        return;
    }
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root, to prepare files for nobody and run as nobody";

    TTemporaryFolder folder;
    const uid_t nobody = 65534;
    const gid_t nogroup = 65534;
    ASSERT_EQ(::chmod(folder.Path().c_str(), 0755), 0);
    // locked/: root's folder, nobody's file in it. own/: nobody's folder without write
    // permission. open/: nobody's writable folder holding a read-only file.
    for (const char* name : {"locked", "own", "open"}) {
        fs::create_directory(folder / name);
        writer.Write(
            folder / name / (std::string(name) == "open" ? "readonly" : "file"), SmallPayload, 1);
    }
    ASSERT_EQ(::chown((folder / "locked" / "file").c_str(), nobody, nogroup), 0);
    ASSERT_EQ(::chmod((folder / "locked").c_str(), 0755), 0);
    ASSERT_EQ(::chown((folder / "own" / "file").c_str(), nobody, nogroup), 0);
    ASSERT_EQ(::chown((folder / "own").c_str(), nobody, nogroup), 0);
    ASSERT_EQ(::chmod((folder / "own").c_str(), 0555), 0);
    ASSERT_EQ(::chown((folder / "open" / "readonly").c_str(), nobody, nogroup), 0);
    ASSERT_EQ(::chmod((folder / "open" / "readonly").c_str(), 0444), 0);
    ASSERT_EQ(::chown((folder / "open").c_str(), nobody, nogroup), 0);
    std::vector<std::string> before;
    for (const char* name : {"locked/file", "own/file", "open/readonly"})
        before.push_back(Contents(folder / name));

    // Root writes anywhere, so the check runs in this very test program as nobody.
    const std::string self = fs::read_symlink("/proc/self/exe").string();
    const std::string filter = std::string("--gtest_filter=")
        + ::testing::UnitTest::GetInstance()->current_test_info()->test_suite_name() + "."
        + ::testing::UnitTest::GetInstance()->current_test_info()->name();
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::setenv(UnprivilegedFolderVariable, folder.Path().c_str(), 1);
        ::unsetenv("GTEST_OUTPUT");
        ::execl("/usr/bin/setpriv", "setpriv", "--reuid=nobody", "--regid=nogroup",
            "--clear-groups", self.c_str(), filter.c_str(), "--gtest_brief=1",
            static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "the unprivileged check crashed";
    if (WEXITSTATUS(status) == 126 || WEXITSTATUS(status) == 127)
        GTEST_SKIP() << "setpriv could not run this test program as nobody";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the check as nobody failed; its output is above";

    // And seen from outside: every old file whole, nothing added.
    std::vector<std::string> after;
    for (const char* name : {"locked/file", "own/file", "open/readonly"})
        after.push_back(Contents(folder / name));
    EXPECT_TRUE(after == before) << "an old file changed";
    for (const char* name : {"locked", "own", "open"}) {
        std::size_t count = 0;
        for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder / name))
            ++count;
        EXPECT_EQ(count, 1u) << name;
    }
}

// ---- Killed at random moments during a long save ----------------------------------------------

struct TKillRun
{
    int Trials = 0;
    int Incidents = 0; // the target neither the complete old nor the complete new file
    int Leftovers = 0; // kills while a temporary file existed, which it could not remove
};

// Saves alternately the two contents in a child until it is killed after a random delay of up
// to 20 ms, then checks that the target is exactly one of them and reads.
TKillRun KillDuringSaves(const TWriter& writer, std::size_t size, int trials, unsigned seed)
{
    TKillRun run;
    TTemporaryFolder folder;
    const fs::path target = folder / "target";
    writer.Write(target, size, 2);
    const std::string second = Contents(target);
    writer.Write(target, size, 1);
    const std::string first = Contents(target);
    EXPECT_NE(first, second);

    std::mt19937 random(seed);
    std::uniform_int_distribution<int> delay(0, 20000);
    for (int trial = 0; trial < trials; ++trial) {
        const pid_t child = ::fork();
        if (child < 0) {
            ADD_FAILURE() << "fork failed";
            break;
        }
        if (child == 0) {
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);
            try {
                for (;;) {
                    writer.Write(target, size, 2);
                    writer.Write(target, size, 1);
                }
            } catch (...) { }
            ::_exit(2);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ++run.Trials;
        if (!WIFSIGNALED(status))
            ADD_FAILURE() << "the saving child ended by itself, status " << status;

        const std::string now = Contents(target);
        bool whole = now == first || now == second;
        try {
            writer.Read(target);
        } catch (const std::exception&) {
            whole = false;
        }
        if (!whole)
            ++run.Incidents;
        for (const auto& entry : fs::directory_iterator(folder.Path())) {
            if (entry.path().filename() != "target") {
                ++run.Leftovers;
                fs::remove(entry.path());
            }
        }
    }
    return run;
}

TEST_P(SaveFaultWriterTest, KilledDuringALongSaveLeavesTheOldOrTheNewFile)
{
    const TWriter& writer = GetParam();
    // The plain writer takes the most trials. The others build their content first, which is
    // slow for random preview cells and in the unoptimised sanitizer build, so their files are
    // kept small enough for the kills to land in the writing too; a settings file stays below
    // the size its reader takes.
    const std::string name = writer.Name;
    const bool plain = name == "WriteFileAtomically";
    std::size_t size = plain        ? 4 << 20
        : name == "SavePreviewFile" ? 256 << 10
        : name == "WriteSettings"   ? 512 << 10
                                    : 1 << 20;
    if (AddressSanitizer && !plain)
        size /= 4;
    const TKillRun run = KillDuringSaves(writer, size, plain ? 100 : 40, 7);
    EXPECT_EQ(run.Incidents, 0) << "of " << run.Trials << " trials";
    RecordProperty("trials", run.Trials);
    RecordProperty("incidents", run.Incidents);
    RecordProperty("killed_while_writing", run.Leftovers);
}

INSTANTIATE_TEST_SUITE_P(Writers, SaveFaultWriterTest, ::testing::ValuesIn(Writers), WriterName);

} // namespace
