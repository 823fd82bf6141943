#include "preview/PreviewFile.h"

#include "common/Error.h"
#include "common/FileAccess.h"
#include "common/TextRules.h"

#include <zlib.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <limits>
#include <memory>
#include <new>
#include <vector>

namespace {

// Cells are inflated straight into the grid and deflated straight from it, which relies on the
// file's byte order being the machine's.
static_assert(std::endian::native == std::endian::little, "preview cells are little-endian");

constexpr std::size_t HeaderSize = 8;
constexpr std::size_t CellSize = 4;
constexpr std::size_t BufferSize = 64 * 1024;

// 2^26 cells are 256 MiB: an 8192 x 8192 preview, far beyond any navigator screen.
constexpr std::uint64_t MaxCells = std::uint64_t {1} << 26;

// Deflate needs at least one bit for a length and one for a distance to produce 258 bytes, so
// no stream expands more than 1032 times; the slack covers the zlib header and trailer.
constexpr std::uint64_t MaxExpansion = 1032;
constexpr std::uint64_t ExpansionSlack = 4096;

// How much content after the last cell is still inflated to reach the checksum. Our writer puts
// none there.
constexpr std::size_t MaxExtraContent = std::size_t {1} << 20;

// The grid grows in doubling steps from this many cells, so a stream that ends early fails
// having allocated at most twice what it delivered...
constexpr std::size_t FirstChunkCells = std::size_t {1} << 18;
// ...or, for a larger file, from what it would hold at this expansion, which real previews rarely
// exceed, so most grids are allocated once and never copied.
constexpr std::size_t FirstChunkExpansion = 128;

constexpr uInt ChunkLimit(std::size_t size)
{
    return static_cast<uInt>(std::min<std::size_t>(size, std::numeric_limits<uInt>::max()));
}

std::int32_t LoadInt32(const unsigned char* bytes)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(bytes[0])
        | static_cast<std::uint32_t>(bytes[1]) << 8 | static_cast<std::uint32_t>(bytes[2]) << 16
        | static_cast<std::uint32_t>(bytes[3]) << 24);
}

void StoreInt32(unsigned char* bytes, std::int32_t value)
{
    const auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<unsigned char>(bits >> (8 * i));
}

// A zlib decompressor over bytes held in memory.
class TInflater
{
public:
    explicit TInflater(std::string_view compressed)
        : FRest(compressed)
    {
        if (inflateInit(&FStream) != Z_OK)
            throw TError("Out of memory");
    }
    ~TInflater() { inflateEnd(&FStream); }
    TInflater(const TInflater&) = delete;
    TInflater& operator=(const TInflater&) = delete;

    // Fills the whole area or fails with "Stream read error".
    void ReadExactly(void* data, std::size_t size)
    {
        if (Read(data, size) != size)
            throw TError("Stream read error");
    }

    // Decompresses what follows up to the end of the stream, only so that the trailer's
    // checksum is verified, but no more than `limit` bytes: content after the last cell is not
    // part of the grid, and a small file could inflate to gigabytes of it.
    void Finish(std::size_t limit)
    {
        std::unique_ptr<unsigned char[]> scratch(new unsigned char[BufferSize]);
        for (std::size_t done = 0; !FEnded && done < limit;)
            done += Read(scratch.get(), std::min(BufferSize, limit - done));
    }

private:
    // Fills the area up to the end of the stream and returns how much it filled.
    std::size_t Read(void* data, std::size_t size)
    {
        auto* out = static_cast<Bytef*>(data);
        std::size_t done = 0;
        while (done < size && !FEnded) {
            if (FStream.avail_in == 0 && !FRest.empty()) {
                FStream.avail_in = ChunkLimit(FRest.size());
                FStream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(FRest.data()));
                FRest.remove_prefix(FStream.avail_in);
            }
            const uInt room = ChunkLimit(size - done);
            FStream.next_out = out + done;
            FStream.avail_out = room;
            const int result = inflate(&FStream, Z_NO_FLUSH);
            done += room - FStream.avail_out;
            switch (result) {
            case Z_OK:
                break;
            case Z_BUF_ERROR:
                // No progress without more input, and there is none: the file was cut short.
                if (FStream.avail_in == 0 && FRest.empty())
                    throw TError("Stream read error");
                break;
            case Z_STREAM_END:
                FEnded = true;
                break;
            case Z_MEM_ERROR:
                throw TError("Out of memory");
            default: // Z_DATA_ERROR (not zlib, damaged, bad checksum), Z_NEED_DICT
                throw TError("Error");
            }
        }
        return done;
    }

    z_stream FStream {};
    std::string_view FRest;
    bool FEnded = false;
};

// A zlib compressor at level 6, 15-bit window, memory level 8, default strategy, appending its
// output to a string through one reused buffer.
class TDeflater
{
public:
    explicit TDeflater(std::string& output)
        : FOutput(output)
        , FBuffer(new unsigned char[BufferSize])
    {
        if (deflateInit2(&FStream, 6, Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
            throw TError("Out of memory");
    }
    ~TDeflater() { deflateEnd(&FStream); }
    TDeflater(const TDeflater&) = delete;
    TDeflater& operator=(const TDeflater&) = delete;

    // Compresses the bytes; the last call passes finish to write the rest and the trailer.
    void Write(const void* data, std::size_t size, bool finish)
    {
        const auto* in = static_cast<const Bytef*>(data);
        for (;;) {
            const uInt chunk = ChunkLimit(size);
            FStream.next_in = const_cast<Bytef*>(in);
            FStream.avail_in = chunk;
            const bool lastChunk = chunk == size;
            const int flush = finish && lastChunk ? Z_FINISH : Z_NO_FLUSH;
            int result;
            do {
                FStream.next_out = FBuffer.get();
                FStream.avail_out = BufferSize;
                result = deflate(&FStream, flush);
                if (result == Z_STREAM_ERROR)
                    throw TError("Stream write error");
                FOutput.append(
                    reinterpret_cast<const char*>(FBuffer.get()), BufferSize - FStream.avail_out);
            } while (flush == Z_FINISH ? result != Z_STREAM_END : FStream.avail_out == 0);
            if (lastChunk)
                return;
            in += chunk;
            size -= chunk;
        }
    }

private:
    z_stream FStream {};
    std::string& FOutput;
    std::unique_ptr<unsigned char[]> FBuffer;
};

} // namespace

TPreviewMap ParsePreviewData(std::string_view compressed)
{
    TInflater input(compressed);
    unsigned char header[HeaderSize];
    input.ReadExactly(header, sizeof header);
    const std::int32_t width = LoadInt32(header);
    const std::int32_t height = LoadInt32(header + 4);
    if (width < 0 || height < 0)
        throw TError("Range check error");

    // Judge the claimed size before reserving anything for it.
    const std::uint64_t cellCount
        = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
    if (cellCount > MaxCells)
        throw TError("Out of memory");
    if (compressed.size() * MaxExpansion + ExpansionSlack < HeaderSize + CellSize * cellCount)
        throw TError("Stream read error");

    std::vector<std::uint32_t> cells;
    try {
        std::size_t filled = 0;
        const std::size_t firstChunk
            = std::max(FirstChunkCells, compressed.size() / CellSize * FirstChunkExpansion);
        while (filled < cellCount) {
            const std::size_t target = std::min<std::size_t>(
                static_cast<std::size_t>(cellCount), std::max(2 * filled, firstChunk));
            cells.resize(target);
            input.ReadExactly(cells.data() + filled, CellSize * (target - filled));
            filled = target;
        }
    } catch (const std::bad_alloc&) {
        throw TError("Out of memory");
    }
    // Anything after the last cell is not part of the grid, but a damaged trailer still is an
    // error, as far as the reader looks for it.
    input.Finish(MaxExtraContent);
    return TPreviewMap::FromCells(width, height, std::move(cells));
}

std::string PreviewFileData(const TPreviewMap& map)
{
    std::string data;
    TDeflater output(data);
    unsigned char header[HeaderSize];
    StoreInt32(header, map.Width());
    StoreInt32(header + 4, map.Height());
    output.Write(header, sizeof header, false);
    const auto cells = map.Cells();
    output.Write(cells.data(), cells.size_bytes(), true);
    return data;
}

TPreviewMap ReadPreviewFile(const std::filesystem::path& file)
{
    return ConcerningFile(
        file, [&] { return ParsePreviewData(ReadWholeFile(file, MaxPreviewFileSize)); });
}

void SavePreviewFile(const std::filesystem::path& file, const TPreviewMap& map)
{
    const std::string data = PreviewFileData(map);
    // A grid of noise can compress to more than the reader takes: such a file is never written,
    // since it could not be opened again.
    if (data.size() > MaxPreviewFileSize)
        throw TError(FormatText("Cannot create file \"%s\". The preview would be larger than %s",
                         file.c_str(), ByteSizeText(MaxPreviewFileSize).c_str()),
            file);
    try {
        WriteFileAtomically(file, data);
    } catch (const TFileWriteError& error) {
        // Creating failed: its message already names the file and the reason.
        if (error.Stage != TFileWriteError::TStage::Write)
            throw TError(error.what(), file);
        throw TError("Stream write error", file);
    }
}
