#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The entries of a compiled help file as tintwright-chm-reader hands them to the editor through a
// pipe. The reader runs chmlib in a process of its own, so a help file that crashes or hangs
// chmlib takes only that process down. The stream is
//   the line "Tintwright help entries 1\n",
//   the number of entries (4 bytes),
//   per entry: the path's length (4 bytes), the path, the content's length (8 bytes, all ones for
//   an entry listed without its content), the content;
// numbers little-endian, and nothing after the last entry.

inline constexpr std::string_view ChmStreamMagic = "Tintwright help entries 1\n";
// Larger help files are not read.
inline constexpr std::uint64_t MaxChmFileSize = std::uint64_t {64} << 20;
// Larger entries are listed without their content: no page, sitemap or text of a help file comes
// near this.
inline constexpr std::uint64_t MaxChmEntrySize = std::uint64_t {16} << 20;
inline constexpr std::size_t MaxChmStreamEntries = 100000;
inline constexpr std::size_t MaxChmPathLength = 512; // as the container check allows
inline constexpr std::uint64_t MaxChmStreamSize = std::uint64_t {64} << 20;

struct TChmStreamEntry
{
    std::string_view Path; // as the archive stores it: 1 to 512 bytes, no NUL
    std::optional<std::string_view> Content; // none: too large or unreadable

    bool operator==(const TChmStreamEntry&) const = default;
};

// The size of the stream of these entries, as WriteChmEntryStream writes it.
std::uint64_t ChmEntryStreamSize(std::span<const TChmStreamEntry> entries);

// The stream of the entries; nothing when a path breaks the rules, a content is larger than
// MaxChmEntrySize, there are more than MaxChmStreamEntries, or the stream would be larger than
// MaxChmStreamSize.
std::optional<std::string> WriteChmEntryStream(std::span<const TChmStreamEntry> entries);

// The entries of a stream, pointing into it; nothing for a stream that is cut off, garbled,
// longer than its entries or beyond any of the bounds above.
std::optional<std::vector<TChmStreamEntry>> ReadChmEntryStream(std::string_view stream);
