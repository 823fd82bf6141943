#include "preview/ReferenceScheme.h"

#include "TemporaryFolder.h"
#include "preview/ReferenceColors.h"
#include "scheme/SchemeFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

TEST(ReferenceSchemeTest, ThreeItemsGetTheFirstThreeColors)
{
    EXPECT_EQ(ReferenceSchemeText({"Road", "Water", "Park"}),
        "096,048,048 // Road\r\n144,048,048 // Water\r\n192,048,048 // Park\r\n");
}

TEST(ReferenceSchemeTest, NoItemsGiveEmptyText)
{
    EXPECT_EQ(ReferenceSchemeText({}), "");
}

TEST(ReferenceSchemeTest, EmptyDescriptionKeepsTheBlankAfterTheMarker)
{
    EXPECT_EQ(ReferenceSchemeText({""}), "096,048,048 // \r\n");
}

// Loading the file as a document shows the descriptions in the reference colours.
TEST(ReferenceSchemeTest, FileReadsBackAsReferenceColors)
{
    TTemporaryFolder folder;
    std::vector<std::string> descriptions;
    for (int i = 0; i < 400; ++i)
        descriptions.push_back("Item " + std::to_string(i) + " // with; marks");
    const std::filesystem::path file = folder / "reference.clr";
    WriteReferenceFile(file, descriptions);

    const std::vector<TSchemeItem> items = ReadSchemeFile(file);
    TRGBTripleArray colors(descriptions.size());
    MakeReferenceColors(colors);
    ASSERT_EQ(items.size(), descriptions.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(items[i].Color, colors[i]);
        EXPECT_EQ(items[i].Description, descriptions[i]);
    }
    EXPECT_EQ(ReadBytes(file), ReferenceSchemeText(descriptions));
}

TEST(ReferenceSchemeTest, ReplacesAnExistingFileUnderTheSameName)
{
    TTemporaryFolder folder;
    const std::filesystem::path file = folder / "GREYS.CLR";
    WriteBytes(file, "255,255,255 // old content that is longer than the new\r\n");
    WriteReferenceFile(file, {"Road"});
    EXPECT_EQ(ReadBytes(file), "096,048,048 // Road\r\n");
    EXPECT_EQ(folder.Listing(), "GREYS.CLR\n");
}

TEST(ReferenceSchemeTest, FailureIsReportedAsAFileError)
{
    TTemporaryFolder folder;
    std::filesystem::create_directory(folder / "taken.clr");
    try {
        WriteReferenceFile(folder / "taken.clr", {"Road"});
        FAIL() << "a folder was replaced";
    } catch (const std::exception& error) {
        EXPECT_STREQ(error.what(), "File access denied");
    }
    EXPECT_TRUE(std::filesystem::is_directory(folder / "taken.clr"));
}

} // namespace
