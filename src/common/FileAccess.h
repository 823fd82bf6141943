#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

// Reading and writing whole files without ever leaving a damaged or missing file behind.

// True when something other than a folder exists under the path (symbolic links followed).
bool FileExists(const std::filesystem::path& file);

// True when something other than a folder exists under `file` that is not `other` itself (another
// device or inode; `other` may not exist at all). Tells a save that would replace a different file.
bool IsOtherExistingFile(const std::filesystem::path& file, const std::filesystem::path& other);

// Reads the whole file. Anything but a regular file (a FIFO, a device) is refused at once
// rather than read, so a reader never blocks. Fails with "Cannot open file "%s". %s".
std::string ReadWholeFile(const std::filesystem::path& file);

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
