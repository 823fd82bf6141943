#include "preview/PreviewFile.h"

#include "BadInput.h"
#include "MemoryMeter.h"
#include "TemporaryFolder.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <fstream>
#include <functional>
#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// No bad file may cost more than this: far below the 256 MiB of the largest legal grid, and
// above what the reader's fixed buffers and the file's own bytes take.
constexpr std::int64_t MemoryBudget = 64 * MiB;

std::string Int32Bytes(std::int32_t value)
{
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[static_cast<std::size_t>(i)]
            = static_cast<char>(static_cast<std::uint32_t>(value) >> (8 * i));
    return bytes;
}

std::string Header(std::int32_t width, std::int32_t height)
{
    return Int32Bytes(width) + Int32Bytes(height);
}

// Streams the bytes through the compressor with the given flush and returns what came out.
std::string DeflatePart(z_stream& stream, std::string_view bytes, int flush)
{
    std::string out;
    char buffer[64 * 1024];
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream.avail_in = static_cast<uInt>(bytes.size());
    int result;
    do {
        stream.next_out = reinterpret_cast<Bytef*>(buffer);
        stream.avail_out = sizeof buffer;
        result = deflate(&stream, flush);
        out.append(buffer, sizeof buffer - stream.avail_out);
    } while (stream.avail_out == 0 || (flush == Z_FINISH && result != Z_STREAM_END));
    return out;
}

std::string Compress(std::string_view content)
{
    z_stream stream {};
    EXPECT_EQ(deflateInit(&stream, 9), Z_OK);
    std::string out = DeflatePart(stream, content, Z_FINISH);
    deflateEnd(&stream);
    return out;
}

// A zlib stream of the header followed by zeroMiB mebibytes of zero bytes. After a full flush the
// compressor depends on nothing before it, so one compressed mebibyte is repeated instead of
// deflating a gibibyte, and the Adler-32 trailer is combined from the parts.
std::string ZeroBomb(const std::string& header, std::size_t zeroMiB)
{
    z_stream stream {};
    EXPECT_EQ(deflateInit2(&stream, 9, Z_DEFLATED, 15, 9, Z_DEFAULT_STRATEGY), Z_OK);
    const std::string zeros(static_cast<std::size_t>(MiB), '\0');
    std::string bomb = DeflatePart(stream, header, Z_FULL_FLUSH);
    const std::string first = DeflatePart(stream, zeros, Z_FULL_FLUSH);
    const std::string repeated = DeflatePart(stream, zeros, Z_FULL_FLUSH);
    EXPECT_EQ(first, repeated) << "a fully flushed mebibyte does not repeat";
    const std::string end = DeflatePart(stream, "", Z_FINISH);
    deflateEnd(&stream);

    bomb.reserve(bomb.size() + repeated.size() * zeroMiB + end.size());
    for (std::size_t i = 0; i < zeroMiB; ++i)
        bomb += repeated;
    bomb += end.substr(0, end.size() - 4);

    uLong adler = adler32(
        1, reinterpret_cast<const Bytef*>(header.data()), static_cast<uInt>(header.size()));
    const uLong zerosAdler
        = adler32(1, reinterpret_cast<const Bytef*>(zeros.data()), static_cast<uInt>(MiB));
    for (std::size_t i = 0; i < zeroMiB; ++i)
        adler = adler32_combine(adler, zerosAdler, static_cast<z_off_t>(MiB));
    for (int shift = 24; shift >= 0; shift -= 8)
        bomb += static_cast<char>(adler >> shift);
    return bomb;
}

// About 1 MB that inflates to 1 GiB.
constexpr std::size_t BombMiB = 1024;

std::string Damaged(std::string data, std::size_t fromEnd)
{
    data[data.size() - fromEnd] ^= 0x01;
    return data;
}

// A valid preview of 40 x 30 cells of every kind.
std::string ValidFile()
{
    std::mt19937 random(8);
    TPreviewMap map(40, 30);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            map.SetCell(x, y, static_cast<std::uint32_t>(random()));
    return PreviewFileData(map);
}

// A tiny stream whose header claims the size and whose cells stop after a few zero bytes.
std::string Claiming(std::int32_t width, std::int32_t height)
{
    return Compress(Header(width, height) + std::string(64, '\0'));
}

struct TBadPreview
{
    const char* Name;
    std::function<std::string()> Make;
    const char* Message; // nullptr: the file reads, as a grid of this size
    int Width = 0, Height = 0;
    std::size_t MaxFileSize = 0; // 0: no limit; else the file must be at most this big
};

void PrintTo(const TBadPreview& row, std::ostream* out)
{
    *out << row.Name;
}

class PreviewBadInputTest : public ::testing::TestWithParam<TBadPreview>
{
};

TEST_P(PreviewBadInputTest, FailsWithItsMessageInBoundedMemory)
{
    const TBadPreview& row = GetParam();
    TTemporaryFolder folder;
    const fs::path file = folder / "Preview.cpf";
    {
        const std::string data = row.Make();
        if (row.MaxFileSize != 0) {
            ASSERT_LE(data.size(), row.MaxFileSize) << "the crafted file is bigger than meant";
        }
        WriteBytes(file, data);
    }

    std::string outcome;
    TPreviewMap map;
    const std::int64_t growth = PeakGrowth([&] {
        try {
            map = ReadPreviewFile(file);
            outcome = "read";
        } catch (const std::exception& error) {
            outcome = error.what();
        }
    });

    if (row.Message != nullptr) {
        EXPECT_EQ(outcome, row.Message);
    } else {
        ASSERT_EQ(outcome, "read");
        EXPECT_EQ(map.Width(), row.Width);
        EXPECT_EQ(map.Height(), row.Height);
    }
    RecordProperty("peak_memory_growth_kib", static_cast<int>(growth / 1024));
    // AddressSanitizer's shadow memory and quarantine make resident sizes meaningless.
    if (!AddressSanitizer && growth >= 0) {
        EXPECT_LT(growth, MemoryBudget)
            << "peak resident memory grew by " << growth / MiB << " MiB";
    }
    map = TPreviewMap();
}

const std::vector<TBadPreview> BadPreviews = {
    // Not a zlib stream at all.
    {"empty", [] { return std::string(); }, "Stream read error"},
    {"colour_file_text", [] { return std::string("096,048,048 // Water\r\n"); }, "Error"},
    {"bitmap_header", [] { return std::string("BM\x36\x84\x03\0\0\0\0\0\x36\0\0\0", 14); },
        "Error"},
    {"gzip_stream", [] { return std::string("\x1F\x8B\x08\0\0\0\0\0\0\x03", 10); }, "Error"},
    {"raw_deflate_without_zlib_header", [] { return ValidFile().substr(2); }, "Error"},
    {"random_bytes",
        [] {
            // Starting with "J" keeps the bytes from passing for a zlib header by chance.
            return "J" + RandomBytes(100000, 1);
        },
        "Error"},
    {"zlib_header_then_a_reserved_block_type",
        [] { return "\x78\x9C" + std::string(1000, '\xFF'); }, "Error"},
    // Cut short.
    {"only_the_zlib_header", [] { return ValidFile().substr(0, 2); }, "Stream read error"},
    {"cut_in_the_size_header", [] { return Compress(Header(4, 4).substr(0, 6)); },
        "Stream read error"},
    {"file_cut_in_the_size_header", [] { return Compress(Header(4, 4) + "abcd").substr(0, 5); },
        "Stream read error"},
    {"cut_after_the_size_header", [] { return Compress(Header(3, 3)); }, "Stream read error"},
    {"cut_in_a_cell", [] { return Compress(Header(1, 1) + "ab"); }, "Stream read error"},
    {"cut_one_cell_short", [] { return Compress(Header(40, 30) + std::string(4796, 'c')); },
        "Stream read error"},
    {"file_cut_in_the_cells",
        [] {
            const std::string valid = ValidFile();
            return valid.substr(0, valid.size() / 2);
        },
        "Stream read error"},
    {"file_cut_in_the_trailer",
        [] {
            const std::string valid = ValidFile();
            return valid.substr(0, valid.size() - 1);
        },
        "Stream read error"},
    // Negative sizes.
    {"negative_width", [] { return Claiming(-1, 10); }, "Range check error"},
    {"negative_height", [] { return Claiming(10, -1); }, "Range check error"},
    {"both_most_negative", [] { return Claiming(INT32_MIN, INT32_MIN); }, "Range check error"},
    {"negative_height_of_an_empty_grid", [] { return Claiming(0, -1); }, "Range check error"},
    {"negative_times_negative_is_positive", [] { return Claiming(-2, -2); }, "Range check error"},
    // Products that wrap around in 32 bits.
    {"wraps_to_zero", [] { return Claiming(65536, 65536); }, "Out of memory"},
    {"wraps_to_one", [] { return Claiming(641, 6700417); }, "Out of memory"},
    {"wraps_to_minus_one", [] { return Claiming(65537, 65535); }, "Out of memory"},
    {"wraps_to_a_small_grid", [] { return Claiming(65536, 65537); }, "Out of memory"},
    {"largest_sizes", [] { return Claiming(INT32_MAX, INT32_MAX); }, "Out of memory"},
    // Huge claims in a file of 100 bytes.
    {"100_bytes_claiming_4000_x_4000", [] { return Claiming(4000, 4000); }, "Stream read error", 0,
        0, 100},
    {"100_bytes_claiming_the_cell_limit", [] { return Claiming(8192, 8192); }, "Stream read error",
        0, 0, 100},
    {"100_bytes_claiming_60000_x_60000", [] { return Claiming(60000, 60000); }, "Out of memory", 0,
        0, 100},
    {"100_bytes_claiming_65536_x_65536", [] { return Claiming(65536, 65536); }, "Out of memory", 0,
        0, 100},
    // A real bomb: about 1 MB inflating to 1 GiB.
    {"bomb_claiming_16384_x_16384", [] { return ZeroBomb(Header(16384, 16384), BombMiB); },
        "Out of memory", 0, 0, 2 * MiB},
    {"bomb_claiming_just_over_the_cell_limit", [] { return ZeroBomb(Header(8193, 8192), BombMiB); },
        "Out of memory", 0, 0, 2 * MiB},
    {"bomb_cut_to_100_KB_claiming_the_cell_limit",
        [] { return ZeroBomb(Header(8192, 8192), BombMiB).substr(0, 100000); }, "Stream read error",
        0, 0, 100000},
    // The stream is read on to its trailer, so a damaged trailer is found even after a small
    // grid, and whatever follows the last cell is ignored. Past a mebibyte of such content the
    // reader stops looking: a small file could inflate to gigabytes of it.
    {"damaged_checksum", [] { return Damaged(ValidFile(), 1); }, "Error"},
    {"damaged_first_checksum_byte", [] { return Damaged(ValidFile(), 4); }, "Error"},
    {"damaged_checksum_after_extra_content",
        [] { return Damaged(Compress(Header(1, 1) + "cellextra content"), 1); }, "Error"},
    {"damaged_checksum_after_a_gibibyte_of_extra_content",
        [] { return Damaged(ZeroBomb(Header(1, 1), BombMiB), 1); }, nullptr, 1, 1, 2 * MiB},
    {"extra_content_after_the_last_cell",
        [] { return Compress(Header(2, 1) + "cellcell and more"); }, nullptr, 2, 1},
    {"a_gibibyte_of_extra_content_after_one_cell", [] { return ZeroBomb(Header(1, 1), BombMiB); },
        nullptr, 1, 1, 2 * MiB},
    {"16_MB_inflating_to_16_GiB_after_one_cell",
        [] { return ZeroBomb(Header(1, 1), 16 * BombMiB); }, nullptr, 1, 1, 32 * MiB},
    {"bytes_after_the_stream", [] { return ValidFile() + "junk after the stream"; }, nullptr, 40,
        30},
};

// The meter above is only worth its budget if it sees a grid that is really held.
TEST(PreviewMemoryMeterTest, SeesTheCellsOfARealGrid)
{
    if (AddressSanitizer)
        GTEST_SKIP() << "resident sizes are not meaningful under AddressSanitizer";
    const std::string data = ZeroBomb(Header(4096, 4096), 64);
    TPreviewMap map;
    const std::int64_t growth = PeakGrowth([&] { map = ParsePreviewData(data); });
    if (growth < 0)
        GTEST_SKIP() << "the kernel's peak resident size cannot be reset here";
    EXPECT_EQ(map.Width(), 4096);
    EXPECT_GE(growth, 64 * MiB);
}

INSTANTIATE_TEST_SUITE_P(Rows, PreviewBadInputTest, ::testing::ValuesIn(BadPreviews), TRowName());

} // namespace
