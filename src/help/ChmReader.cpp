// tintwright-chm-reader <file.chm>
//
// Reads a compiled help file with chmlib for the editor, which starts it for each help file it
// opens (TChmArchive), and writes every entry to standard output as a help entry stream
// (help/ChmEntryStream.h), then exits 0. A file that is missing, not a regular file, larger than
// MaxChmFileSize or damaged (CheckChmContainer) writes nothing and exits 1.
//
// The container check cannot verify the compressed stream, and chmlib's decoder trusts it: a
// hostile help file may still crash or hang chmlib, and this process is what it then takes down.
// chmlib is given the checked bytes themselves, in a sealed memory file, so a file changed on disk
// after the check cannot reach it. The process runs under memory and processor limits, and once
// chmlib has opened the memory file it is confined (help/ReaderSandbox.h): the decoding of the
// content, where a hostile file would strike, can then only read what is open, write to the
// editor and end.

#include "common/FileDescriptor.h"
#include "help/ChmContainer.h"
#include "help/ChmEntryStream.h"
#include "help/ReaderSandbox.h"

#include <chm_lib.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <string>
#include <string_view>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

class TChmHandle
{
public:
    explicit TChmHandle(chmFile* file)
        : FFile(file)
    { }
    ~TChmHandle()
    {
        if (FFile != nullptr)
            chm_close(FFile);
    }
    TChmHandle(const TChmHandle&) = delete;
    TChmHandle& operator=(const TChmHandle&) = delete;
    chmFile* Get() const { return FFile; }

private:
    chmFile* FFile;
};

// The whole file, when it is a regular file of at most the limit. O_NONBLOCK keeps a FIFO
// without a writer from hanging the reader; the read stops one byte past the limit in case the
// file grew after fstat.
std::optional<std::string> ReadAtMost(const char* file, std::uint64_t limit)
{
    const TFileDescriptor fd(::open(file, O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat info
    {
    };
    if (fd.Get() < 0 || ::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode)
        || static_cast<std::uint64_t>(info.st_size) > limit)
        return std::nullopt;
    std::string content(static_cast<std::size_t>(info.st_size) + 1, '\0');
    std::size_t got = 0;
    while (got < content.size()) {
        const ssize_t count = ::read(fd.Get(), content.data() + got, content.size() - got);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return std::nullopt;
        if (count == 0)
            break;
        got += static_cast<std::size_t>(count);
    }
    if (got > limit)
        return std::nullopt;
    content.resize(got);
    return content;
}

// A memory file holding the bytes, sealed against any change.
int SealedMemoryFile(std::string_view bytes)
{
    const int fd = ::memfd_create("tintwright-help", MFD_CLOEXEC | MFD_ALLOW_SEALING);
    if (fd < 0)
        return -1;
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t count = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0) {
            ::close(fd);
            return -1;
        }
        written += static_cast<std::size_t>(count);
    }
    if (::fcntl(fd, F_ADD_SEALS, F_SEAL_SHRINK | F_SEAL_GROW | F_SEAL_WRITE | F_SEAL_SEAL) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

struct TUnit
{
    std::string Path;
    std::uint64_t Start = 0;
    std::uint64_t Length = 0;
    int Space = 0;
};

// chmlib's listing callback; collects the entries it lists, up to as many as a stream holds.
int CollectUnit(chmFile*, chmUnitInfo* unit, void* context)
{
    auto& units = *static_cast<std::vector<TUnit>*>(context);
    if (units.size() >= MaxChmStreamEntries)
        return CHM_ENUMERATOR_SUCCESS;
    units.push_back({unit->path, unit->start, unit->length, unit->space});
    return CHM_ENUMERATOR_CONTINUE;
}

std::optional<std::string> Retrieve(chmFile* file, const TUnit& entry)
{
    std::string content(static_cast<std::size_t>(entry.Length), '\0');
    if (content.empty())
        return content;
    chmUnitInfo unit {};
    unit.start = entry.Start;
    unit.length = entry.Length;
    unit.space = entry.Space;
    std::strncpy(unit.path, entry.Path.c_str(), CHM_MAX_PATHLEN);
    const LONGINT64 got
        = chm_retrieve_object(file, &unit, reinterpret_cast<unsigned char*>(content.data()), 0,
            static_cast<LONGINT64>(content.size()));
    if (got != static_cast<LONGINT64>(content.size()))
        return std::nullopt;
    return content;
}

std::optional<std::string> ReadHelpFile(const char* file)
{
    const std::optional<std::string> bytes = ReadAtMost(file, MaxChmFileSize);
    if (!bytes || CheckChmContainer(*bytes) != TChmFault::None)
        return std::nullopt;
    const TFileDescriptor memory(SealedMemoryFile(*bytes));
    if (memory.Get() < 0)
        return std::nullopt;
    // chmlib opens by name and keeps a descriptor of its own to the same memory file.
    const std::string name = "/proc/self/fd/" + std::to_string(memory.Get());
    const TChmHandle chm(chm_open(name.c_str()));
    if (chm.Get() == nullptr || !EnterReaderSandbox())
        return std::nullopt;
    std::vector<TUnit> units;
    if (chm_enumerate(chm.Get(), CHM_ENUMERATE_ALL, CollectUnit, &units) == 0)
        return std::nullopt;

    // Every entry is listed; contents are added in order while they fit the stream, and the
    // rest are listed without theirs, as are entries above MaxChmEntrySize and unreadable ones.
    std::vector<TChmStreamEntry> entries;
    entries.reserve(units.size());
    for (const TUnit& unit : units)
        entries.push_back({unit.Path, std::nullopt});
    const std::uint64_t listing = ChmEntryStreamSize(entries);
    if (listing > MaxChmStreamSize)
        return std::nullopt;
    std::uint64_t room = MaxChmStreamSize - listing;
    std::vector<std::string> contents(units.size());
    for (std::size_t i = 0; i < units.size(); ++i) {
        if (units[i].Length > MaxChmEntrySize || units[i].Length > room)
            continue;
        if (std::optional<std::string> content = Retrieve(chm.Get(), units[i])) {
            contents[i] = std::move(*content);
            entries[i].Content = contents[i];
            room -= units[i].Length;
        }
    }
    return WriteChmEntryStream(entries);
}

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t count = ::write(fd, bytes.data(), bytes.size());
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(count));
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: tintwright-chm-reader <file.chm>\n", stderr);
        return 2;
    }
    if (!LimitReaderResources())
        return 1;
    // Nothing is written before the whole stream is ready.
    const std::optional<std::string> stream = ReadHelpFile(argv[1]);
    if (!stream)
        return 1;
    return WriteAll(STDOUT_FILENO, *stream) ? 0 : 1;
}
