#include "preview/BitmapCheck.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

namespace {

struct TBitmapLayout
{
    std::uint32_t HeaderSize = 40;
    std::int32_t Width = 3;
    std::int32_t Height = 2;
    std::uint16_t BitCount = 24;
    std::uint32_t Compression = 0;
    std::uint32_t ColorsUsed = 0;
    std::uint16_t Planes = 1;
};

void PutLittleEndian(std::string& bytes, std::size_t offset, std::uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes[offset + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i));
}

// A well-formed bitmap file of the layout: headers, the palette or masks it needs, then every
// pixel row, with the pixel offset pointing right behind the table.
std::string MakeBitmap(const TBitmapLayout& layout)
{
    const bool core = layout.HeaderSize == 12;
    std::size_t table = 0;
    if (layout.BitCount <= 8)
        table
            = (layout.ColorsUsed != 0 ? layout.ColorsUsed : 1u << layout.BitCount) * (core ? 3 : 4);
    else if (layout.Compression == 3 && layout.HeaderSize < 108)
        table = 12;
    const std::size_t dataOffset = 14 + layout.HeaderSize + table;
    const std::size_t stride
        = (static_cast<std::size_t>(layout.Width) * layout.BitCount + 31) / 32 * 4;
    const std::size_t rows
        = static_cast<std::size_t>(layout.Height < 0 ? -layout.Height : layout.Height);

    std::string bytes(dataOffset + stride * rows, '\x5A');
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutLittleEndian(bytes, 2, static_cast<std::uint32_t>(bytes.size()), 4);
    PutLittleEndian(bytes, 6, 0, 4);
    PutLittleEndian(bytes, 10, static_cast<std::uint32_t>(dataOffset), 4);
    PutLittleEndian(bytes, 14, layout.HeaderSize, 4);
    if (core) {
        PutLittleEndian(bytes, 18, static_cast<std::uint32_t>(layout.Width), 2);
        PutLittleEndian(bytes, 20, static_cast<std::uint32_t>(layout.Height), 2);
        PutLittleEndian(bytes, 22, layout.Planes, 2);
        PutLittleEndian(bytes, 24, layout.BitCount, 2);
    } else {
        std::fill(bytes.begin() + 18, bytes.begin() + 14 + layout.HeaderSize, '\0');
        PutLittleEndian(bytes, 18, static_cast<std::uint32_t>(layout.Width), 4);
        PutLittleEndian(bytes, 22, static_cast<std::uint32_t>(layout.Height), 4);
        PutLittleEndian(bytes, 26, layout.Planes, 2);
        PutLittleEndian(bytes, 28, layout.BitCount, 2);
        PutLittleEndian(bytes, 30, layout.Compression, 4);
        PutLittleEndian(bytes, 46, layout.ColorsUsed, 4);
    }
    return bytes;
}

void SetPixelOffset(std::string& bytes, std::uint32_t offset)
{
    PutLittleEndian(bytes, 10, offset, 4);
}

struct TRow
{
    const char* Name;
    TBitmapLayout Layout;
    std::function<void(std::string&)> Change;
    bool Complete;
};

void Unchanged(std::string&) { }

void DropLastByte(std::string& bytes)
{
    bytes.pop_back();
}

class BitmapCheckTest : public ::testing::TestWithParam<TRow>
{
};

TEST_P(BitmapCheckTest, Decides)
{
    std::string bytes = MakeBitmap(GetParam().Layout);
    GetParam().Change(bytes);
    EXPECT_EQ(BitmapFileLooksComplete(bytes), GetParam().Complete);
}

INSTANTIATE_TEST_SUITE_P(Rows, BitmapCheckTest,
    ::
        testing::
            Values(TRow {"24 bits complete", {}, Unchanged, true},
                TRow {"24 bits one byte short", {}, DropLastByte, false},
                TRow {"trailing bytes", {}, [](std::string& b) { b += "extra"; }, true},
                TRow {
                    "cut inside the info header", {}, [](std::string& b) { b.resize(30); }, false},
                TRow {"only the file header", {}, [](std::string& b) { b.resize(18); }, false},
                TRow {"pixel offset past the end", {},
                    [](std::string& b) {
                        SetPixelOffset(b, static_cast<std::uint32_t>(b.size()) + 1);
                    },
                    false},
                TRow {"pixel offset leaves too few bytes", {},
                    [](std::string& b) { SetPixelOffset(b, 60); }, false},
                TRow {"pixel offset at the end of a file with room for rows", {},
                    [](std::string& b) {
                        SetPixelOffset(b, static_cast<std::uint32_t>(b.size()));
                        b += std::string(24, '\0');
                    },
                    true},
                TRow {"pixel offset back inside the headers", {},
                    [](std::string& b) { SetPixelOffset(b, 20); }, true},
                TRow {"offset inside the headers, rows fit only from it", {},
                    [](std::string& b) {
                        SetPixelOffset(b, 20);
                        b.resize(20 + 24);
                    },
                    false},
                TRow {"top-down rows complete", {.Height = -2}, Unchanged, true},
                TRow {"top-down rows one byte short", {.Height = -2}, DropLastByte, false},
                TRow {"65536 x 65536 in a 54-byte file", {},
                    [](std::string& b) {
                        PutLittleEndian(b, 18, 65536, 4);
                        PutLittleEndian(b, 22, 65536, 4);
                        b.resize(54);
                    },
                    false},
                TRow {"largest sizes in the header", {},
                    [](std::string& b) {
                        PutLittleEndian(b, 18, 0x7FFFFFFF, 4);
                        PutLittleEndian(b, 22, 0x80000000, 4);
                        PutLittleEndian(b, 28, 32, 2);
                    },
                    false},
                TRow {"zero width", {.Width = 0}, Unchanged, false},
                TRow {"negative width", {}, [](std::string& b) { PutLittleEndian(b, 18, -3, 4); },
                    false},
                TRow {"zero height", {.Height = 0}, Unchanged, false},
                TRow {"two planes", {.Planes = 2}, Unchanged, false},
                TRow {"unknown bit count", {.BitCount = 12}, Unchanged, false},
                TRow {"run-length 8 bits", {.BitCount = 8, .Compression = 1}, Unchanged, false},
                TRow {"run-length 4 bits", {.BitCount = 4, .Compression = 2}, Unchanged, false},
                TRow {"JPEG inside", {.Compression = 4}, Unchanged, false},
                TRow {"bit fields 32 bits with masks", {.BitCount = 32, .Compression = 3},
                    Unchanged, true},
                TRow {"bit fields 16 bits with masks", {.BitCount = 16, .Compression = 3},
                    Unchanged, true},
                TRow {"bit fields without room for the masks", {.BitCount = 32, .Compression = 3},
                    [](std::string& b) {
                        b.erase(54, 12);
                        SetPixelOffset(b, 54);
                    },
                    false},
                TRow {"bit fields at 24 bits", {.Compression = 3}, Unchanged, false},
                TRow {"version 5 header with bit fields",
                    {.HeaderSize = 124, .BitCount = 32, .Compression = 3}, Unchanged, true},
                TRow {"version 4 header", {.HeaderSize = 108}, Unchanged, true},
                TRow {"OS/2 2.x header", {.HeaderSize = 64}, Unchanged, true},
                TRow {"unknown header size", {.HeaderSize = 52}, Unchanged, false},
                TRow {"8 bits with full palette", {.BitCount = 8}, Unchanged, true},
                TRow {"8 bits with 16 colours used", {.BitCount = 8, .ColorsUsed = 16}, Unchanged,
                    true},
                TRow {"8 bits with more than 256 colours", {.BitCount = 8, .ColorsUsed = 257},
                    Unchanged, false},
                TRow {"8 bits with the palette missing", {.Width = 4, .BitCount = 8},
                    [](std::string& b) {
                        b.erase(54, 1024);
                        SetPixelOffset(b, 54);
                    },
                    false},
                TRow {"4 bits odd width", {.Width = 9, .BitCount = 4}, Unchanged, true},
                TRow {"1 bit 33 wide one byte short", {.Width = 33, .BitCount = 1}, DropLastByte,
                    false},
                TRow {"1 bit 33 wide", {.Width = 33, .BitCount = 1}, Unchanged, true},
                TRow {"old 12-byte header", {.HeaderSize = 12}, Unchanged, true},
                TRow {"old header with 3-byte palette", {.HeaderSize = 12, .BitCount = 8},
                    Unchanged, true},
                TRow {"old header palette short", {.HeaderSize = 12, .BitCount = 8},
                    [](std::string& b) {
                        b.erase(26, 3);
                        SetPixelOffset(b, 26 + 765);
                    },
                    false},
                TRow {"not a bitmap", {}, [](std::string& b) { b[0] = 'P'; }, false},
                TRow {"empty", {}, [](std::string& b) { b.clear(); }, false}),
    [](const auto& info) {
        std::string name = info.param.Name;
        for (char& c : name)
            if (!std::isalnum(static_cast<unsigned char>(c)))
                c = '_';
        return name;
    });

} // namespace
