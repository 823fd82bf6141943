#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Builds the container of a compiled help file byte by byte, so tests can damage one field at a
// time. The compressed section gets its reset table, control data and content entries, but the
// content is filler: the container check does not decode it.

struct TChmBuilderEntry
{
    std::string Name;
    int Section = 0; // 0 stored, 1 compressed
    std::string Data; // stored bytes, or for section 1 only its size counts
};

struct TChmBuilt
{
    std::string Bytes;
    std::size_t DirectoryOffset = 0; // the ITSP header
    std::size_t FirstChunkOffset = 0;
    std::size_t ContentOffset = 0;
    std::size_t ChunkSize = 0;
    std::size_t ChunkCount = 0;
    std::size_t IndexChunk = 0; // the index chunk, when there is one (the last chunk)
};

namespace ChmBuilderDetail {

inline void PutLe(std::string& bytes, std::uint64_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes += static_cast<char>(value >> (8 * i));
}

inline void SetLe(std::string& bytes, std::size_t offset, std::uint64_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes[offset + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i));
}

inline std::string EncodedInteger(std::uint64_t value)
{
    std::string reversed(1, static_cast<char>(value & 0x7F));
    for (value >>= 7; value != 0; value >>= 7)
        reversed += static_cast<char>(0x80 | (value & 0x7F));
    return std::string(reversed.rbegin(), reversed.rend());
}

inline std::string ListingEntry(
    std::string_view name, int section, std::uint64_t start, std::uint64_t length)
{
    return EncodedInteger(name.size()) + std::string(name) + EncodedInteger(section)
        + EncodedInteger(start) + EncodedInteger(length);
}

} // namespace ChmBuilderDetail

constexpr std::string_view ChmResetTableName = "::DataSpace/Storage/MSCompressed/Transform/"
                                               "{7FC28940-9D31-11D0-9B27-00A0C91E9C7C}/"
                                               "InstanceData/ResetTable";
constexpr std::string_view ChmControlDataName = "::DataSpace/Storage/MSCompressed/ControlData";
constexpr std::string_view ChmContentName = "::DataSpace/Storage/MSCompressed/Content";

// entriesPerChunk > 0 spreads the entries over listing chunks of that many entries, chained in
// order, with an index chunk over them as the root.
// Each compressed frame gets fillerPerFrame bytes of content.
inline TChmBuilt BuildChm(std::vector<TChmBuilderEntry> entries, std::size_t entriesPerChunk = 0,
    std::uint64_t fillerPerFrame = 1000, std::size_t chunkSize = 0x1000)
{
    using namespace ChmBuilderDetail;
    constexpr std::uint64_t frameSize = 0x8000;

    std::uint64_t uncompressed = 0;
    std::vector<std::uint64_t> compressedStart(entries.size(), 0);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].Section == 1) {
            compressedStart[i] = uncompressed;
            uncompressed += entries[i].Data.size();
        }
    }
    if (uncompressed > 0) {
        const std::uint64_t frames = (uncompressed + frameSize - 1) / frameSize;
        std::string table;
        PutLe(table, 2, 4);
        PutLe(table, frames, 4);
        PutLe(table, 8, 4);
        PutLe(table, 0x28, 4);
        PutLe(table, uncompressed, 8);
        PutLe(table, frames * fillerPerFrame, 8);
        PutLe(table, frameSize, 8);
        for (std::uint64_t frame = 0; frame < frames; ++frame)
            PutLe(table, frame * fillerPerFrame, 8);
        std::string control;
        PutLe(control, 6, 4);
        control += "LZXC";
        for (const std::uint64_t value : {2, 2, 2, 1, 0})
            PutLe(control, value, 4);
        entries.push_back({std::string(ChmResetTableName), 0, table});
        entries.push_back({std::string(ChmControlDataName), 0, control});
        entries.push_back({std::string(ChmContentName), 0,
            std::string(static_cast<std::size_t>(frames * fillerPerFrame), 'z')});
        compressedStart.resize(entries.size(), 0);
    }

    // Stored data in entry order, then the listing entries.
    std::string content;
    std::vector<std::string> listed;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const TChmBuilderEntry& entry = entries[i];
        if (entry.Section == 0) {
            listed.push_back(ListingEntry(entry.Name, 0, content.size(), entry.Data.size()));
            content += entry.Data;
        } else {
            listed.push_back(ListingEntry(entry.Name, 1, compressedStart[i], entry.Data.size()));
        }
    }

    const std::size_t perChunk = entriesPerChunk == 0 ? listed.size() : entriesPerChunk;
    std::vector<std::string> chunks;
    std::vector<std::string> firstNames;
    for (std::size_t first = 0; first < listed.size() || chunks.empty(); first += perChunk) {
        std::string body;
        for (std::size_t i = first; i < std::min(listed.size(), first + perChunk); ++i)
            body += listed[i];
        firstNames.push_back(first < entries.size() ? entries[first].Name : "/");
        std::string chunk = "PMGL";
        PutLe(chunk, chunkSize - 0x14 - body.size(), 4);
        PutLe(chunk, 0, 4);
        PutLe(chunk, chunks.empty() ? 0xFFFFFFFF : chunks.size() - 1, 4);
        PutLe(chunk, 0xFFFFFFFF, 4); // next, set below
        chunk += body;
        chunk.resize(chunkSize, '\0');
        chunks.push_back(chunk);
        if (listed.empty())
            break;
    }
    for (std::size_t i = 0; i + 1 < chunks.size(); ++i)
        SetLe(chunks[i], 0x10, i + 1, 4);

    const bool indexed = entriesPerChunk != 0;
    if (indexed) {
        std::string body;
        for (std::size_t i = 0; i < firstNames.size(); ++i)
            body += EncodedInteger(firstNames[i].size()) + firstNames[i] + EncodedInteger(i);
        std::string chunk = "PMGI";
        PutLe(chunk, chunkSize - 8 - body.size(), 4);
        chunk += body;
        chunk.resize(chunkSize, '\0');
        chunks.push_back(chunk);
    }

    TChmBuilt built;
    built.ChunkSize = chunkSize;
    built.ChunkCount = chunks.size();
    built.IndexChunk = chunks.size() - 1;
    built.DirectoryOffset = 0x78;
    built.FirstChunkOffset = built.DirectoryOffset + 0x54;
    const std::size_t directorySize = 0x54 + chunks.size() * chunkSize;
    built.ContentOffset = built.DirectoryOffset + directorySize;
    const std::size_t fileSize = built.ContentOffset + content.size();

    std::string& bytes = built.Bytes;
    bytes = "ITSF";
    PutLe(bytes, 3, 4);
    PutLe(bytes, 0x60, 4);
    PutLe(bytes, 1, 4);
    PutLe(bytes, 0, 4);
    PutLe(bytes, 0x409, 4);
    bytes += std::string(32, '\x11'); // two GUIDs, which nobody checks
    PutLe(bytes, 0x60, 8);
    PutLe(bytes, 0x18, 8);
    PutLe(bytes, built.DirectoryOffset, 8);
    PutLe(bytes, directorySize, 8);
    PutLe(bytes, built.ContentOffset, 8);
    PutLe(bytes, 0x1FE, 8);
    PutLe(bytes, fileSize, 8);
    PutLe(bytes, 0, 8);

    bytes += "ITSP";
    for (const std::uint64_t value : {1, 0x54, 10})
        PutLe(bytes, value, 4);
    PutLe(bytes, chunkSize, 4);
    PutLe(bytes, 2, 4);
    PutLe(bytes, indexed ? 2 : 1, 4);
    PutLe(bytes, indexed ? built.IndexChunk : 0xFFFFFFFF, 4);
    PutLe(bytes, 0, 4);
    PutLe(bytes, chunks.size() - (indexed ? 2 : 1), 4);
    PutLe(bytes, 0xFFFFFFFF, 4);
    PutLe(bytes, chunks.size(), 4);
    PutLe(bytes, 0x409, 4);
    bytes += std::string(16, '\x22');
    PutLe(bytes, 0x54, 4);
    for (int i = 0; i < 3; ++i)
        PutLe(bytes, 0xFFFFFFFF, 4);
    for (const std::string& chunk : chunks)
        bytes += chunk;
    bytes += content;
    return built;
}
