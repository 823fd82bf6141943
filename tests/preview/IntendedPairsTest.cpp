#include "preview/IntendedPairs.h"

#include "TemporaryFolder.h"
#include "common/Error.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using TPairList = std::vector<TIntendedPairs::TPair>;

TPairList List(const TIntendedPairs& pairs)
{
    return {pairs.Pairs().begin(), pairs.Pairs().end()};
}

TEST(IntendedPairsTest, MarksReadAsTheUserNumbersItems)
{
    TIntendedPairs pairs;
    EXPECT_TRUE(pairs.Set(4, 3, true));
    EXPECT_FALSE(pairs.Set(3, 4, true));
    EXPECT_TRUE(pairs.Set(12, 10, true));
    EXPECT_FALSE(pairs.Set(7, 7, true));
    EXPECT_TRUE(pairs.Contains(4, 3));
    EXPECT_TRUE(pairs.Contains(10, 12));
    EXPECT_FALSE(pairs.Contains(3, 10));
    EXPECT_EQ(IntendedPairsText(pairs), "4-5 11-13");
    EXPECT_EQ(ParseIntendedPairs("4-5 11-13"), pairs);
    EXPECT_TRUE(pairs.Set(3, 4, false));
    EXPECT_EQ(IntendedPairsText(pairs), "11-13");
    EXPECT_EQ(IntendedPairsText({}), "");

    // What a hand or another program may have left in the file: only whole pairs are taken.
    struct TRow
    {
        const char* Name;
        const char* Text;
        TPairList Pairs;
    };
    const TRow rows[] = {
        {"reversed and repeated", "5-4 4-5", {{3, 4}}},
        {"extra blanks", "  1-2   3-4 ", {{0, 1}, {2, 3}}},
        {"item 0 does not exist", "0-1 1-2", {{0, 1}}},
        {"an item with itself", "3-3", {}},
        {"not numbers", "a-b 1-x 2- -3 1--2 +1-2", {}},
        {"too large a number", "1-4294967295 1-4294967296", {{0, 4294967294}}},
        {"no dash", "12", {}},
    };
    for (const TRow& row : rows)
        EXPECT_EQ(List(ParseIntendedPairs(row.Text)), row.Pairs) << row.Name;
}

TEST(IntendedPairsTest, MarksOfItemsThePreviewLacksAreDropped)
{
    TPreviewMap map(3, 1);
    map.SetCell(0, 0, ItemReferenceBase + 1);
    map.SetCell(1, 0, ItemReferenceBase + 2);
    map.SetCell(2, 0, 0x00FFFFFF);
    const TItemNeighbours neighbours(map);
    EXPECT_EQ(List(IntendedOnPreview(ParseIntendedPairs("2-3 1-2 3-9"), neighbours)),
        (TPairList {{1, 2}}));
}

// Marks are kept per preview file: another preview has none, the same file under another name
// has the same, and a settings file that holds none stays as it was.
TEST(IntendedPairsTest, SettingsKeepMarksPerPreviewFile)
{
    TTemporaryFolder folder;
    const fs::path settings = folder / "tintwright.ini";
    const std::string before = "[Language]\r\nDefaultLanguage=English\r\n";
    WriteBytes(settings, before);
    const fs::path preview = folder / "Preview.cpf";
    const fs::path other = folder / "Other.cpf";
    WriteBytes(preview, "");
    fs::create_directory(folder / "links");
    fs::create_symlink(preview, folder / "links" / "Same.cpf");

    WriteIntendedPairs(settings, preview, {});
    EXPECT_EQ(ReadBytes(settings), before);

    const TIntendedPairs marks = ParseIntendedPairs("4-5 11-13");
    WriteIntendedPairs(settings, preview, marks);
    const std::string written = ReadBytes(settings);
    EXPECT_EQ(written,
        before + "[IntendedPairs]\r\nPreview1=" + fs::weakly_canonical(preview).native()
            + "\r\nPairs1=4-5 11-13\r\n");
    WriteIntendedPairs(settings, preview, marks);
    EXPECT_EQ(ReadBytes(settings), written);

    EXPECT_EQ(ReadIntendedPairs(settings, preview), marks);
    EXPECT_EQ(ReadIntendedPairs(settings, folder / "links" / ".." / "links" / "Same.cpf"), marks);
    EXPECT_TRUE(ReadIntendedPairs(settings, other).Empty());
    EXPECT_TRUE(ReadIntendedPairs(folder / "missing.ini", preview).Empty());

    WriteIntendedPairs(settings, other, ParseIntendedPairs("1-2"));
    EXPECT_EQ(ReadIntendedPairs(settings, other), ParseIntendedPairs("1-2"));
    EXPECT_EQ(ReadIntendedPairs(settings, preview), marks);

    WriteIntendedPairs(settings, preview, {});
    EXPECT_TRUE(ReadIntendedPairs(settings, preview).Empty());
    EXPECT_EQ(ReadIntendedPairs(settings, other), ParseIntendedPairs("1-2"));

    // A path the file cannot hold keeps no marks, and is no failure.
    const fs::path broken = folder / "line\nbreak.cpf";
    WriteIntendedPairs(settings, broken, marks);
    EXPECT_TRUE(ReadIntendedPairs(settings, broken).Empty());
}

// More marks than one value of the file holds are continued in further entries, and fewer
// again leave nothing of the longer list behind.
TEST(IntendedPairsTest, ManyMarksOutgrowOneValue)
{
    TTemporaryFolder folder;
    const fs::path settings = folder / "tintwright.ini";
    const fs::path preview = folder / "Preview.cpf";
    TIntendedPairs many;
    for (std::size_t item = 1000; item < 1700; ++item)
        many.Set(item, item + 1, true);
    WriteIntendedPairs(settings, preview, many);
    EXPECT_EQ(ReadIntendedPairs(settings, preview), many);
    EXPECT_NE(ReadBytes(settings).find("Pairs1.3="), std::string::npos);

    const TIntendedPairs few = ParseIntendedPairs("1-2");
    WriteIntendedPairs(settings, preview, few);
    EXPECT_EQ(ReadIntendedPairs(settings, preview), few);
    WriteIntendedPairs(settings, preview, many);
    EXPECT_EQ(ReadIntendedPairs(settings, preview), many);
}

TEST(IntendedPairsTest, FailedWriteSaysSo)
{
    TTemporaryFolder folder;
    const fs::path settings = folder / "missing" / "tintwright.ini";
    try {
        WriteIntendedPairs(settings, folder / "Preview.cpf", ParseIntendedPairs("1-2"));
        FAIL() << "no error";
    } catch (const TError& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + settings.native());
    }
}

} // namespace
