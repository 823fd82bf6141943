#include "common/FileAccess.h"

#include "common/Error.h"
#include "common/TextRules.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Closes a descriptor on every path out of a function.
class TDescriptor
{
public:
    explicit TDescriptor(int fd)
        : FFd(fd)
    { }
    ~TDescriptor()
    {
        if (FFd >= 0)
            ::close(FFd);
    }
    TDescriptor(const TDescriptor&) = delete;
    TDescriptor& operator=(const TDescriptor&) = delete;
    int Get() const { return FFd; }
    // Closes now and reports the result: a full disk often shows only here.
    int Close()
    {
        const int result = ::close(FFd);
        FFd = -1;
        return result;
    }

private:
    int FFd;
};

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

std::string ReadWholeFile(const fs::path& file)
{
    auto fail = [&](int errorCode) -> TError {
        return TError(FormatText(
            "Cannot open file \"%s\". %s", file.c_str(), SystemErrorText(errorCode).c_str()));
    };
    // O_NONBLOCK: opening a FIFO without a writer must not hang the window.
    TDescriptor fd(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.Get() < 0)
        throw fail(errno);
    struct stat info
    {
    };
    if (::fstat(fd.Get(), &info) != 0)
        throw fail(errno);
    if (S_ISDIR(info.st_mode))
        throw fail(EISDIR);
    if (!S_ISREG(info.st_mode))
        throw TError(FormatText("Cannot open file \"%s\". Not a regular file", file.c_str()));

    std::string content;
    if (info.st_size > 0)
        content.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd.Get(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            throw fail(errno);
        }
        if (got == 0)
            break;
        content.append(buffer, static_cast<std::size_t>(got));
    }
    return content;
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
    TDescriptor fd(::mkostemp(pattern.data(), O_CLOEXEC));
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

    TDescriptor folderFd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
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
