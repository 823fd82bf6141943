#include "tools/find/ItemSearch.h"

#include "TemporaryFolder.h"
#include "tools/find/FindQuery.h"
#include "preview/PreviewMap.h"
#include "scheme/SchemeFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Windows-1252, as the navigator writes it.
constexpr const char* SmallFile = "255,136,000 // Gr\xFCn road\r\n" // 1
                                  "255,136,000 // Motorway\r\n" // 2
                                  "250,140,010 // Orange area\r\n" // 3, near FF8800
                                  "000,000,255 // Water 3\r\n" // 4
                                  "128,128,128 // Stra\xDF"
                                  "e grey\r\n" // 5
                                  "012,034,056 // Item 12 34 56\r\n" // 6
                                  "018,052,086 // Park\r\n" // 7, #123456
                                  "255,137,000 // Road border\r\n" // 8, near FF8800
                                  "000,128,000 // Muelldeponie\r\n"; // 9

class ItemSearchTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        WriteBytes(Folder / "small.clr", SmallFile);
        Items = ReadSchemeFile(Folder / "small.clr");
        for (const TSchemeItem& item : Items)
            Colors.push_back(item.Color);
        Saved.Reset(Items);
        Search.SetItems(Colors, [this](std::size_t item) { return Items[item].Description; });
        // Items 1 and 2 (the same colour) touch, and so do 2 and 4, 4 and 5; 3, 6, 7, 8 are
        // not on the preview.
        TPreviewMap map(4, 1);
        const std::uint32_t shown[] = {0, 1, 3, 4};
        for (int x = 0; x < 4; ++x)
            map.SetCell(x, 0, ItemReferenceBase + shown[x]);
        Search.SetNeighbours(TItemNeighbours(map));
    }

    // The numbers of the items found, as the user sees them (from 1).
    std::vector<std::size_t> Found(const std::string& query, const TFindFilters& filters = {})
    {
        std::vector<std::size_t> numbers;
        for (const TFindHit& hit : Search.Find(ParseFindQuery(query, NearWords), filters, Saved))
            numbers.push_back(hit.Item + 1);
        return numbers;
    }

    // The language's own words for "near", as the German and French files have them.
    TAnsiString NearWords = "nahe, pr\xE8s de";
    TTemporaryFolder Folder;
    std::vector<TSchemeItem> Items;
    std::vector<TRGBTriple> Colors;
    TSavedScheme Saved;
    TItemSearch Search;
};

using TNumbers = std::vector<std::size_t>;

TEST_F(ItemSearchTest, FindsEachFormOfQuery)
{
    const struct
    {
        const char* Name;
        const char* Query; // Windows-1252, as the find window hands it over
        TNumbers Found;
    } rows[] = {
        {"a word without its accent", "grun", {1}},
        {"a word typed with its accent, in capitals", "GR\xDCN", {1}},
        {"sharp s spelled out", "strasse", {5}},
        {"umlaut spelled out", "gruen", {1}},
        {"umlaut spelled out, in capitals, with another word", "GRUEN ROAD", {1}},
        {"umlaut typed where the description spells it out", "M\xFCll", {9}},
        {"a spelled-out umlaut is no plain vowel", "gruun", {}},
        {"part of a word", "orang", {3}},
        {"every word must be there", "road grun", {1}},
        {"words of two items find neither", "motorway water", {}},
        {"a number: that item first, then descriptions holding it", "3", {3, 4, 6}},
        {"a number beyond the items", "99", {}},
        {"no item 0", "0", {}},
        {"shorthand code", "#F80", {1, 2}},
        {"code with a hash", "#FF8800", {1, 2}},
        {"code without a hash", "ff8800", {1, 2}},
        {"decimal triple", "255,136,0", {1, 2}},
        {"css rgb()", "rgb(255, 136, 0)", {1, 2}},
        {"blank-separated triple, also a description's words", "12 34 56", {6}},
        {"six digits: a colour, and a number no item has", "123456", {7}},
        {"shorthand needs the hash", "F80", {}},
        {"near: nearest first, within 10", "near #FF8800", {1, 2, 8, 3}},
        {"near with a decimal triple", "NEAR 0 0 255", {4}},
        {"near without a colour is two words", "near f80", {}},
        {"the language's word for near", "Nahe #FF8800", {1, 2, 8, 3}},
        {"a word of two, accents and case ignored", "PRES de #FF8800", {1, 2, 8, 3}},
        {"only a whole word is near", "naher #FF8800", {}},
        {"not a colour", "#GG8800", {}},
        {"a component above 255", "256,0,0", {}},
        {"blanks only", "   ", {}},
        {"nothing", "", {}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(Found(row.Query), row.Found) << row.Name;
}

TEST_F(ItemSearchTest, FiltersNarrowWhatIsFound)
{
    // Item 3 is recoloured and item 7 renamed since the file was saved.
    Colors[2] = {1, 2, 3};
    Search.SetColor(2, Colors[2]);
    Saved.CompareColor(2, Colors[2]);
    Saved.CompareDescription(6, "Parkland");
    Search.SetDescription(6, "Parkland");

    TFindFilters changed;
    changed.Changed = true;
    TFindFilters notShown;
    notShown.NotOnPreview = true;
    TFindFilters hard;
    hard.HardToTellApart = true;
    TFindFilters hardNotShown = hard;
    hardNotShown.NotOnPreview = true;
    const struct
    {
        const char* Name;
        const char* Query;
        TFindFilters Filters;
        TNumbers Found;
    } rows[] = {
        {"changed since saved", "", changed, {3, 7}},
        {"not on this preview", "", notShown, {3, 6, 7, 8, 9}},
        {"hard to tell apart: the two items of one colour that touch", "", hard, {1, 2}},
        {"a query and a filter", "#FF8800", notShown, {}},
        {"two filters", "", hardNotShown, {}},
        {"a renamed item is found by its new name", "parkland", {}, {7}},
        {"near and a filter", "near #FF8800", notShown, {8}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(Found(row.Query, row.Filters), row.Found) << row.Name;

    // The threshold decides what is hard to tell apart; a new colour is judged at once.
    Search.SetThreshold(0.0);
    EXPECT_EQ(Found("", hard), TNumbers {});
    Search.SetThreshold(DefaultLegibilityThreshold);
    Colors[1] = {0, 0, 0};
    Search.SetColor(1, Colors[1]);
    EXPECT_EQ(Found("", hard), TNumbers {});
    EXPECT_EQ(Found("#FF8800"), TNumbers {1});
}

TEST_F(ItemSearchTest, NearGivesTheDifferenceOfEachItem)
{
    const std::vector<TFindHit> hits = Search.Find(ParseFindQuery("near #FF8800"), {}, Saved);
    ASSERT_EQ(hits.size(), 4u);
    EXPECT_EQ(hits[0].DeltaE, 0.0);
    for (std::size_t i = 1; i < hits.size(); ++i) {
        EXPECT_LE(hits[i - 1].DeltaE, hits[i].DeltaE);
        EXPECT_NEAR(hits[i].DeltaE, DeltaE2000(Colors[hits[i].Item], Colors[0]), 1e-9);
        EXPECT_LE(hits[i].DeltaE, NearDeltaE);
    }
}

} // namespace
