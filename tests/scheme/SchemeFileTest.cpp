#include "scheme/SchemeFile.h"

#include "common/TextRules.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

TSchemeItem Item(int red, int green, int blue, std::string description)
{
    return {{static_cast<std::uint8_t>(blue), static_cast<std::uint8_t>(green),
                static_cast<std::uint8_t>(red)},
        std::move(description)};
}

std::string RowName(const char* name)
{
    std::string result;
    for (const char* c = name; *c; ++c)
        result += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
    return result;
}

// A fresh folder per test, removed afterwards.
class SchemeFolderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "scheme-test-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        FFolder = pattern;
    }
    void TearDown() override { fs::remove_all(FFolder); }

    static std::string FileBytes(const fs::path& file)
    {
        std::ifstream stream(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
    }
    static void WriteBytes(const fs::path& file, const std::string& bytes)
    {
        std::ofstream(file, std::ios::binary) << bytes;
    }

    fs::path FFolder;
};

struct TLineRow
{
    const char* Name;
    std::string Line;
    int Red, Green, Blue;
    std::string Description;
    std::string Written;
};

class SchemeLineTest : public ::testing::TestWithParam<TLineRow>
{
};

TEST_P(SchemeLineTest, ReadsAndWritesBack)
{
    const TLineRow& row = GetParam();
    const std::vector<TSchemeItem> items = ParseSchemeText(row.Line);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0], Item(row.Red, row.Green, row.Blue, row.Description));
    EXPECT_EQ(SchemeText(items), row.Written + "\r\n");
}

INSTANTIATE_TEST_SUITE_P(WorkedExamples, SchemeLineTest,
    ::testing::Values(TLineRow {"canonical", "255,128,0 // Road border", 255, 128, 0, "Road border",
                          "255,128,000 // Road border"},
        TLineRow {
            "semicolon description", "10,20,30;Water", 10, 20, 30, "Water", "010,020,030 // Water"},
        TLineRow {"wrap and minus one", "300,-1,7 // x", 44, 255, 7, "x", "044,255,007 // x"},
        TLineRow {"two numbers", "7,8", 7, 8, 8, "7,8", "007,008,008 // 7,8"},
        TLineRow {"blank after comma", "1, 2, 3", 1, 2, 0, "1, 2, 3", "001,002,000 // 1, 2, 3"},
        TLineRow {
            "blank after comma with marker", "1, 2, 3 // x", 1, 2, 3, "x", "001,002,003 // x"},
        TLineRow {"blank separated", "12 34 56", 12, 12, 12, "12 34 56", "012,012,012 // 12 34 56"},
        TLineRow {"blank separated with marker", "12 34 56 // Grass", 0, 0, 0, "Grass",
            "000,000,000 // Grass"},
        TLineRow {
            "semicolons before marker", "1;2;3 // semi", 0, 0, 0, "semi", "000,000,000 // semi"},
        TLineRow {
            "hex prefixes", "$FF,0x10,9", 255, 16, 9, "$FF,0x10,9", "255,016,009 // $FF,0x10,9"},
        TLineRow {"second marker in description", "5 , 6 , 7 // a // b", 5, 6, 7, "a // b",
            "005,006,007 // a // b"},
        TLineRow {"empty description", "255,128,000 //", 255, 128, 0, "", "255,128,000 // "}),
    [](const auto& info) { return RowName(info.param.Name); });

INSTANTIATE_TEST_SUITE_P(DescriptionNeverChangesColor, SchemeLineTest,
    ::testing::Values(TLineRow {"comma after marker", "1,2,3 // Road, minor", 1, 2, 3,
                          "Road, minor", "001,002,003 // Road, minor"},
        TLineRow {"comma after semicolon", "10,20,30;Wa,ter", 10, 20, 30, "Wa,ter",
            "010,020,030 // Wa,ter"},
        TLineRow {"single number and comma after marker", "12 // a,b", 12, 12, 12, "a,b",
            "012,012,012 // a,b"}),
    [](const auto& info) { return RowName(info.param.Name); });

struct TFieldRow
{
    const char* Name;
    std::string Line;
    std::int32_t Red, Green, Blue;
};

class SchemeFieldTest : public ::testing::TestWithParam<TFieldRow>
{
};

TEST_P(SchemeFieldTest, ReadsIntegers)
{
    const TFieldRow& row = GetParam();
    EXPECT_EQ(ParseRed(row.Line), row.Red);
    EXPECT_EQ(ParseGreen(row.Line), row.Green);
    EXPECT_EQ(ParseBlue(row.Line), row.Blue);
}

INSTANTIATE_TEST_SUITE_P(IntegerRules, SchemeFieldTest,
    ::testing::Values(TFieldRow {"dollar x and 0X prefixes", "$1f,x20,0X2A", 31, 32, 42},
        TFieldRow {"negative hex", "-$1,-0x2,0", -1, -2, 0},
        TFieldRow {"eight hex digits", "$FFFFFFFF,$7FFFFFFF,0", -1, 2147483647, 0},
        TFieldRow {"nine hex digits", "$100000000,0x0000000FF,1", 0, 0, 1},
        TFieldRow {"above a byte", "256,300,511", 256, 300, 511},
        TFieldRow {
            "decimal range ends", "2147483647,-2147483648,0", 2147483647, -2147483647 - 1, 0},
        TFieldRow {"decimal out of range", "2147483648,-2147483649,99999999999", 0, 0, 0},
        TFieldRow {"leading zeros are not octal", "010,0009,+7", 10, 9, 7},
        TFieldRow {"not a number", "red,1.5,12a", 0, 0, 0},
        TFieldRow {"empty fields", ",,", 0, 0, 0},
        TFieldRow {"blank inside a number", "1 2,3,4", 0, 3, 4},
        TFieldRow {"blank after comma, two numbers", "1, 2", 1, 0, 0},
        TFieldRow {"single number", "42", 42, 42, 42}),
    [](const auto& info) { return RowName(info.param.Name); });

TEST(SchemeColorTest, KeepsLowByteOfWideValues)
{
    const std::vector<TSchemeItem> items = ParseSchemeText("256,-1,$1FF // a\n-256,-255,$FFFFFFFE");
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].Color, (TRGBTriple {255, 255, 0}));
    EXPECT_EQ(items[1].Color, (TRGBTriple {254, 1, 0}));
}

struct TTextRow
{
    const char* Name;
    std::string Text;
    std::vector<TSchemeItem> Items;
};

class SchemeTextTest : public ::testing::TestWithParam<TTextRow>
{
};

TEST_P(SchemeTextTest, ReadsItems)
{
    EXPECT_EQ(ParseSchemeText(GetParam().Text), GetParam().Items);
}

INSTANTIATE_TEST_SUITE_P(Reader, SchemeTextTest,
    ::testing::Values(TTextRow {"empty text", "", {}},
        TTextRow {
            "CR LF", "1,2,3 // a\r\n4,5,6 // b\r\n", {Item(1, 2, 3, "a"), Item(4, 5, 6, "b")}},
        TTextRow {"lone CR", "1,2,3 // a\r4,5,6 // b", {Item(1, 2, 3, "a"), Item(4, 5, 6, "b")}},
        TTextRow {"lone LF", "1,2,3 // a\n4,5,6 // b\n", {Item(1, 2, 3, "a"), Item(4, 5, 6, "b")}},
        TTextRow {"mixed line ends", "1,1,1 // a\r\n2,2,2 // b\r3,3,3 // c\n\r4,4,4 // d",
            {Item(1, 1, 1, "a"), Item(2, 2, 2, "b"), Item(3, 3, 3, "c"), Item(4, 4, 4, "d")}},
        TTextRow {"zero byte ends the text", "1,2,3 // a\r\n4,5,6 // b\0c\r\n7,8,9 // d"s,
            {Item(1, 2, 3, "a"), Item(4, 5, 6, "b")}},
        TTextRow {"byte order mark is text",
            "\xEF\xBB\xBF"
            "255,1,2 // first\r\n3,4,5 // second",
            {Item(0, 1, 2, "first"), Item(3, 4, 5, "second")}},
        TTextRow {"comments", "; header\r\n   ; indented\r\n\t;tabbed\r\n1,2,3 // a",
            {Item(1, 2, 3, "a")}},
        TTextRow {"blank and control lines", "\r\n   \r\n\t\x01\x1F\r\n1,2,3 // a\r\n\r\n",
            {Item(1, 2, 3, "a")}},
        TTextRow {"only comments and blanks", ";a\r\n\r\n  ;b\r\n", {}},
        TTextRow {
            "line trimmed before reading", "  \t 9,8,7 // padded \t ", {Item(9, 8, 7, "padded")}},
        TTextRow {"high bytes kept",
            "1,2,3 // Stra\xDF"
            "e \x81\x8D",
            {Item(1, 2, 3,
                "Stra\xDF"
                "e \x81\x8D")}}),
    [](const auto& info) { return RowName(info.param.Name); });

TEST(SchemeWriterTest, EmptyDocumentIsEmptyText)
{
    EXPECT_EQ(SchemeText({}), "");
}

// Any description survives a write and a read, except for what trimming removes at its ends.
TEST_F(SchemeFolderTest, WriteThenReadKeepsItems)
{
    static const std::vector<std::string> pieces {"a", "Z", "7", " ", "\t", ",", ";", "//", "/",
        "$", "0x", "-", "\xE9", "\x81", "\xFF", "\x01"};
    std::mt19937 random(20240611);
    std::vector<TSchemeItem> items;
    for (int i = 0; i < 2000; ++i) {
        std::string description;
        const int length = static_cast<int>(random() % 12);
        for (int j = 0; j < length; ++j)
            description += pieces[random() % pieces.size()];
        items.push_back(Item(static_cast<int>(random() % 256), static_cast<int>(random() % 256),
            static_cast<int>(random() % 256), description));
    }
    const fs::path file = FFolder / "random.clr";
    WriteSchemeFile(file, items);
    const std::vector<TSchemeItem> read = ReadSchemeFile(file);

    ASSERT_EQ(read.size(), items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(read[i].Color, items[i].Color) << "item " << i;
        EXPECT_EQ(read[i].Description, TrimControls(items[i].Description)) << "item " << i;
    }
    EXPECT_EQ(FileBytes(file), SchemeText(items));
}

TEST_F(SchemeFolderTest, LineBreaksInDescriptionsDoNotSplitItems)
{
    const std::vector<TSchemeItem> items {Item(1, 2, 3, "a\r\nb"), Item(4, 5, 6, "c\0d"s),
        Item(7, 8, 9, "e\rf\ng"), Item(10, 11, 12, "last")};
    const fs::path file = FFolder / "breaks.clr";
    WriteSchemeFile(file, items);
    EXPECT_EQ(ReadSchemeFile(file),
        (std::vector<TSchemeItem> {Item(1, 2, 3, "a  b"), Item(4, 5, 6, "c d"),
            Item(7, 8, 9, "e f g"), Item(10, 11, 12, "last")}));
}

TEST_F(SchemeFolderTest, WritesCanonicalLinesOnly)
{
    const fs::path file = FFolder / "comments.clr";
    WriteBytes(file, "; made by hand\n\n  1, 2, 3 // x\n$FF,0x10,9\r");
    WriteSchemeFile(file, ReadSchemeFile(file));
    EXPECT_EQ(FileBytes(file), "001,002,003 // x\r\n255,016,009 // $FF,0x10,9\r\n");
}

TEST_F(SchemeFolderTest, EmptyDocumentGivesZeroByteFile)
{
    const fs::path file = FFolder / "empty.clr";
    WriteBytes(file, "1,2,3 // old\r\n");
    WriteSchemeFile(file, {});
    ASSERT_TRUE(fs::is_regular_file(file));
    EXPECT_EQ(fs::file_size(file), 0u);
    EXPECT_TRUE(ReadSchemeFile(file).empty());
}

TEST_F(SchemeFolderTest, WriteOverFolderFailsAndLeavesIt)
{
    const fs::path folder = FFolder / "scheme.clr";
    fs::create_directory(folder);
    WriteBytes(folder / "inside.txt", "keep");
    try {
        WriteSchemeFile(folder, {Item(1, 2, 3, "a")});
        FAIL() << "writing over a folder succeeded";
    } catch (const std::exception& error) {
        EXPECT_STREQ(error.what(), "File access denied");
    }
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_EQ(FileBytes(folder / "inside.txt"), "keep");
    EXPECT_EQ(std::distance(fs::directory_iterator(FFolder), fs::directory_iterator()), 1);
}

TEST_F(SchemeFolderTest, WriteIntoMissingFolderFails)
{
    try {
        WriteSchemeFile(FFolder / "missing" / "a.clr", {Item(1, 2, 3, "a")});
        FAIL() << "writing into a missing folder succeeded";
    } catch (const std::exception& error) {
        EXPECT_STREQ(error.what(), "Invalid filename");
    }
}

TEST_F(SchemeFolderTest, ReadingAFolderFails)
{
    try {
        ReadSchemeFile(FFolder);
        FAIL() << "reading a folder succeeded";
    } catch (const std::exception& error) {
        EXPECT_EQ(
            std::string(error.what()).rfind("Cannot open file \"" + FFolder.string() + "\". ", 0),
            0u)
            << error.what();
    }
}

TEST_F(SchemeFolderTest, ReadsAMillionLines)
{
    // Short lines, so that a million fit in the largest file read: "r,g,b" names itself.
    std::string text;
    std::vector<TSchemeItem> items;
    items.reserve(1000000);
    for (int i = 0; i < 1000000; ++i) {
        const std::string line = std::to_string(i % 256) + "," + std::to_string(i / 256 % 256) + ","
            + std::to_string(i / 65536);
        text += line + "\n";
        items.push_back(Item(i % 256, i / 256 % 256, i / 65536, line));
    }
    ASSERT_LE(text.size(), MaxSchemeFileSize);
    const fs::path file = FFolder / "large.clr";
    WriteBytes(file, text);
    EXPECT_EQ(ReadSchemeFile(file), items);
}

TEST_F(SchemeFolderTest, ReadsOneVeryLongLine)
{
    // Separators all the way along, so every search runs the full length.
    std::string description;
    while (description.size() < MaxSchemeFileSize - 32)
        description += "a;b,c d/e ";
    description += "end";
    const fs::path file = FFolder / "long.clr";
    WriteBytes(file, "1,2,3 //" + description);
    const std::vector<TSchemeItem> items = ReadSchemeFile(file);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].Color, (TRGBTriple {3, 2, 1}));
    EXPECT_EQ(items[0].Description, description);
}

} // namespace
