#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// Little-endian numbers inside the bytes of a compiled help file. The caller has checked that
// the bytes at the offset exist.

inline std::uint64_t LoadLittleEndian(std::string_view bytes, std::size_t offset, int size)
{
    std::uint64_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value
            = value << 8 | static_cast<unsigned char>(bytes[offset + static_cast<std::size_t>(i)]);
    return value;
}

inline std::uint16_t LoadUInt16(std::string_view bytes, std::size_t offset)
{
    return static_cast<std::uint16_t>(LoadLittleEndian(bytes, offset, 2));
}

inline std::uint32_t LoadUInt32(std::string_view bytes, std::size_t offset)
{
    return static_cast<std::uint32_t>(LoadLittleEndian(bytes, offset, 4));
}

inline std::int32_t LoadInt32(std::string_view bytes, std::size_t offset)
{
    return static_cast<std::int32_t>(LoadUInt32(bytes, offset));
}

inline std::uint64_t LoadUInt64(std::string_view bytes, std::size_t offset)
{
    return LoadLittleEndian(bytes, offset, 8);
}
