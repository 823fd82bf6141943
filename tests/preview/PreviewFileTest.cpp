#include "preview/PreviewFile.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string Int32Bytes(std::int32_t value)
{
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<char>(static_cast<std::uint32_t>(value) >> (8 * i));
    return bytes;
}

// The decompressed content of a preview file, laid out by hand.
std::string Content(
    std::int32_t width, std::int32_t height, const std::vector<std::uint32_t>& cells = {})
{
    std::string content = Int32Bytes(width) + Int32Bytes(height);
    for (const std::uint32_t cell : cells)
        content += Int32Bytes(static_cast<std::int32_t>(cell));
    return content;
}

std::string Compress(const std::string& content, int level, int windowBits = 15)
{
    z_stream stream {};
    EXPECT_EQ(deflateInit2(&stream, level, Z_DEFLATED, windowBits, 8, Z_DEFAULT_STRATEGY), Z_OK);
    std::string out(deflateBound(&stream, content.size()), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(content.data()));
    stream.avail_in = static_cast<uInt>(content.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    EXPECT_EQ(deflate(&stream, Z_FINISH), Z_STREAM_END);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

std::string Decompress(const std::string& data)
{
    z_stream stream {};
    EXPECT_EQ(inflateInit(&stream), Z_OK);
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = static_cast<uInt>(data.size());
    std::string content;
    char buffer[4096];
    int result;
    do {
        stream.next_out = reinterpret_cast<Bytef*>(buffer);
        stream.avail_out = sizeof buffer;
        result = inflate(&stream, Z_NO_FLUSH);
        content.append(buffer, sizeof buffer - stream.avail_out);
    } while (result == Z_OK);
    EXPECT_EQ(result, Z_STREAM_END);
    EXPECT_EQ(stream.avail_in, 0u) << "bytes after the stream";
    inflateEnd(&stream);
    return content;
}

// Cells of every kind, item references and fixed colours with and without a top byte.
TPreviewMap RandomMap(int width, int height, unsigned seed = 1)
{
    std::mt19937 random(seed);
    TPreviewMap map(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            map.SetCell(x, y, static_cast<std::uint32_t>(random()));
    return map;
}

std::vector<std::uint32_t> CellsOf(const TPreviewMap& map)
{
    return {map.Cells().begin(), map.Cells().end()};
}

std::string FailureOf(const std::string& data)
{
    try {
        ParsePreviewData(data);
    } catch (const std::exception& error) {
        return error.what();
    }
    return "no failure";
}

class PreviewFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        FFolder = fs::temp_directory_path()
            / ("tintwright-preview-" + std::to_string(::getpid()) + "-"
                + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(FFolder);
        fs::create_directories(FFolder);
    }
    void TearDown() override { fs::remove_all(FFolder); }

    fs::path FFolder;
};

TEST_F(PreviewFileTest, WriteThenReadGivesTheSameMapAndExactContent)
{
    const std::pair<int, int> sizes[]
        = {{0, 0}, {0, 5}, {5, 0}, {1, 1}, {3, 7}, {1000, 1}, {1, 1000}, {240, 320}};
    for (const auto& [width, height] : sizes) {
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
        const TPreviewMap map = RandomMap(width, height);
        const fs::path file = FFolder / "Preview.cpf";
        SavePreviewFile(file, map);
        EXPECT_EQ(ReadPreviewFile(file), map);

        std::ifstream in(file, std::ios::binary);
        const std::string data((std::istreambuf_iterator<char>(in)), {});
        EXPECT_EQ(Decompress(data), Content(width, height, CellsOf(map)));
    }
}

TEST_F(PreviewFileTest, WriterUsesTheDefaultLevelAndFullWindow)
{
    // The zlib header of level 6 with a 32 KiB window.
    const std::string data = PreviewFileData(RandomMap(3, 3));
    ASSERT_GE(data.size(), 2u);
    EXPECT_EQ(static_cast<unsigned char>(data[0]), 0x78);
    EXPECT_EQ(static_cast<unsigned char>(data[1]), 0x9C);
}

TEST_F(PreviewFileTest, ReadsStreamsOfAnyCompression)
{
    const TPreviewMap map = RandomMap(17, 9);
    const std::string content = Content(17, 9, CellsOf(map));
    struct TRow
    {
        const char* Name;
        int Level, WindowBits;
    };
    for (const TRow& row : {TRow {"stored blocks", 0, 15}, TRow {"fastest", 1, 15},
             TRow {"best", 9, 15}, TRow {"small window", 6, 9}}) {
        SCOPED_TRACE(row.Name);
        EXPECT_EQ(ParsePreviewData(Compress(content, row.Level, row.WindowBits)), map);
    }
}

TEST_F(PreviewFileTest, ReadsTheMostCompressedGrid)
{
    // All-zero cells compress close to deflate's limit; the size check must still let them in.
    const TPreviewMap map(2048, 2048);
    EXPECT_EQ(ParsePreviewData(Compress(Content(2048, 2048, CellsOf(map)), 9)), map);
}

TEST_F(PreviewFileTest, IgnoresContentAfterTheLastCellAndBytesAfterTheStream)
{
    const std::string withTrailer = Compress(Content(2, 1, {0xE0000005, 0x00112233}) + "extra", 6);
    const TPreviewMap expected = TPreviewMap::FromCells(2, 1, {0xE0000005, 0x00112233});
    EXPECT_EQ(ParsePreviewData(withTrailer), expected);
    EXPECT_EQ(ParsePreviewData(withTrailer + "junk after the stream"), expected);
}

struct TFailureRow
{
    const char* Name;
    std::string Data;
    const char* Message;
};

std::string Damaged(std::string data, std::size_t fromEnd)
{
    data[data.size() - fromEnd] ^= 0x01;
    return data;
}

std::string Cut(const std::string& data, std::size_t size)
{
    return data.substr(0, size);
}

class PreviewFileFailureTest : public ::testing::TestWithParam<TFailureRow>
{
};

TEST_P(PreviewFileFailureTest, ReportsTheMessage)
{
    EXPECT_EQ(FailureOf(GetParam().Data), GetParam().Message);
}

const std::string Valid = PreviewFileData(RandomMap(40, 30));

// A short stream whose header claims a big grid and whose cells stop after 1000 bytes.
std::string Claiming(std::int32_t width, std::int32_t height)
{
    return Compress(Content(width, height) + std::string(1000, '\0'), 9);
}

INSTANTIATE_TEST_SUITE_P(Rows, PreviewFileFailureTest,
    ::testing::Values(TFailureRow {"empty_file", "", "Stream read error"},
        TFailureRow {"bitmap_file", std::string("BM\x36\x84\x03\0\0\0\0\0\x36\0\0\0", 14), "Error"},
        TFailureRow {"plain_deflate_without_zlib_header", Valid.substr(2), "Error"},
        TFailureRow {"damaged_zlib_header", Damaged(Valid, Valid.size()), "Error"},
        TFailureRow {"damaged_checksum", Damaged(Valid, 1), "Error"},
        TFailureRow {"damaged_checksum_after_trailing_content",
            Damaged(Compress(Content(1, 1, {7}) + "extra", 6), 1), "Error"},
        TFailureRow {"file_cut_in_header", Cut(Valid, 3), "Stream read error"},
        TFailureRow {"stream_ends_in_header", Compress(Int32Bytes(4), 6), "Stream read error"},
        TFailureRow {"file_cut_in_cells", Cut(Valid, Valid.size() / 2), "Stream read error"},
        TFailureRow {"stream_ends_in_cells", Compress(Content(3, 3, {1, 2, 3, 4, 5}), 6),
            "Stream read error"},
        TFailureRow {"file_cut_in_checksum", Cut(Valid, Valid.size() - 2), "Stream read error"},
        TFailureRow {"negative_width", Compress(Content(-1, 2), 6), "Range check error"},
        TFailureRow {"negative_height", Compress(Content(2, -1), 6), "Range check error"},
        TFailureRow {
            "no_columns_negative_height", Compress(Content(0, -5), 6), "Range check error"},
        TFailureRow {
            "most_negative", Compress(Content(INT32_MIN, INT32_MIN), 6), "Range check error"},
        TFailureRow {"product_wraps_to_zero_in_32_bits", Claiming(65536, 65536), "Out of memory"},
        TFailureRow {"product_wraps_to_one_in_32_bits", Claiming(641, 6700417), "Out of memory"},
        TFailureRow {"largest_sizes", Claiming(INT32_MAX, INT32_MAX), "Out of memory"},
        TFailureRow {"just_over_the_cell_limit", Claiming(8193, 8192), "Out of memory"},
        TFailureRow {"huge_claim_in_a_small_file", Claiming(60000, 60000), "Out of memory"},
        TFailureRow {"big_claim_in_a_small_file", Claiming(4000, 4000), "Stream read error"},
        TFailureRow {
            "at_the_cell_limit_in_a_small_file", Claiming(8192, 8192), "Stream read error"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(PreviewFileClaimTest, SmallFilesStaySmall)
{
    // The claims above must come from files far too small to hold them.
    EXPECT_LE(Claiming(4000, 4000).size(), 100u);
    EXPECT_LE(Claiming(60000, 60000).size(), 100u);
}

TEST_F(PreviewFileTest, ReportsFilesThatCannotBeOpened)
{
    const fs::path missing = FFolder / "missing.cpf";
    try {
        ReadPreviewFile(missing);
        FAIL() << "missing file read";
    } catch (const std::exception& error) {
        EXPECT_EQ(error.what(),
            "Cannot open file \"" + missing.string() + "\". No such file or directory");
    }
    try {
        ReadPreviewFile(FFolder);
        FAIL() << "folder read";
    } catch (const std::exception& error) {
        EXPECT_EQ(error.what(), "Cannot open file \"" + FFolder.string() + "\". Is a directory");
    }
}

TEST_F(PreviewFileTest, ReportsFilesThatCannotBeCreated)
{
    const fs::path inMissingFolder = FFolder / "no such folder" / "Preview.cpf";
    const fs::path folder = FFolder / "folder.cpf";
    fs::create_directory(folder);
    for (const fs::path& file : {inMissingFolder, folder}) {
        try {
            SavePreviewFile(file, RandomMap(2, 2));
            ADD_FAILURE() << file << " written";
        } catch (const std::exception& error) {
            const std::string prefix = "Cannot create file \"" + file.string() + "\". ";
            EXPECT_EQ(std::string(error.what()).substr(0, prefix.size()), prefix) << error.what();
        }
    }
}

TEST_F(PreviewFileTest, ReportsAFailedWriteAndKeepsTheOldFile)
{
    const fs::path file = FFolder / "Preview.cpf";
    const TPreviewMap old = RandomMap(2, 2);
    SavePreviewFile(file, old);

    // A file size limit makes the write itself fail, as a full disk would.
    rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string message = "no failure";
    try {
        SavePreviewFile(file, RandomMap(100, 100));
    } catch (const std::exception& error) {
        message = error.what();
    }
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(message, "Stream write error");
    EXPECT_EQ(ReadPreviewFile(file), old);
}

} // namespace
