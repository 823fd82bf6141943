#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct chmFile;
struct chmUnitInfo;

// A compiled help file (.chm) opened with chmlib, for the help viewers. A file that is missing,
// not a regular file, larger than MaxFileSize or damaged (CheckChmContainer) gives an archive
// that holds nothing; there is no message. chmlib is given the checked bytes themselves, in a
// sealed memory file, so a file changed on disk after the check cannot reach it.
class TChmArchive
{
public:
    static constexpr std::uint64_t MaxFileSize = std::uint64_t {64} << 20;
    // Larger entries are not read: no page, sitemap or text of a help file comes near this.
    static constexpr std::uint64_t MaxEntrySize = std::uint64_t {16} << 20;

    TChmArchive() = default;
    explicit TChmArchive(const std::filesystem::path& file);
    ~TChmArchive();
    TChmArchive(TChmArchive&& other) noexcept;
    TChmArchive& operator=(TChmArchive&& other) noexcept;
    TChmArchive(const TChmArchive&) = delete;
    TChmArchive& operator=(const TChmArchive&) = delete;

    bool IsOpen() const { return FFile != nullptr; }

    // Every path the archive lists, as stored: "/index.htm", "/sub/" for a folder,
    // "::DataSpace/..." for the container's own entries.
    std::vector<std::string> Entries() const;

    // The stored spelling of a path: "\" is read as "/", a path without a leading "/" gets one
    // (unless it names a "::" entry), and when no entry has exactly that path, one that differs
    // only in letter case is taken.
    std::optional<std::string> FindEntry(std::string_view path) const;
    bool Contains(std::string_view path) const { return FindEntry(path).has_value(); }

    // The whole content of an entry found as by FindEntry; nothing for a folder, an entry above
    // MaxEntrySize, or one that cannot be read in full.
    std::optional<std::string> Read(std::string_view path) const;

private:
    struct TEntry
    {
        std::string Path;
        std::uint64_t Start = 0;
        std::uint64_t Length = 0;
        int Space = 0;
    };

    const TEntry* Find(std::string_view path) const;
    void Close();

    chmFile* FFile = nullptr;
    std::vector<TEntry> FEntries;

    friend int CollectChmEntry(chmFile*, chmUnitInfo*, void*);
};
