#pragma once

#include "common/Error.h"

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

// Reading whole files within a size limit, and writing them without ever leaving a damaged or
// missing file behind.

// The most a reader takes in from one file unless its format needs less.
inline constexpr std::uint64_t DefaultReadLimit = std::uint64_t {64} << 20;

// True when something other than a folder exists under the path (symbolic links followed).
bool FileExists(const std::filesystem::path& file);

// True when something other than a folder exists under `file` that is not `other` itself (another
// device or inode; `other` may not exist at all). Tells a save that would replace a different file.
bool IsOtherExistingFile(const std::filesystem::path& file, const std::filesystem::path& other);

// A file a reader refused or could not read, named by File(). The reason lets a reader that
// treats an unreadable file as empty still report one that is no file at all or too large.
class TFileReadError : public TError
{
public:
    enum class TReason {
        Unreadable, // missing, not permitted, or the read failed: ErrorCode says why
        NotRegular, // a folder, FIFO, device or socket
        TooLarge, // more bytes than the reader's limit
    };
    TFileReadError(
        TReason reason, int errorCode, const std::string& message, std::filesystem::path file)
        : TError(message, std::move(file))
        , Reason(reason)
        , ErrorCode(errorCode)
    { }
    TReason Reason;
    int ErrorCode;
    // For TooLarge: the size the file claims, or as much as was read when it held more.
    std::uint64_t Size = 0;
};

// Reads the whole file, at most `limit` bytes. Anything but a regular file (a folder, FIFO,
// device or socket) is refused before it is opened, so a reader never blocks on it; a file larger
// than the limit is refused before anything is read, and one that holds more than its size claims
// (the kernel's /proc files claim none) once the read passes the limit, so no file costs more
// than the limit in memory or time. Fails with TFileReadError "Cannot open file "%s". %s".
std::string ReadWholeFile(
    const std::filesystem::path& file, std::uint64_t limit = DefaultReadLimit);

// A size limit as messages state it: "64 MiB", "512 KiB", "100 bytes".
std::string ByteSizeText(std::uint64_t bytes);

// A failed write, with the step that failed and the system's error number, so that each kind
// of file can report it in its own words.
class TFileWriteError : public std::runtime_error
{
public:
    enum class TStage {
        NotRegular, // the target exists but is a folder, FIFO or device
        Create, // the temporary file could not be made, or the file may not be written
        Write, // writing, syncing, closing or renaming failed
    };
    TFileWriteError(TStage stage, int errorCode, const std::string& message)
        : std::runtime_error(message)
        , Stage(stage)
        , ErrorCode(errorCode)
    { }
    TStage Stage;
    int ErrorCode;
};

// Replaces the file with the content: writes a temporary file in the same folder, checks every
// write, fsync and close, gives it the old file's permission bits, renames it over the target
// (a symbolic link is followed, so the link stays) and syncs the folder. A file the caller may not
// write is refused, as writing it in place would be. On failure the temporary file is removed and
// the target is untouched; throws TFileWriteError.
void WriteFileAtomically(const std::filesystem::path& target, std::string_view content);

// The text of an input/output error as the program reports it ("File access denied", "Disk
// full", "Invalid filename", "I/O error %d").
std::string InOutErrorText(int errorCode);

// The system's reason for an error number, as in "Cannot open file "%s". %s".
std::string SystemErrorText(int errorCode);
