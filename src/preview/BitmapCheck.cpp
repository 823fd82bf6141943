#include "preview/BitmapCheck.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr std::uint64_t FileHeaderSize = 14;
constexpr std::uint32_t CoreHeaderSize = 12; // 16-bit sizes, 3-byte palette entries
constexpr std::uint32_t InfoHeaderSize = 40;
constexpr std::uint32_t Os2HeaderSize = 64;
constexpr std::uint32_t V4HeaderSize = 108; // holds the bit-field masks itself
constexpr std::uint32_t V5HeaderSize = 124;

constexpr std::uint32_t CompressionNone = 0;
constexpr std::uint32_t CompressionBitFields = 3;

// Little-endian fields; the caller has checked that they lie inside the bytes.
std::uint32_t ReadUnsigned(std::string_view bytes, std::size_t offset, int size)
{
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | static_cast<std::uint8_t>(bytes[offset + static_cast<std::size_t>(i)]);
    return value;
}

std::int64_t ReadSigned(std::string_view bytes, std::size_t offset, int size)
{
    const std::uint32_t value = ReadUnsigned(bytes, offset, size);
    return size == 2 ? static_cast<std::int16_t>(value) : static_cast<std::int32_t>(value);
}

} // namespace

bool BitmapFileLooksComplete(std::string_view bytes)
{
    const std::uint64_t fileSize = bytes.size();
    if (fileSize < FileHeaderSize + 4 || bytes.substr(0, 2) != "BM")
        return false;
    const std::uint64_t dataOffset = ReadUnsigned(bytes, 10, 4);
    const std::uint32_t headerSize = ReadUnsigned(bytes, 14, 4);
    if (headerSize != CoreHeaderSize && headerSize != InfoHeaderSize && headerSize != Os2HeaderSize
        && headerSize != V4HeaderSize && headerSize != V5HeaderSize)
        return false;
    if (FileHeaderSize + headerSize > fileSize)
        return false;

    const bool core = headerSize == CoreHeaderSize;
    const int sizeField = core ? 2 : 4;
    const std::int64_t width = ReadSigned(bytes, 18, sizeField);
    const std::int64_t height = ReadSigned(bytes, 18 + sizeField, sizeField);
    const std::uint32_t planes = ReadUnsigned(bytes, 18 + 2 * sizeField, 2);
    const std::uint32_t bitCount = ReadUnsigned(bytes, 20 + 2 * sizeField, 2);
    const std::uint32_t compression = core ? CompressionNone : ReadUnsigned(bytes, 30, 4);
    const std::uint32_t colorsUsed = core ? 0 : ReadUnsigned(bytes, 46, 4);

    if (planes != 1 || width <= 0 || height == 0)
        return false;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24
        && bitCount != 32)
        return false;
    const bool bitFields = compression == CompressionBitFields;
    if (compression != CompressionNone && !(bitFields && (bitCount == 16 || bitCount == 32)))
        return false;

    // What lies between the headers and the pixels: the three masks of a bit-field bitmap with
    // a short header, or the palette of a bitmap of 8 bits or fewer.
    std::uint64_t tableSize = 0;
    if (bitCount <= 8) {
        const std::uint64_t colors = colorsUsed != 0 ? colorsUsed : 1u << bitCount;
        if (colors > 256)
            return false;
        tableSize = colors * (core ? 3 : 4);
    } else if (bitFields && headerSize < V4HeaderSize) {
        tableSize = 12;
    }
    // A pixel offset pointing back into the headers is read as "right after them".
    const std::uint64_t dataStart = std::max(dataOffset, FileHeaderSize + headerSize + tableSize);
    if (dataOffset > fileSize || dataStart > fileSize)
        return false;

    // Rows are padded to whole 32-bit words. Dividing rather than multiplying keeps absurd
    // sizes (65536 x 65536 in a 54-byte file) from overflowing.
    const std::uint64_t stride = (static_cast<std::uint64_t>(width) * bitCount + 31) / 32 * 4;
    const std::uint64_t rows = static_cast<std::uint64_t>(height < 0 ? -height : height);
    return rows <= (fileSize - dataStart) / stride;
}
