#include "help/ChmContainer.h"

#include "common/TextRules.h"
#include "help/LittleEndian.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace {

constexpr std::uint64_t ItsfV2Size = 0x58;
constexpr std::uint64_t ItsfV3Size = 0x60; // chmlib always reads this much
constexpr std::uint64_t ItspSize = 0x54;
constexpr std::size_t ListingHeaderSize = 0x14;
constexpr std::size_t IndexHeaderSize = 0x08;
constexpr std::uint32_t MinChunkSize = 0x100;
constexpr std::uint32_t MaxChunkSize = 0x10000;
constexpr std::uint64_t MaxPathLength = 512; // chmlib's CHM_MAX_PATHLEN
constexpr int MaxEncodedIntegerBytes = 9; // 63 bits: chmlib's 64-bit sum does not wrap

constexpr std::uint64_t ResetTableSize = 0x28;
constexpr std::uint64_t ControlDataMinSize = 0x18;
constexpr std::uint64_t ControlDataMaxSize = 256; // chmlib's buffer for it
constexpr std::uint64_t FrameSize = 0x8000; // LZX output frame, chmlib's block length
constexpr std::uint64_t FrameSlack = 6144; // chmlib's room for a frame that did not shrink
constexpr std::uint64_t MinWindow = std::uint64_t {1} << 15;
constexpr std::uint64_t MaxWindow = std::uint64_t {1} << 21;
constexpr std::uint64_t ControlDataUnit = 0x8000; // version 2 counts in 32 KiB units

constexpr std::string_view ResetTableName = "::DataSpace/Storage/MSCompressed/Transform/"
                                            "{7FC28940-9D31-11D0-9B27-00A0C91E9C7C}/"
                                            "InstanceData/ResetTable";
constexpr std::string_view ControlDataName = "::DataSpace/Storage/MSCompressed/ControlData";
constexpr std::string_view ContentName = "::DataSpace/Storage/MSCompressed/Content";

struct TEntry
{
    std::string_view Name;
    std::uint64_t Section = 0;
    std::uint64_t Start = 0;
    std::uint64_t Length = 0;
};

// True when [offset, offset + length) lies inside size bytes, without overflowing.
bool Inside(std::uint64_t offset, std::uint64_t length, std::uint64_t size)
{
    return offset <= size && length <= size - offset;
}

// A directory number: 7 bits a byte, most significant first, the high bit set on all but the
// last byte.
bool ReadEncodedInteger(
    std::string_view chunk, std::size_t& pos, std::size_t end, std::uint64_t& value)
{
    value = 0;
    for (int count = 0; count < MaxEncodedIntegerBytes; ++count) {
        if (pos >= end)
            return false;
        const auto byte = static_cast<unsigned char>(chunk[pos++]);
        value = value << 7 | (byte & 0x7F);
        if (byte < 0x80)
            return true;
    }
    return false;
}

// Where a chunk's entries end: chmlib reads entries until the free space at its end.
std::optional<std::size_t> EntriesEnd(std::string_view chunk, std::size_t headerSize)
{
    const std::uint32_t freeSpace = LoadUInt32(chunk, 4);
    if (freeSpace > chunk.size() - headerSize)
        return std::nullopt;
    return chunk.size() - freeSpace;
}

// A name as chmlib copies it: it stops at a NUL and looks at the name's last byte, so neither
// an empty name nor a NUL inside one may reach it.
bool ReadName(std::string_view chunk, std::size_t& pos, std::size_t end, std::string_view& name)
{
    std::uint64_t length = 0;
    if (!ReadEncodedInteger(chunk, pos, end, length) || length == 0 || length > MaxPathLength
        || length > end - pos)
        return false;
    name = chunk.substr(pos, static_cast<std::size_t>(length));
    pos += static_cast<std::size_t>(length);
    return name.find('\0') == std::string_view::npos;
}

bool ReadListingChunk(std::string_view chunk, std::vector<TEntry>& entries, std::int32_t& next)
{
    const std::optional<std::size_t> end = EntriesEnd(chunk, ListingHeaderSize);
    if (!end)
        return false;
    std::size_t pos = ListingHeaderSize;
    while (pos < *end) {
        TEntry entry;
        if (!ReadName(chunk, pos, *end, entry.Name)
            || !ReadEncodedInteger(chunk, pos, *end, entry.Section)
            || !ReadEncodedInteger(chunk, pos, *end, entry.Start)
            || !ReadEncodedInteger(chunk, pos, *end, entry.Length) || entry.Section > 1)
            return false;
        entries.push_back(entry);
    }
    next = LoadInt32(chunk, 0x10);
    return true;
}

bool ReadIndexChunk(
    std::string_view chunk, std::uint64_t chunkCount, std::vector<std::uint32_t>& children)
{
    const std::optional<std::size_t> end = EntriesEnd(chunk, IndexHeaderSize);
    if (!end)
        return false;
    std::size_t pos = IndexHeaderSize;
    while (pos < *end) {
        std::string_view name;
        std::uint64_t child = 0;
        if (!ReadName(chunk, pos, *end, name) || !ReadEncodedInteger(chunk, pos, *end, child)
            || child >= chunkCount)
            return false;
        children.push_back(static_cast<std::uint32_t>(child));
    }
    return true;
}

class TContainerCheck
{
public:
    explicit TContainerCheck(std::string_view file)
        : FFile(file)
    { }

    TChmFault Run()
    {
        if (!CheckHeader())
            return TChmFault::Header;
        if (!CheckDirectoryHeader())
            return TChmFault::Directory;
        if (const TChmFault fault = CheckChunks(); fault != TChmFault::None)
            return fault;
        if (!CheckEntries())
            return TChmFault::Chunk;
        if (!CheckCompression())
            return TChmFault::Compression;
        return TChmFault::None;
    }

private:
    enum class TKind : std::uint8_t { Unread, Listing, Index, Bad };
    enum class TMark : std::uint8_t { New, Open, Done };

    bool CheckHeader()
    {
        if (FFile.size() < ItsfV3Size || FFile.substr(0, 4) != "ITSF")
            return false;
        const std::uint32_t version = LoadUInt32(FFile, 4);
        const std::uint32_t headerSize = LoadUInt32(FFile, 8);
        if ((version != 2 && version != 3) || headerSize < (version == 3 ? ItsfV3Size : ItsfV2Size)
            || headerSize > FFile.size())
            return false;
        const std::uint64_t size = FFile.size();
        if (!Inside(LoadUInt64(FFile, 0x38), LoadUInt64(FFile, 0x40), size))
            return false;
        FDirectoryOffset = LoadUInt64(FFile, 0x48);
        FDirectorySize = LoadUInt64(FFile, 0x50);
        if (!Inside(FDirectoryOffset, FDirectorySize, size) || FDirectorySize < ItspSize)
            return false;
        // Version 2 has its content right after the directory.
        FContentOffset = version == 3 ? LoadUInt64(FFile, 0x58) : FDirectoryOffset + FDirectorySize;
        return FContentOffset <= size;
    }

    bool CheckDirectoryHeader()
    {
        const std::string_view itsp = FFile.substr(FDirectoryOffset, ItspSize);
        if (itsp.substr(0, 4) != "ITSP" || LoadUInt32(itsp, 4) != 1
            || LoadUInt32(itsp, 8) != ItspSize)
            return false;
        FChunkSize = LoadUInt32(itsp, 0x10);
        if (FChunkSize < MinChunkSize || FChunkSize > MaxChunkSize
            || (FChunkSize & (FChunkSize - 1)) != 0)
            return false;
        FChunkCount = (FDirectorySize - ItspSize) / FChunkSize;
        FRoot = LoadInt32(itsp, 0x1C);
        FHead = LoadInt32(itsp, 0x20);
        if (FChunkCount == 0 || FHead < 0 || static_cast<std::uint64_t>(FHead) >= FChunkCount)
            return false;
        // chmlib takes a root of -1 to mean "no index": the first listing chunk is the root.
        if (FRoot == -1)
            FRoot = FHead;
        if (FRoot < 0 || static_cast<std::uint64_t>(FRoot) >= FChunkCount)
            return false;
        FKinds.assign(static_cast<std::size_t>(FChunkCount), TKind::Unread);
        FNext.assign(static_cast<std::size_t>(FChunkCount), -1);
        FChildren.resize(static_cast<std::size_t>(FChunkCount));
        return true;
    }

    std::string_view Chunk(std::uint64_t number) const
    {
        return FFile.substr(FDirectoryOffset + ItspSize + number * FChunkSize, FChunkSize);
    }

    // Reads a chunk once, whichever walk reaches it first.
    TKind Read(std::uint32_t number)
    {
        TKind& kind = FKinds[number];
        if (kind != TKind::Unread)
            return kind;
        const std::string_view chunk = Chunk(number);
        kind = TKind::Bad;
        if (chunk.substr(0, 4) == "PMGL") {
            if (ReadListingChunk(chunk, FEntries, FNext[number]))
                kind = TKind::Listing;
        } else if (chunk.substr(0, 4) == "PMGI") {
            if (ReadIndexChunk(chunk, FChunkCount, FChildren[number]))
                kind = TKind::Index;
        }
        return kind;
    }

    TChmFault CheckChunks()
    {
        // The chain that chm_enumerate follows from the first listing chunk.
        std::vector<bool> onChain(static_cast<std::size_t>(FChunkCount), false);
        for (std::int32_t number = FHead; number != -1;) {
            if (number < 0 || static_cast<std::uint64_t>(number) >= FChunkCount)
                return TChmFault::Index;
            const auto index = static_cast<std::uint32_t>(number);
            if (onChain[index])
                return TChmFault::Index;
            onChain[index] = true;
            if (Read(index) != TKind::Listing)
                return TChmFault::Chunk;
            number = FNext[index];
        }

        // The tree that chm_resolve_object descends from the root; depth first without
        // recursion, so a deep tree cannot exhaust the stack, and a chunk met again while it is
        // still open is a cycle.
        std::vector<TMark> marks(static_cast<std::size_t>(FChunkCount), TMark::New);
        std::vector<std::pair<std::uint32_t, std::size_t>> path;
        auto enter = [&](std::uint32_t number) {
            const TKind kind = Read(number);
            if (kind == TKind::Bad)
                return false;
            if (kind == TKind::Index) {
                marks[number] = TMark::Open;
                path.emplace_back(number, 0);
            } else {
                marks[number] = TMark::Done;
            }
            return true;
        };
        if (!enter(static_cast<std::uint32_t>(FRoot)))
            return TChmFault::Chunk;
        while (!path.empty()) {
            auto& [number, nextChild] = path.back();
            const std::vector<std::uint32_t>& children = FChildren[number];
            if (nextChild == children.size()) {
                marks[number] = TMark::Done;
                path.pop_back();
                continue;
            }
            const std::uint32_t child = children[nextChild++];
            if (marks[child] == TMark::Open)
                return TChmFault::Index;
            if (marks[child] == TMark::New && !enter(child))
                return TChmFault::Chunk;
        }
        return TChmFault::None;
    }

    bool CheckEntries()
    {
        const std::uint64_t contentSize = FFile.size() - FContentOffset;
        for (const TEntry& entry : FEntries) {
            if (entry.Section == 0) {
                if (!Inside(entry.Start, entry.Length, contentSize))
                    return false;
            } else {
                if (entry.Start > UINT64_MAX - entry.Length)
                    return false;
                // chmlib reads nothing for an empty entry, whatever its section.
                if (entry.Length > 0) {
                    FCompressedEnd = std::max(FCompressedEnd, entry.Start + entry.Length);
                    FHasCompressed = true;
                }
            }
        }
        return true;
    }

    // The data of a special entry, which must be unique and uncompressed; nothing when it is
    // missing, and false when it is there but unusable.
    bool Special(std::string_view name, std::optional<std::string_view>& data) const
    {
        data.reset();
        int found = 0;
        for (const TEntry& entry : FEntries) {
            // chmlib looks names up ignoring case.
            if (!SameTextAscii(entry.Name, name))
                continue;
            if (++found > 1 || entry.Section != 0)
                return false;
            data = FFile.substr(FContentOffset + entry.Start, entry.Length);
        }
        return true;
    }

    bool CheckCompression()
    {
        std::optional<std::string_view> resetTable;
        std::optional<std::string_view> controlData;
        std::optional<std::string_view> content;
        if (!Special(ResetTableName, resetTable) || !Special(ControlDataName, controlData)
            || !Special(ContentName, content))
            return false;
        if (!resetTable && !controlData && !content)
            return !FHasCompressed;
        if (!resetTable || !controlData || !content)
            return false;
        return CheckResetTable(*resetTable, content->size()) && CheckControlData(*controlData);
    }

    bool CheckResetTable(std::string_view table, std::uint64_t contentSize) const
    {
        if (table.size() < ResetTableSize || LoadUInt32(table, 0) != 2)
            return false;
        const std::uint64_t frames = LoadUInt32(table, 4);
        const std::uint32_t entrySize = LoadUInt32(table, 8);
        const std::uint64_t tableOffset = LoadUInt32(table, 12);
        const std::uint64_t uncompressedSize = LoadUInt64(table, 16);
        const std::uint64_t compressedSize = LoadUInt64(table, 24);
        if (frames == 0 || entrySize != 8 || LoadUInt64(table, 32) != FrameSize
            || !Inside(tableOffset, frames * 8, table.size()) || compressedSize > contentSize)
            return false;
        // Each frame runs from its own start to the next one's, the last to the compressed size.
        std::uint64_t previous = 0;
        for (std::uint64_t frame = 0; frame < frames; ++frame) {
            const std::uint64_t start
                = LoadUInt64(table, static_cast<std::size_t>(tableOffset + frame * 8));
            if (start < previous || start > compressedSize
                || (frame > 0 && start - previous > FrameSize + FrameSlack))
                return false;
            previous = start;
        }
        if (compressedSize - previous > FrameSize + FrameSlack)
            return false;
        return uncompressedSize <= frames * FrameSize && FCompressedEnd <= uncompressedSize;
    }

    static bool CheckControlData(std::string_view data)
    {
        if (data.size() < ControlDataMinSize || data.size() > ControlDataMaxSize
            || data.substr(4, 4) != "LZXC")
            return false;
        const std::uint32_t version = LoadUInt32(data, 8);
        std::uint64_t resetInterval = LoadUInt32(data, 12);
        std::uint64_t window = LoadUInt32(data, 16);
        const std::uint64_t windowsPerReset = LoadUInt32(data, 20);
        if (version != 1 && version != 2)
            return false;
        if (version == 2) {
            // chmlib scales these in 32 bits: refuse what would wrap.
            resetInterval *= ControlDataUnit;
            window *= ControlDataUnit;
            if (resetInterval > UINT32_MAX || window > UINT32_MAX)
                return false;
        }
        if (window < MinWindow || window > MaxWindow || (window & (window - 1)) != 0)
            return false;
        if (resetInterval == 0 || resetInterval % (window / 2) != 0 || windowsPerReset == 0)
            return false;
        // chmlib divides frame numbers by this 32-bit count.
        const std::uint64_t resetFrames = resetInterval / (window / 2) * windowsPerReset;
        return resetFrames > 0 && resetFrames <= UINT32_MAX;
    }

    std::string_view FFile;
    std::uint64_t FDirectoryOffset = 0;
    std::uint64_t FDirectorySize = 0;
    std::uint64_t FContentOffset = 0;
    std::uint64_t FChunkSize = 0;
    std::uint64_t FChunkCount = 0;
    std::int32_t FRoot = -1;
    std::int32_t FHead = -1;
    std::vector<TKind> FKinds;
    std::vector<std::int32_t> FNext;
    std::vector<std::vector<std::uint32_t>> FChildren;
    std::vector<TEntry> FEntries;
    std::uint64_t FCompressedEnd = 0;
    bool FHasCompressed = false;
};

} // namespace

TChmFault CheckChmContainer(std::string_view file)
{
    return TContainerCheck(file).Run();
}
