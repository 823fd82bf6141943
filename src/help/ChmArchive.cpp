#include "help/ChmArchive.h"

#include "common/TextRules.h"
#include "help/ChmContainer.h"

#include <chm_lib.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace fs = std::filesystem;

namespace {

// More entries than any help file has: the listing stops there.
constexpr std::size_t MaxEntries = 100000;

class TFileDescriptor
{
public:
    explicit TFileDescriptor(int fd)
        : FFd(fd)
    { }
    ~TFileDescriptor()
    {
        if (FFd >= 0)
            ::close(FFd);
    }
    TFileDescriptor(const TFileDescriptor&) = delete;
    TFileDescriptor& operator=(const TFileDescriptor&) = delete;
    int Get() const { return FFd; }

private:
    int FFd;
};

// The whole file, when it is a regular file of at most the limit. O_NONBLOCK keeps a FIFO
// without a writer from hanging the window; the read stops one byte past the limit in case the
// file grew after fstat.
std::optional<std::string> ReadAtMost(const fs::path& file, std::uint64_t limit)
{
    const TFileDescriptor fd(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
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

std::string NormalPath(std::string_view path)
{
    std::string normal(path);
    for (char& c : normal) {
        if (c == '\\')
            c = '/';
    }
    if (!normal.starts_with('/') && !normal.starts_with("::"))
        normal.insert(normal.begin(), '/');
    return normal;
}

} // namespace

// chmlib's listing callback; collects every entry it lists.
int CollectChmEntry(chmFile*, chmUnitInfo* unit, void* context)
{
    auto& entries = *static_cast<std::vector<TChmArchive::TEntry>*>(context);
    if (entries.size() >= MaxEntries)
        return CHM_ENUMERATOR_SUCCESS;
    entries.push_back({unit->path, unit->start, unit->length, unit->space});
    return CHM_ENUMERATOR_CONTINUE;
}

TChmArchive::TChmArchive(const fs::path& file)
{
    const std::optional<std::string> bytes = ReadAtMost(file, MaxFileSize);
    if (!bytes || CheckChmContainer(*bytes) != TChmFault::None)
        return;
    const TFileDescriptor memory(SealedMemoryFile(*bytes));
    if (memory.Get() < 0)
        return;
    // chmlib opens by name and keeps a descriptor of its own to the same memory file.
    const std::string name = "/proc/self/fd/" + std::to_string(memory.Get());
    FFile = chm_open(name.c_str());
    if (FFile == nullptr)
        return;
    if (chm_enumerate(FFile, CHM_ENUMERATE_ALL, CollectChmEntry, &FEntries) == 0)
        Close();
}

TChmArchive::~TChmArchive()
{
    Close();
}

TChmArchive::TChmArchive(TChmArchive&& other) noexcept
    : FFile(std::exchange(other.FFile, nullptr))
    , FEntries(std::move(other.FEntries))
{
    other.FEntries.clear();
}

TChmArchive& TChmArchive::operator=(TChmArchive&& other) noexcept
{
    if (this != &other) {
        Close();
        FFile = std::exchange(other.FFile, nullptr);
        FEntries = std::move(other.FEntries);
        other.FEntries.clear();
    }
    return *this;
}

void TChmArchive::Close()
{
    if (FFile != nullptr)
        chm_close(FFile);
    FFile = nullptr;
    FEntries.clear();
}

std::vector<std::string> TChmArchive::Entries() const
{
    std::vector<std::string> paths;
    paths.reserve(FEntries.size());
    for (const TEntry& entry : FEntries)
        paths.push_back(entry.Path);
    return paths;
}

const TChmArchive::TEntry* TChmArchive::Find(std::string_view path) const
{
    if (path.empty())
        return nullptr;
    const std::string normal = NormalPath(path);
    const TEntry* sameText = nullptr;
    for (const TEntry& entry : FEntries) {
        if (entry.Path == normal)
            return &entry;
        if (sameText == nullptr && SameTextAscii(entry.Path, normal))
            sameText = &entry;
    }
    return sameText;
}

std::optional<std::string> TChmArchive::FindEntry(std::string_view path) const
{
    if (const TEntry* entry = Find(path))
        return entry->Path;
    return std::nullopt;
}

std::optional<std::string> TChmArchive::Read(std::string_view path) const
{
    const TEntry* entry = Find(path);
    if (entry == nullptr || entry->Path.ends_with('/') || entry->Length > MaxEntrySize)
        return std::nullopt;
    std::string content(static_cast<std::size_t>(entry->Length), '\0');
    if (content.empty())
        return content;
    chmUnitInfo unit {};
    unit.start = entry->Start;
    unit.length = entry->Length;
    unit.space = entry->Space;
    std::strncpy(unit.path, entry->Path.c_str(), CHM_MAX_PATHLEN);
    const LONGINT64 got
        = chm_retrieve_object(FFile, &unit, reinterpret_cast<unsigned char*>(content.data()), 0,
            static_cast<LONGINT64>(content.size()));
    if (got != static_cast<LONGINT64>(content.size()))
        return std::nullopt;
    return content;
}
