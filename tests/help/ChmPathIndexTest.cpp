#include "help/ChmPathIndex.h"

#include "common/TextRules.h"
#include "help/ChmContextMap.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::vector<std::string_view> Paths = {"/", "/Index.htm", "/index.htm", "/sub/",
    "/sub/Group.htm", "/tmp/b/sub/group.htm", "::DataSpace/Storage/x", "/a//b.htm", "/UPPER.HTM"};

TEST(ChmPathIndex, FindsTheExactSpellingFirstThenAnyCase)
{
    const TChmPathIndex index(Paths);
    const struct
    {
        const char* Path;
        std::optional<std::size_t> Expected;
    } rows[] = {
        {"/index.htm", 2},
        {"index.htm", 2},
        {"/INDEX.HTM", 1}, // the first of two that differ in case only
        {"\\sub\\Group.htm", 4},
        {"sub/group.htm", 4},
        {"::DataSpace/Storage/x", 6},
        {"DataSpace/Storage/x", std::nullopt},
        {"/upper.htm", 8},
        {"/missing.htm", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& row : rows)
        EXPECT_EQ(index.Find(row.Path), row.Expected) << row.Path;
}

TEST(ChmPathIndex, ResolvesTopicsAsTheEndingByEndingSearchDoes)
{
    const TChmPathIndex index(Paths);
    const auto hasEntry = [&](TAnsiView path) { return index.Find(path).has_value(); };
    for (const char* stored : {"/index.htm", "INDEX.HTM#top", "/tmp/x/sub/group.htm",
             "/TMP/B/SUB/GROUP.HTM#a#b", "C:\\build\\sub\\group.htm", "/x/tmp/b/sub/group.htm",
             "group.htm", "/a//b.htm", "//b.htm", "/x/a//b.htm", "b.htm", "/sub/", "/", "", "#x",
             "::DataSpace/Storage/x", "/missing/upper.htm", "/nothing.htm"}) {
        EXPECT_EQ(index.ResolveTopic(stored), ResolveChmTopic(stored, hasEntry)) << stored;
    }
    EXPECT_EQ(index.ResolveTopic("/tmp/x/sub/group.htm#p"), "/sub/group.htm#p");
}

TEST(ChmPathIndex, MatchesAHundredThousandLinksFullOfSlashes)
{
    std::vector<std::string> stored;
    for (int i = 0; i < 100000; ++i)
        stored.push_back("/f" + std::to_string(i) + "/p" + std::to_string(i) + ".htm");
    const std::vector<std::string_view> paths(stored.begin(), stored.end());
    const TChmPathIndex index(paths);
    const std::string slashes(200, '/');
    std::size_t found = 0;
    for (int i = 0; i < 100000; ++i) {
        // Every link has 200 endings before the one the archive holds, or none at all.
        const std::string tail = i % 2 == 0 ? stored[std::size_t(i)] : "/p" + std::to_string(i);
        found += index.ResolveTopic(slashes + AsciiUpperCase(tail)) ? 1 : 0;
    }
    EXPECT_EQ(found, 50000u);
}

} // namespace
