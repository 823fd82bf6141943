#include "common/FileAccess.h"

#include "common/FileDescriptor.h"
#include "common/Error.h"
#include "common/TextRules.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Follows symbolic links to the file that is really replaced, also when the last one dangles.
fs::path ResolveLinks(fs::path path)
{
    for (int depth = 0; depth < 40; ++depth) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(path, error)))
            return path;
        const fs::path link = fs::read_symlink(path, error);
        if (error)
            return path;
        path = link.is_absolute() ? link : path.parent_path() / link;
    }
    return path;
}

bool WriteAll(int fd, std::string_view content)
{
    const char* data = content.data();
    std::size_t left = content.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (written == 0) {
            errno = EIO;
            return false;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

mode_t CurrentUmask()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

} // namespace

bool FileExists(const fs::path& file)
{
    struct stat info
    {
    };
    return ::stat(file.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool IsOtherExistingFile(const fs::path& file, const fs::path& other)
{
    struct stat info
    {
    };
    if (::stat(file.c_str(), &info) != 0 || S_ISDIR(info.st_mode))
        return false;
    struct stat otherInfo
    {
    };
    if (::stat(other.c_str(), &otherInfo) != 0)
        return true;
    return info.st_dev != otherInfo.st_dev || info.st_ino != otherInfo.st_ino;
}

std::string ReadWholeFile(const fs::path& file, std::uint64_t limit)
{
    using TReason = TFileReadError::TReason;
    auto fail = [&](TReason reason, int errorCode, const std::string& why) {
        return TFileReadError(reason, errorCode,
            FormatText("Cannot open file \"%s\". %s", file.c_str(), why.c_str()), file);
    };
    auto unreadable = [&](int errorCode) {
        return fail(TReason::Unreadable, errorCode, SystemErrorText(errorCode));
    };
    auto notRegular = [&](const struct stat& info) {
        return S_ISDIR(info.st_mode) ? fail(TReason::NotRegular, EISDIR, SystemErrorText(EISDIR))
                                     : fail(TReason::NotRegular, EINVAL, "Not a regular file");
    };
    auto tooLarge = [&](std::uint64_t size) {
        TFileReadError error
            = fail(TReason::TooLarge, EFBIG, "The file is larger than " + ByteSizeText(limit));
        error.Size = size;
        return error;
    };

    // Judged before opening: opening a device or a FIFO can block or have effects of its own.
    struct stat info
    {
    };
    if (::stat(file.c_str(), &info) != 0)
        throw unreadable(errno);
    if (!S_ISREG(info.st_mode))
        throw notRegular(info);
    if (static_cast<std::uint64_t>(info.st_size) > limit)
        throw tooLarge(static_cast<std::uint64_t>(info.st_size));
    // O_NONBLOCK: should the name have become a FIFO meanwhile, opening it must not hang.
    TFileDescriptor fd(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.Get() < 0)
        throw unreadable(errno);
    if (::fstat(fd.Get(), &info) != 0)
        throw unreadable(errno);
    if (!S_ISREG(info.st_mode))
        throw notRegular(info);

    std::string content;
    content.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(info.st_size, limit)) + 1);
    char buffer[65536];
    for (;;) {
        // Whole blocks (some kernel files refuse reads of odd sizes); a block that would take
        // the content past the limit refuses the file without being kept.
        const ssize_t got = ::read(fd.Get(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            throw unreadable(errno);
        }
        if (got == 0)
            break;
        if (content.size() + static_cast<std::size_t>(got) > limit)
            throw tooLarge(content.size() + static_cast<std::size_t>(got));
        content.append(buffer, static_cast<std::size_t>(got));
    }
    return content;
}

std::string ByteSizeText(std::uint64_t bytes)
{
    constexpr std::uint64_t KiB = 1024;
    if (bytes >= KiB * KiB && bytes % (KiB * KiB) == 0)
        return std::to_string(bytes / (KiB * KiB)) + " MiB";
    if (bytes >= KiB && bytes % KiB == 0)
        return std::to_string(bytes / KiB) + " KiB";
    return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
}

void WriteFileAtomically(const fs::path& target, std::string_view content)
{
    using TStage = TFileWriteError::TStage;
    const fs::path real = ResolveLinks(target);

    struct stat old
    {
    };
    const bool existed = ::stat(real.c_str(), &old) == 0;
    if (existed && !S_ISREG(old.st_mode)) {
        throw TFileWriteError(TStage::NotRegular, S_ISDIR(old.st_mode) ? EISDIR : EINVAL,
            FormatText("Cannot create file \"%s\". It is a %s, not a regular file", target.c_str(),
                S_ISDIR(old.st_mode) ? "folder" : "special file"));
    }

    // Replacing goes through the folder, which would bypass a file's own write protection.
    if (existed && ::faccessat(AT_FDCWD, real.c_str(), W_OK, AT_EACCESS) != 0) {
        const int error = errno;
        throw TFileWriteError(TStage::Create, error,
            FormatText(
                "Cannot create file \"%s\". %s", target.c_str(), SystemErrorText(error).c_str()));
    }

    const fs::path folder = real.has_parent_path() ? real.parent_path() : fs::path(".");
    std::string pattern = (folder / ("." + real.filename().string() + ".XXXXXX")).string();
    TFileDescriptor fd(::mkostemp(pattern.data(), O_CLOEXEC));
    if (fd.Get() < 0) {
        const int error = errno;
        throw TFileWriteError(TStage::Create, error,
            FormatText(
                "Cannot create file \"%s\". %s", target.c_str(), SystemErrorText(error).c_str()));
    }
    const std::string temporary = pattern;

    auto failWrite = [&](int error) -> TFileWriteError {
        ::unlink(temporary.c_str());
        return TFileWriteError(TStage::Write, error, InOutErrorText(error));
    };

    const mode_t mode = existed ? (old.st_mode & 07777) : (0666 & ~CurrentUmask());
    if (existed) {
        // Keeping the owner needs privileges; without them the file simply becomes ours. It comes
        // before the mode, since changing the owner clears the set-user-ID and set-group-ID bits.
        [[maybe_unused]] const int ignored = ::fchown(fd.Get(), old.st_uid, old.st_gid);
    }
    if (!WriteAll(fd.Get(), content) || ::fchmod(fd.Get(), mode) != 0 || ::fsync(fd.Get()) != 0)
        throw failWrite(errno);
    if (fd.Close() != 0)
        throw failWrite(errno);
    if (::rename(temporary.c_str(), real.c_str()) != 0)
        throw failWrite(errno);

    TFileDescriptor folderFd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folderFd.Get() >= 0)
        ::fsync(folderFd.Get());
}

std::string InOutErrorText(int errorCode)
{
    switch (errorCode) {
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
    case EILSEQ:
        return "Invalid filename";
    case EMFILE:
    case ENFILE:
        return "Too many open files";
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return "File access denied";
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return "Disk full";
    default:
        return FormatText("I/O error %d", errorCode);
    }
}

std::string SystemErrorText(int errorCode)
{
    return std::strerror(errorCode);
}
