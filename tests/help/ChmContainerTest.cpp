#include "help/ChmContainer.h"

#include "ChmBuilder.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using ChmBuilderDetail::EncodedInteger;
using ChmBuilderDetail::SetLe;

std::vector<TChmBuilderEntry> SampleEntries()
{
    return {
        {"/", 0, ""},
        {"/#SYSTEM", 0, std::string("\x03\x00\x00\x00", 4)},
        {"/index.htm", 1, std::string(40000, 'x')},
        {"/CSHelp.txt", 1, ".topic 1001\r\nThe list.\r\n"},
    };
}

std::size_t Find(const std::string& bytes, std::string_view text)
{
    const std::size_t pos = bytes.find(text);
    EXPECT_NE(pos, std::string::npos) << text;
    return pos;
}

// The offset of a special entry's stored data.
std::size_t DataOf(const TChmBuilt& built, std::string_view name)
{
    // The entry's start follows its name and section number.
    const std::size_t entry = Find(built.Bytes, name) + name.size() + 1;
    std::size_t start = 0;
    std::size_t pos = entry;
    for (;;) {
        const auto byte = static_cast<unsigned char>(built.Bytes[pos++]);
        start = start << 7 | (byte & 0x7F);
        if (byte < 0x80)
            break;
    }
    return built.ContentOffset + start;
}

struct TDamage
{
    const char* Name;
    std::function<void(TChmBuilt&)> Apply;
    TChmFault Expected;
    bool Indexed = false;
};

class ChmContainerDamage : public testing::TestWithParam<TDamage>
{
};

TEST_P(ChmContainerDamage, IsRefusedForWhatIsWrong)
{
    TChmBuilt built = BuildChm(SampleEntries(), GetParam().Indexed ? 2 : 0);
    ASSERT_EQ(CheckChmContainer(built.Bytes), TChmFault::None);
    GetParam().Apply(built);
    EXPECT_EQ(CheckChmContainer(built.Bytes), GetParam().Expected);
}

const std::size_t Chunk0 = 0x78 + 0x54;

// Replaces the first entry after the chunk header of chunk 0 ("/") with other bytes of the same
// length, so the rest of the chunk still parses.
void ReplaceFirstEntry(TChmBuilt& built, const std::string& entry)
{
    ASSERT_EQ(entry.size(), 5u);
    built.Bytes.replace(Chunk0 + 0x14, entry.size(), entry);
}

INSTANTIATE_TEST_SUITE_P(Rows, ChmContainerDamage,
    testing::Values(TDamage {"Untouched", [](TChmBuilt&) {}, TChmFault::None},
        TDamage {"UntouchedWithIndex", [](TChmBuilt&) {}, TChmFault::None, true},
        TDamage {"NotItsf", [](TChmBuilt& b) { b.Bytes[0] = 'X'; }, TChmFault::Header},
        TDamage {"Version4", [](TChmBuilt& b) { SetLe(b.Bytes, 4, 4, 4); }, TChmFault::Header},
        TDamage {"HeaderLongerThanFile",
            [](TChmBuilt& b) { SetLe(b.Bytes, 8, b.Bytes.size() + 1, 4); }, TChmFault::Header},
        TDamage {"CutInHeader", [](TChmBuilt& b) { b.Bytes.resize(0x5F); }, TChmFault::Header},
        TDamage {"DirectoryPastEnd", [](TChmBuilt& b) { SetLe(b.Bytes, 0x50, b.Bytes.size(), 8); },
            TChmFault::Header},
        TDamage {"DirectoryOffsetWraps",
            [](TChmBuilt& b) { SetLe(b.Bytes, 0x48, 0xFFFFFFFFFFFFFFF0, 8); }, TChmFault::Header},
        TDamage {"ContentOffsetPastEnd",
            [](TChmBuilt& b) { SetLe(b.Bytes, 0x58, b.Bytes.size() + 1, 8); }, TChmFault::Header},
        TDamage {"NotItsp", [](TChmBuilt& b) { b.Bytes[0x78] = 'X'; }, TChmFault::Directory},
        TDamage {"ChunkSizeZero", [](TChmBuilt& b) { SetLe(b.Bytes, 0x78 + 0x10, 0, 4); },
            TChmFault::Directory},
        TDamage {"ChunkSizeNotPowerOfTwo",
            [](TChmBuilt& b) { SetLe(b.Bytes, 0x78 + 0x10, 4000, 4); }, TChmFault::Directory},
        TDamage {"ChunkSizeOneMebibyte",
            [](TChmBuilt& b) { SetLe(b.Bytes, 0x78 + 0x10, 1 << 20, 4); }, TChmFault::Directory},
        TDamage {"FirstListingChunkPastDirectory",
            [](TChmBuilt& b) { SetLe(b.Bytes, 0x78 + 0x20, 1, 4); }, TChmFault::Directory},
        TDamage {"IndexRootPastDirectory", [](TChmBuilt& b) { SetLe(b.Bytes, 0x78 + 0x1C, 7, 4); },
            TChmFault::Directory, true},
        TDamage {"FreeSpaceLargerThanChunk",
            [](TChmBuilt& b) { SetLe(b.Bytes, Chunk0 + 4, 0x1000, 4); }, TChmFault::Chunk},
        TDamage {"FreeSpaceTooSmall",
            // The zero padding after the entries then reads as an entry with an empty name.
            [](TChmBuilt& b) { SetLe(b.Bytes, Chunk0 + 4, 0, 4); }, TChmFault::Chunk},
        TDamage {"EmptyName",
            [](TChmBuilt& b) { ReplaceFirstEntry(b, std::string("\x00\x00\x00\x00\x00", 5)); },
            TChmFault::Chunk},
        TDamage {"NameWithNul",
            [](TChmBuilt& b) { ReplaceFirstEntry(b, std::string("\x01\x00\x00\x00\x00", 5)); },
            TChmFault::Chunk},
        TDamage {"NameOverFreeSpace",
            [](TChmBuilt& b) {
                ReplaceFirstEntry(b, EncodedInteger(4000) + std::string("/\0\0", 3));
            },
            TChmFault::Chunk},
        TDamage {"NameOverPathLimit",
            [](TChmBuilt& b) {
                ReplaceFirstEntry(b, EncodedInteger(513) + std::string("/\0\0", 3));
            },
            TChmFault::Chunk},
        TDamage {"Section2",
            [](TChmBuilt& b) { ReplaceFirstEntry(b, std::string("\x01/\x02\x00\x00", 5)); },
            TChmFault::Chunk},
        TDamage {"NumberWithoutEnd",
            [](TChmBuilt& b) {
                const std::size_t used = 0x1000 - 0x14
                    - static_cast<std::size_t>(static_cast<unsigned char>(b.Bytes[Chunk0 + 4])
                        | static_cast<unsigned char>(b.Bytes[Chunk0 + 5]) << 8);
                b.Bytes.replace(Chunk0 + 0x14, used, std::string(used, '\xFF'));
            },
            TChmFault::Chunk},
        TDamage {
            "StoredEntryPastFileEnd", [](TChmBuilt& b) { b.Bytes.pop_back(); }, TChmFault::Chunk},
        TDamage {"ListingChainLoops",
            [](TChmBuilt& b) { SetLe(b.Bytes, Chunk0 + 0x1000 + 0x10, 0, 4); }, TChmFault::Index,
            true},
        TDamage {"ListingChainLeavesDirectory",
            [](TChmBuilt& b) { SetLe(b.Bytes, Chunk0 + 0x10, 99, 4); }, TChmFault::Index},
        TDamage {"ListingChainReachesIndexChunk",
            [](TChmBuilt& b) { SetLe(b.Bytes, Chunk0 + 0x1000 + 0x10, b.IndexChunk, 4); },
            TChmFault::Chunk, true},
        TDamage {"IndexPointsAtItself",
            [](TChmBuilt& b) {
                const std::size_t index = Chunk0 + b.IndexChunk * 0x1000;
                // The first child number follows the name "/": length, name, number.
                b.Bytes[index + 8 + 2] = static_cast<char>(b.IndexChunk);
            },
            TChmFault::Index, true},
        TDamage {"IndexChildPastDirectory",
            [](TChmBuilt& b) { b.Bytes[Chunk0 + b.IndexChunk * 0x1000 + 8 + 2] = 0x7F; },
            TChmFault::Chunk, true},
        TDamage {"RootIsNoChunk",
            [](TChmBuilt& b) { b.Bytes[Chunk0 + b.IndexChunk * 0x1000] = 'X'; }, TChmFault::Chunk,
            true},
        TDamage {"ResetTableMissing",
            [](TChmBuilt& b) { b.Bytes[Find(b.Bytes, "ResetTable")] = 'X'; },
            TChmFault::Compression},
        TDamage {"ResetTableVersion3",
            [](TChmBuilt& b) { SetLe(b.Bytes, DataOf(b, ChmResetTableName), 3, 4); },
            TChmFault::Compression},
        TDamage {"FrameCountPastTable",
            [](TChmBuilt& b) { SetLe(b.Bytes, DataOf(b, ChmResetTableName) + 4, 1000000, 4); },
            TChmFault::Compression},
        TDamage {"FrameSize64KiB",
            [](TChmBuilt& b) { SetLe(b.Bytes, DataOf(b, ChmResetTableName) + 32, 0x10000, 8); },
            TChmFault::Compression},
        TDamage {"FramesDecreasing",
            [](TChmBuilt& b) {
                SetLe(b.Bytes, DataOf(b, ChmResetTableName) + 0x28 + 8, 0, 8);
                SetLe(b.Bytes, DataOf(b, ChmResetTableName) + 0x28, 10, 8);
            },
            TChmFault::Compression},
        TDamage {"CompressedSizeBeyondContent",
            [](TChmBuilt& b) { SetLe(b.Bytes, DataOf(b, ChmResetTableName) + 24, 3000, 8); },
            TChmFault::Compression},
        TDamage {"EntryPastUncompressedData",
            [](TChmBuilt& b) { SetLe(b.Bytes, DataOf(b, ChmResetTableName) + 16, 40000, 8); },
            TChmFault::Compression},
        TDamage {"NotLzxc", [](TChmBuilt& b) { b.Bytes[DataOf(b, ChmControlDataName) + 4] = 'X'; },
            TChmFault::Compression},
        TDamage {"WindowZero",
            [](TChmBuilt& b) { SetLe(b.Bytes, DataOf(b, ChmControlDataName) + 16, 0, 4); },
            TChmFault::Compression},
        TDamage {"WindowWrapsWhenScaled",
            [](TChmBuilt& b) { SetLe(b.Bytes, DataOf(b, ChmControlDataName) + 16, 0x20000, 4); },
            TChmFault::Compression},
        TDamage {"ResetIntervalNotWholeHalfWindows",
            [](TChmBuilt& b) {
                SetLe(b.Bytes, DataOf(b, ChmControlDataName) + 12, 1, 4);
                SetLe(b.Bytes, DataOf(b, ChmControlDataName) + 16, 8, 4);
            },
            TChmFault::Compression},
        TDamage {"NoWindowsPerReset",
            [](TChmBuilt& b) { SetLe(b.Bytes, DataOf(b, ChmControlDataName) + 20, 0, 4); },
            TChmFault::Compression}),
    [](const testing::TestParamInfo<TDamage>& info) { return info.param.Name; });

TEST(ChmContainer, RefusesTheFileCutAtAnyLength)
{
    for (const bool indexed : {false, true}) {
        const std::string bytes = BuildChm(SampleEntries(), indexed ? 2 : 0).Bytes;
        ASSERT_EQ(CheckChmContainer(bytes), TChmFault::None);
        for (std::size_t length = 0; length < bytes.size(); ++length)
            ASSERT_NE(CheckChmContainer(std::string_view(bytes).substr(0, length)), TChmFault::None)
                << "cut at " << length;
    }
}

TEST(ChmContainer, RefusesFramesLargerThanChmlibsBuffer)
{
    // chmlib reads a compressed frame into 32 KiB + 6 KiB and trusts the table's frame sizes.
    EXPECT_EQ(CheckChmContainer(BuildChm(SampleEntries(), 0, 38912).Bytes), TChmFault::None);
    EXPECT_EQ(CheckChmContainer(BuildChm(SampleEntries(), 0, 38913).Bytes), TChmFault::Compression);
}

TEST(ChmContainer, RefusesASpecialEntryThatIsThereTwice)
{
    // chmlib looks the names up ignoring case and could take either one.
    std::vector<TChmBuilderEntry> entries = SampleEntries();
    entries.push_back({"::DataSpace/Storage/MSCompressed/CONTROLDATA", 0, std::string(28, '\0')});
    EXPECT_EQ(CheckChmContainer(BuildChm(entries).Bytes), TChmFault::Compression);
}

TEST(ChmContainer, AcceptsStoredEntriesWithoutCompression)
{
    const std::string bytes = BuildChm({{"/", 0, ""}, {"/a.htm", 0, "<p>a</p>"}}).Bytes;
    EXPECT_EQ(CheckChmContainer(bytes), TChmFault::None);
}

TEST(ChmContainer, RefusesCompressedEntriesWithoutTheirTables)
{
    std::string bytes = BuildChm(SampleEntries()).Bytes;
    bytes[Find(bytes, "MSCompressed/ControlData")] = 'X';
    EXPECT_EQ(CheckChmContainer(bytes), TChmFault::Compression);
}

} // namespace
