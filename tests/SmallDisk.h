#pragma once

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <string>

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

// A small tmpfs of the test's own at a mount point, to fill to any degree; unmounted again when
// the test ends. Mounting needs root (or a mount namespace); Mounted() says whether it worked.
class TSmallDisk
{
public:
    explicit TSmallDisk(const std::filesystem::path& mountPoint, const char* size = "1m")
        : FPath(mountPoint)
    {
        std::filesystem::create_directory(FPath);
        const std::string options = std::string("size=") + size + ",mode=0755";
        FMounted = ::mount("tmpfs", FPath.c_str(), "tmpfs", MS_NOSUID, options.c_str()) == 0;
        FError = errno;
    }
    ~TSmallDisk()
    {
        if (FMounted)
            ::umount2(FPath.c_str(), MNT_DETACH);
    }
    TSmallDisk(const TSmallDisk&) = delete;
    TSmallDisk& operator=(const TSmallDisk&) = delete;

    bool Mounted() const { return FMounted; }
    int Error() const { return FError; }

    static std::uint64_t FreePages(const std::filesystem::path& path)
    {
        struct statvfs info
        {
        };
        return ::statvfs(path.c_str(), &info) == 0 ? info.f_bavail : ~std::uint64_t {0};
    }

    // Fills the disk with a filler file, then gives back exactly the number of free pages.
    void LeaveFreePages(std::uint64_t pages)
    {
        const std::filesystem::path filler = FPath / "filler";
        const int fd = ::open(filler.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        ASSERT_GE(fd, 0);
        const std::string block(4096, 'f');
        off_t size = 0;
        for (;;) {
            const ssize_t written = ::write(fd, block.data(), block.size());
            if (written <= 0)
                break;
            size += written;
        }
        ASSERT_EQ(FreePages(FPath), 0u);
        ASSERT_EQ(::ftruncate(fd, size - static_cast<off_t>(pages * 4096)), 0);
        ::close(fd);
        ASSERT_EQ(FreePages(FPath), pages);
    }

private:
    std::filesystem::path FPath;
    bool FMounted = false;
    int FError = 0;
};
