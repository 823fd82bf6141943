#include "tools/palette/GimpPalette.h"

#include "TemporaryFolder.h"
#include "common/Error.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

TSchemeItem Item(std::uint8_t red, std::uint8_t green, std::uint8_t blue, TAnsiString description)
{
    return {{blue, green, red}, std::move(description)};
}

// What GIMP, Inkscape and Krita read: the magic line, the name, the columns, a comment, then one
// colour a line with its name after the three numbers; every text UTF-8 and on its own line.
TEST(GimpPaletteTest, OneColourALineNamedByItsItem)
{
    const std::vector<TSchemeItem> items = {
        Item(242, 239, 233, "Map background"),
        Item(0, 0, 255, "Caf\xE9 \x80"),
        Item(255, 128, 7, "Road\r\nminor\ttwo"),
        Item(1, 2, 3, ""),
        Item(9, 9, 9, "  \x81 "),
    };
    EXPECT_EQ(GimpPaletteText("night", items),
        "GIMP Palette\n"
        "Name: night\n"
        "Columns: 16\n"
        "#\n"
        "242 239 233\t1 Map background\n"
        "  0   0 255\t2 Caf\xC3\xA9 \xE2\x82\xAC\n"
        "255 128   7\t3 Road  minor two\n"
        "  1   2   3\t4\n"
        "  9   9   9\t5\n");
    EXPECT_EQ(GimpPaletteText("", {}), "GIMP Palette\nName: \nColumns: 16\n#\n");
}

TEST(GimpPaletteTest, NamedAfterTheSchemeFile)
{
    struct TRow
    {
        const char* Name;
        fs::path Scheme;
        std::string Palette;
    };
    const TRow rows[] = {
        {"plain", "/schemes/default.clr", "default"},
        {"no extension", "night", "night"},
        {"two dots", "my.night.clr", "my.night"},
        {"untitled", "", "Tintwright"},
        {"line break in the name", "/a/one\ntwo.clr", "one two"},
        {"not UTF-8", "/a/caf\xE9.clr", "caf\xEF\xBF\xBD"},
    };
    for (const TRow& row : rows)
        EXPECT_EQ(PaletteName(row.Scheme), row.Palette) << row.Name;
}

TEST(GimpPaletteTest, WritesWholeOrNotAtAll)
{
    TTemporaryFolder folder;
    const std::vector<TSchemeItem> items = {Item(1, 2, 3, "Water")};
    WriteGimpPalette(folder / "night.gpl", folder / "night.clr", items);
    EXPECT_EQ(ReadBytes(folder / "night.gpl"), GimpPaletteText("night", items));

    fs::create_directory(folder / "folder.gpl");
    try {
        WriteGimpPalette(folder / "folder.gpl", "night.clr", items);
        FAIL() << "no error";
    } catch (const TError& error) {
        EXPECT_STREQ(error.what(), "File access denied");
        EXPECT_EQ(error.File(), folder / "folder.gpl");
    }
    EXPECT_EQ(folder.Listing(), "folder.gpl\nnight.gpl\n");
}

} // namespace
