#include "help/ChmEntryStream.h"

#include "help/LittleEndian.h"

#include <algorithm>

namespace {

constexpr std::size_t CountSize = 4;
constexpr std::size_t PathLengthSize = 4;
constexpr std::size_t ContentLengthSize = 8;
constexpr std::uint64_t NoContent = ~std::uint64_t {0};
constexpr std::size_t SmallestEntry = PathLengthSize + 1 + ContentLengthSize;

bool IsSoundPath(std::string_view path)
{
    return !path.empty() && path.size() <= MaxChmPathLength
        && path.find('\0') == std::string_view::npos;
}

void PutLittleEndian(std::string& bytes, std::uint64_t value, std::size_t size)
{
    for (std::size_t i = 0; i < size; ++i, value >>= 8)
        bytes += static_cast<char>(value & 0xFF);
}

} // namespace

std::uint64_t ChmEntryStreamSize(std::span<const TChmStreamEntry> entries)
{
    std::uint64_t size = ChmStreamMagic.size() + CountSize;
    for (const TChmStreamEntry& entry : entries) {
        size += PathLengthSize + entry.Path.size() + ContentLengthSize;
        if (entry.Content)
            size += entry.Content->size();
    }
    return size;
}

std::optional<std::string> WriteChmEntryStream(std::span<const TChmStreamEntry> entries)
{
    if (entries.size() > MaxChmStreamEntries)
        return std::nullopt;
    for (const TChmStreamEntry& entry : entries) {
        if (!IsSoundPath(entry.Path) || (entry.Content && entry.Content->size() > MaxChmEntrySize))
            return std::nullopt;
    }
    // Every entry is bounded now, so the sum cannot wrap.
    const std::uint64_t size = ChmEntryStreamSize(entries);
    if (size > MaxChmStreamSize)
        return std::nullopt;

    std::string stream;
    stream.reserve(static_cast<std::size_t>(size));
    stream += ChmStreamMagic;
    PutLittleEndian(stream, entries.size(), CountSize);
    for (const TChmStreamEntry& entry : entries) {
        PutLittleEndian(stream, entry.Path.size(), PathLengthSize);
        stream += entry.Path;
        PutLittleEndian(
            stream, entry.Content ? entry.Content->size() : NoContent, ContentLengthSize);
        if (entry.Content)
            stream += *entry.Content;
    }
    return stream;
}

std::optional<std::vector<TChmStreamEntry>> ReadChmEntryStream(std::string_view stream)
{
    if (stream.size() > MaxChmStreamSize || !stream.starts_with(ChmStreamMagic)
        || stream.size() < ChmStreamMagic.size() + CountSize)
        return std::nullopt;
    std::size_t at = ChmStreamMagic.size();
    const std::uint32_t count = LoadUInt32(stream, at);
    at += CountSize;
    if (count > MaxChmStreamEntries)
        return std::nullopt;

    std::vector<TChmStreamEntry> entries;
    // A count that the bytes cannot hold reserves no more than they can.
    entries.reserve(std::min<std::size_t>(count, (stream.size() - at) / SmallestEntry));
    for (std::uint32_t i = 0; i < count; ++i) {
        // Each length is compared with what is left before it is used, so nothing can wrap.
        if (stream.size() - at < PathLengthSize)
            return std::nullopt;
        const std::uint32_t pathLength = LoadUInt32(stream, at);
        at += PathLengthSize;
        if (pathLength > MaxChmPathLength || stream.size() - at < pathLength)
            return std::nullopt;
        const std::string_view path = stream.substr(at, pathLength);
        at += pathLength;
        if (!IsSoundPath(path) || stream.size() - at < ContentLengthSize)
            return std::nullopt;
        const std::uint64_t contentLength = LoadUInt64(stream, at);
        at += ContentLengthSize;
        if (contentLength == NoContent) {
            entries.push_back({path, std::nullopt});
            continue;
        }
        if (contentLength > MaxChmEntrySize || stream.size() - at < contentLength)
            return std::nullopt;
        entries.push_back({path, stream.substr(at, static_cast<std::size_t>(contentLength))});
        at += static_cast<std::size_t>(contentLength);
    }
    if (at != stream.size())
        return std::nullopt;
    return entries;
}
