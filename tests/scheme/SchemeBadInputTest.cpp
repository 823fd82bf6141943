#include "scheme/SchemeFile.h"

#include "BadInput.h"
#include "MemoryMeter.h"
#include "NotRegularFiles.h"
#include "TemporaryFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <functional>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

std::string EveryByteValue()
{
    std::string text;
    for (int round = 0; round < 64; ++round)
        for (int value = 1; value < 256; ++value)
            text += static_cast<char>((value * (round + 1)) % 255 + 1);
    return text;
}

// The sanitizer build is an unoptimised debug build, where this scale would take minutes: it reads
// a tenth, which still walks every path of the reader.
constexpr std::size_t Scale = AddressSanitizer ? 10 : 1;
// A line as long as the largest file read allows.
constexpr std::size_t HugeLine = (MaxSchemeFileSize - 100) / Scale;
// Junk gives whatever items it gives; only that it loads matters.
constexpr std::size_t AnyCount = SIZE_MAX;
constexpr std::size_t Million = 1'000'000 / Scale;

struct TBadScheme
{
    const char* Name;
    std::function<std::string()> Make;
    std::size_t ItemCount; // or AnyCount
    // The first item's colour as 0xRRGGBB and the size of its description, when there is one.
    std::uint32_t FirstColor = 0;
    std::size_t FirstDescriptionSize = 0;
};

void PrintTo(const TBadScheme& row, std::ostream* out)
{
    *out << row.Name;
}

std::uint32_t Rgb(const TRGBTriple& color)
{
    return std::uint32_t {color.rgbtRed} << 16 | std::uint32_t {color.rgbtGreen} << 8
        | color.rgbtBlue;
}

class SchemeBadInputTest : public ::testing::TestWithParam<TBadScheme>
{
};

// The reader is lenient: whatever the bytes, it gives items, in memory proportional to the file,
// and what it gives survives being written and read again.
TEST_P(SchemeBadInputTest, LoadsWithoutErrorAndReadsBackTheSame)
{
    const TBadScheme& row = GetParam();
    TTemporaryFolder folder;
    const fs::path file = folder / "bad.clr";
    std::size_t fileSize = 0;
    {
        const std::string bytes = row.Make();
        fileSize = bytes.size();
        WriteBytes(file, bytes);
    }

    std::vector<TSchemeItem> items;
    const std::int64_t growth = PeakGrowth([&] { ASSERT_NO_THROW(items = ReadSchemeFile(file)); });
    if (row.ItemCount != AnyCount) {
        ASSERT_EQ(items.size(), row.ItemCount);
    }
    if (row.ItemCount != AnyCount && !items.empty()) {
        EXPECT_EQ(Rgb(items.front().Color), row.FirstColor);
        EXPECT_EQ(items.front().Description.size(), row.FirstDescriptionSize);
    }
    // The file, its text and the items each take about the file's size; the items themselves
    // about 40 bytes each.
    const auto budget = static_cast<std::int64_t>(4 * fileSize + 64 * items.size()) + 64 * MiB;
    if (!AddressSanitizer && growth >= 0) {
        EXPECT_LT(growth, budget) << "peak resident memory grew by " << growth / MiB
                                  << " MiB for a " << fileSize / MiB << " MiB file";
    }

    // Written and read again (in memory: the writer's file handling is tested elsewhere).
    EXPECT_TRUE(ParseSchemeText(SchemeText(items)) == items) << "the items read back differently";
    RecordProperty("peak_memory_growth_mib", static_cast<int>(growth / MiB));
}

const std::vector<TBadScheme> BadSchemes = {
    {"empty", [] { return std::string(); }, 0},
    {"only_zero_bytes", [] { return std::string(1000, '\0'); }, 0},
    {"zero_byte_ends_the_file",
        [] {
            return "1,2,3 // a\r\n\0"
                   "4,5,6 // b\r\n"s;
        },
        1, 0x010203, 1},
    {"zero_byte_inside_a_line", [] { return "1,2,3 // ab\0cd\r\n7,8,9 // e"s; }, 1, 0x010203, 2},
    {"zero_byte_first",
        [] {
            return "\0"
                   "1,2,3 // a"s;
        },
        0},
    {"every_byte_value", EveryByteValue, AnyCount},
    // No zero byte, which would end the file for the reader.
    {"a_megabyte_of_random_bytes", [] { return RandomBytes(MiB, 3, 0, 'z'); }, AnyCount},
    {"lone_carriage_returns_and_line_feeds", [] { return "1,2,3 // a\r\r\n\n\r4,5,6 // b\n\r"s; },
        2, 0x010203, 1},
    {"numbers_far_out_of_range",
        [] { return "99999999999999999999,-99999999999999999999,$FFFFFFFFFF // x"s; }, 1, 0, 1},
    // Lines as long as a file may be.
    {"huge_description", [] { return "010,020,030 // " + std::string(HugeLine, 'x'); }, 1, 0x0A141E,
        HugeLine},
    {"huge_line_of_letters", [] { return std::string(HugeLine, 'a'); }, 1, 0, HugeLine},
    {"huge_line_of_digits", [] { return std::string(HugeLine, '7'); }, 1, 0, HugeLine},
    {"huge_line_of_commas", [] { return "1" + std::string(HugeLine, ','); }, 1, 0x010000,
        HugeLine + 1},
    {"huge_line_of_blanks", [] { return std::string(HugeLine, ' '); }, 0},
    // A million lines.
    {"many_items", [] { return Repeated("1,2,3 // x\r\n", Million); }, Million, 0x010203, 1},
    {"many_one_letter_lines", [] { return Repeated("a\n", Million); }, Million, 0, 1},
    {"many_blank_lines", [] { return Repeated("\r\n", Million); }, 0},
    {"many_lone_carriage_returns", [] { return std::string(Million, '\r'); }, 0},
    {"many_comment_lines", [] { return Repeated(";1,2,3 // x\r\n", Million); }, 0},
};

INSTANTIATE_TEST_SUITE_P(Rows, SchemeBadInputTest, ::testing::ValuesIn(BadSchemes), TRowName());

TEST(SchemeBadPathTest, WhatIsNotAFileIsRefusedAtOnce)
{
    TTemporaryFolder folder;
    const std::vector<TSpecialFile> files = MakeSpecialFiles(folder, ".clr");
    ExpectEachRefused(files, [](const fs::path& path) { ReadSchemeFile(path); });
    EXPECT_TRUE(fs::is_fifo(folder / "fifo.clr"));
}

} // namespace
