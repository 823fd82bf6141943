#pragma once

#include "common/AnsiString.h"
#include "help/ChmEntryStream.h"
#include "help/ChmPathIndex.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A compiled help file (.chm), for the help viewers. chmlib reads it in a process of its own,
// tintwright-chm-reader beside the program, which hands over every entry at once; the archive
// then serves them from memory. A file that is missing, not a regular file, larger than
// MaxFileSize or damaged gives an archive that holds nothing, and so does a reader that is
// missing, crashes, fails, writes a garbled stream or takes longer than its time limit; the
// archive says nothing itself, but tells a file refused for what it is (Refusal). While the reader
// runs, the busy cursor shows and the program's events go on, all but the user's input, which waits
// until it is done; after the time limit (and a moment to end the reader) opening gives up. A file
// the reader failed on is not given to it again until the file changes (its size, modification time
// or inode).
class TChmArchive
{
public:
    static constexpr std::uint64_t MaxFileSize = MaxChmFileSize;
    // Larger entries are not read: no page, sitemap or text of a help file comes near this.
    static constexpr std::uint64_t MaxEntrySize = MaxChmEntrySize;
    static constexpr std::chrono::milliseconds ReaderTimeLimit {5000};
    static constexpr std::string_view ReaderName = "tintwright-chm-reader";

    TChmArchive() = default;
    // Reads the file with the reader beside the running program (ReaderBesideProgram).
    explicit TChmArchive(const std::filesystem::path& file);
    // Reads the file with the given reader program, which must be named by an absolute path.
    TChmArchive(const std::filesystem::path& file, const std::filesystem::path& reader,
        std::chrono::milliseconds timeLimit = ReaderTimeLimit);
    TChmArchive(TChmArchive&& other) noexcept;
    TChmArchive& operator=(TChmArchive&& other) noexcept;
    TChmArchive(const TChmArchive&) = delete;
    TChmArchive& operator=(const TChmArchive&) = delete;

    // The reader in the running program's folder; empty when there is no application object.
    static std::filesystem::path ReaderBesideProgram();

    bool IsOpen() const { return FOpen; }

    // Why the file was not given to the reader, when it was refused before: it is no regular
    // file (a folder, FIFO, device or socket), or it is larger than MaxFileSize. A missing file
    // is no refusal.
    enum class TRefusal { None, NotRegular, TooLarge };
    TRefusal Refusal() const { return FRefusal; }

    // Every path the archive lists, as stored: "/index.htm", "/sub/" for a folder,
    // "::DataSpace/..." for the container's own entries.
    std::vector<std::string> Entries() const;

    // The stored spelling of a path: "\" is read as "/", a path without a leading "/" gets one
    // (unless it names a "::" entry), and when no entry has exactly that path, one that differs
    // only in letter case is taken.
    std::optional<std::string> FindEntry(std::string_view path) const;
    bool Contains(std::string_view path) const { return FindEntry(path).has_value(); }

    // The archive path of a link or stored topic path, as ResolveChmTopic finds it with
    // Contains as the test (help/ChmContextMap.h), in time proportional to the link's length.
    std::optional<std::string> ResolveTopic(TAnsiView storedPath) const;

    // The whole content of an entry found as by FindEntry; nothing for a folder, an entry above
    // MaxEntrySize, or one that could not be read in full.
    std::optional<std::string> Read(std::string_view path) const;

private:
    struct TEntry
    {
        std::string Path;
        std::optional<std::size_t> ContentOffset; // into FStream
        std::size_t ContentLength = 0;
    };

    const TEntry* Find(std::string_view path) const;

    bool FOpen = false;
    TRefusal FRefusal = TRefusal::None;
    std::string FStream; // the reader's output, holding every content
    std::vector<TEntry> FEntries;
    TChmPathIndex FIndex;
};
