#include "help/ChmEntryStream.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using namespace std::string_literals;
using TEntries = std::vector<TChmStreamEntry>;

std::string LittleEndian(std::uint64_t value, int size)
{
    std::string bytes;
    for (int i = 0; i < size; ++i, value >>= 8)
        bytes += static_cast<char>(value & 0xFF);
    return bytes;
}

// An entry as the stream holds it, spelled out by hand so the writer is not checked against
// itself.
std::string Entry(const std::string& path, std::uint64_t contentLength, const std::string& content)
{
    return LittleEndian(path.size(), 4) + path + LittleEndian(contentLength, 8) + content;
}

std::string Stream(std::uint32_t count, const std::string& entries)
{
    return std::string(ChmStreamMagic) + LittleEndian(count, 4) + entries;
}

const std::string LongestPath = "/" + std::string(MaxChmPathLength - 1, 'p');
const std::string Binary = "\0\xFF\r\n\x81"s;

// Three entries at the largest content and a fourth that brings the stream to the size.
const std::string LargestContent(MaxChmEntrySize, 'c');
constexpr std::uint64_t FramingOfFour = ChmStreamMagic.size() + 4 + 4 * (4 + 2 + 8);

TEntries EntriesOfSize(std::uint64_t streamSize)
{
    const std::string_view largest = LargestContent;
    return {{"/1", largest}, {"/2", largest}, {"/3", largest},
        {"/4", largest.substr(0, streamSize - FramingOfFour - 3 * largest.size())}};
}

struct TRoundTripRow
{
    const char* Name;
    TEntries Entries;
    std::string Expected;
};

class ChmEntryStreamRoundTrip : public testing::TestWithParam<TRoundTripRow>
{
};

TEST_P(ChmEntryStreamRoundTrip, WritesTheBytesAndReadsThemBack)
{
    const std::optional<std::string> stream = WriteChmEntryStream(GetParam().Entries);
    ASSERT_TRUE(stream.has_value());
    EXPECT_EQ(*stream, GetParam().Expected);
    EXPECT_EQ(ChmEntryStreamSize(GetParam().Entries), stream->size());
    EXPECT_EQ(ReadChmEntryStream(*stream), GetParam().Entries);
}

INSTANTIATE_TEST_SUITE_P(Rows, ChmEntryStreamRoundTrip,
    testing::Values(TRoundTripRow {"NoEntries", {}, Stream(0, "")},
        TRoundTripRow {"FolderAndPage", {{"/", ""}, {"/index.htm", "<html>"}},
            Stream(2, Entry("/", 0, "") + Entry("/index.htm", 6, "<html>"))},
        // An entry without its content is not an empty one.
        TRoundTripRow {"ListedWithoutContent", {{"/big.bin", std::nullopt}, {"/empty.txt", ""}},
            Stream(2, Entry("/big.bin", ~std::uint64_t {0}, "") + Entry("/empty.txt", 0, ""))},
        TRoundTripRow {"BinaryContent", {{"::DataSpace/NameList", Binary}},
            Stream(1, Entry("::DataSpace/NameList", Binary.size(), Binary))},
        TRoundTripRow {"LongestPath", {{LongestPath, "x"}}, Stream(1, Entry(LongestPath, 1, "x"))}),
    [](const testing::TestParamInfo<TRoundTripRow>& info) { return info.param.Name; });

TEST(ChmEntryStream, WriterRefusesWhatBreaksTheBounds)
{
    const std::string bigContent(MaxChmEntrySize + 1, 'c');
    const std::string longPath = LongestPath + "p";
    const std::string nulPath = "/a\0b"s;
    const struct
    {
        const char* Name;
        TEntries Entries;
    } rows[] = {
        {"EmptyPath", {{"", "x"}}},
        {"PathTooLong", {{longPath, "x"}}},
        {"NulInPath", {{nulPath, "x"}}},
        {"ContentTooLarge", {{"/big", bigContent}}},
        {"TooManyEntries", TEntries(MaxChmStreamEntries + 1, {"/a", ""})},
        {"StreamTooLarge", EntriesOfSize(MaxChmStreamSize + 1)},
    };
    for (const auto& row : rows)
        EXPECT_EQ(WriteChmEntryStream(row.Entries), std::nullopt) << row.Name;

    EXPECT_TRUE(WriteChmEntryStream(TEntries(MaxChmStreamEntries, {"/a", ""})).has_value());
    const std::optional<std::string> largest = WriteChmEntryStream(EntriesOfSize(MaxChmStreamSize));
    ASSERT_TRUE(largest.has_value());
    EXPECT_EQ(largest->size(), MaxChmStreamSize);
    EXPECT_TRUE(ReadChmEntryStream(*largest).has_value());
}

TEST(ChmEntryStream, ReaderRefusesDamagedStreams)
{
    const std::string page = Entry("/index.htm", 6, "<html>");
    const std::string sound = Stream(2, Entry("/", 0, "") + page);
    ASSERT_TRUE(ReadChmEntryStream(sound).has_value());

    std::string manyEntries;
    for (std::size_t i = 0; i <= MaxChmStreamEntries; ++i)
        manyEntries += Entry("/a", 0, "");
    // Sound but for its size: one byte over the limit.
    std::string tooLarge;
    for (const TChmStreamEntry& entry : EntriesOfSize(MaxChmStreamSize + 1))
        tooLarge
            += Entry(std::string(entry.Path), entry.Content->size(), std::string(*entry.Content));
    tooLarge = Stream(4, tooLarge);

    const struct
    {
        const char* Name;
        std::string Stream;
    } rows[] = {
        {"Empty", ""},
        {"OtherMagic", "Tintwright help entries 2\n" + sound.substr(ChmStreamMagic.size())},
        {"TrailingByte", sound + "x"},
        {"CountTooHigh", Stream(3, Entry("/", 0, "") + page)},
        {"CountTooLow", Stream(1, Entry("/", 0, "") + page)},
        {"EmptyPath", Stream(1, Entry("", 0, ""))},
        {"PathTooLong", Stream(1, Entry(LongestPath + "p", 0, ""))},
        {"NulInPath", Stream(1, Entry("/a\0b"s, 0, ""))},
        {"ContentPastTheEnd", Stream(1, Entry("/index.htm", 7, "<html>"))},
        {"ContentLengthNearWrap", Stream(1, Entry("/index.htm", ~std::uint64_t {0} - 1, "<html>"))},
        {"ContentTooLarge", Stream(1, Entry("/big", MaxChmEntrySize + 1, LargestContent + "c"))},
        {"PathLengthPastTheEnd", Stream(1, LittleEndian(0xFFFFFFFF, 4) + "/index.htm")},
        {"TooManyEntries", Stream(MaxChmStreamEntries + 1, manyEntries)},
        {"StreamTooLarge", tooLarge},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ReadChmEntryStream(row.Stream), std::nullopt) << row.Name;

    // Every cut, including one that falls between two entries.
    for (std::size_t length = 0; length < sound.size(); ++length)
        ASSERT_EQ(ReadChmEntryStream(sound.substr(0, length)), std::nullopt) << "cut at " << length;
}

} // namespace
