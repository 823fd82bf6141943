#include "help/ChmContextMap.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

std::string Dword(std::uint32_t value)
{
    std::string bytes;
    for (int i = 0; i < 4; ++i)
        bytes += static_cast<char>(value >> (8 * i));
    return bytes;
}

std::string Ivb(const std::vector<std::pair<std::uint32_t, std::uint32_t>>& pairs)
{
    std::string pairBytes;
    for (const auto& [context, offset] : pairs)
        pairBytes += Dword(context) + Dword(offset);
    return Dword(static_cast<std::uint32_t>(pairBytes.size())) + pairBytes;
}

// As chmcmd writes them: #STRINGS starts with a NUL, the paths are those of the build machine.
const std::string Strings("\0/tmp/b/en/list.htm\0/tmp/b/en/sub/group.htm\0unended", 51);

TEST(ChmContextMap, ReadsThePairsThatPointAtWholeTexts)
{
    const std::string ivb = Ivb({{1001, 1}, {1002, 20}, {1003, 44}, {1004, 999}, {1005, 0}});
    const std::vector<TChmContext> expected {
        {1001, "/tmp/b/en/list.htm"}, {1002, "/tmp/b/en/sub/group.htm"}};
    EXPECT_EQ(ParseChmContexts(ivb, Strings), expected);
    EXPECT_EQ(FindChmContext(ivb, Strings, 1002), "/tmp/b/en/sub/group.htm");
    EXPECT_EQ(FindChmContext(ivb, Strings, 1003), std::nullopt); // no NUL after it
    EXPECT_EQ(FindChmContext(ivb, Strings, 1004), std::nullopt); // outside #STRINGS
    EXPECT_EQ(FindChmContext(ivb, Strings, 1005), std::nullopt); // the empty text
    EXPECT_EQ(FindChmContext(ivb, Strings, 42), std::nullopt);
}

TEST(ChmContextMap, BelievesNoCountBeyondTheFile)
{
    std::string ivb = Ivb({{1001, 1}, {1006, 1}});
    ivb.replace(0, 4, Dword(0xFFFFFFFF));
    ivb.resize(ivb.size() - 2); // the second pair is cut short
    EXPECT_EQ(ParseChmContexts(ivb, Strings).size(), 1u);
    EXPECT_EQ(FindChmContext(ivb, Strings, 1006), std::nullopt);
    // A count smaller than the pairs there ends the pairs early.
    std::string shortCount = Ivb({{1001, 1}, {1006, 1}});
    shortCount.replace(0, 4, Dword(8));
    EXPECT_EQ(FindChmContext(shortCount, Strings, 1006), std::nullopt);
    EXPECT_TRUE(ParseChmContexts("\x10", Strings).empty());
}

struct TResolveRow
{
    const char* Name;
    const char* Stored;
    std::optional<std::string> Expected;
};

class ChmTopicRows : public testing::TestWithParam<TResolveRow>
{
};

TEST_P(ChmTopicRows, FindsTheEntryTheArchiveHolds)
{
    const std::set<std::string, std::less<>> entries {"/list.htm", "/sub/group.htm", "/en"};
    auto hasEntry = [&](TAnsiView path) { return entries.find(path) != entries.end(); };
    EXPECT_EQ(ResolveChmTopic(GetParam().Stored, hasEntry), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, ChmTopicRows,
    testing::Values(TResolveRow {"AsInTheArchive", "/list.htm", "/list.htm"},
        TResolveRow {"WithoutLeadingSlash", "list.htm", "/list.htm"},
        TResolveRow {"BuildMachinePath", "/tmp/b/en/list.htm", "/list.htm"},
        TResolveRow {"KeepsTheFoldersTheArchiveHas", "/tmp/b/en/sub/group.htm", "/sub/group.htm"},
        TResolveRow {"WindowsPath", "C:\\help\\sub\\group.htm", "/sub/group.htm"},
        TResolveRow {"AnchorStays", "/tmp/b/list.htm#colours", "/list.htm#colours"},
        TResolveRow {"FolderIsNoTopic", "/tmp/b/en/", std::nullopt},
        TResolveRow {"NotInTheArchive", "/tmp/b/en/missing.htm", std::nullopt},
        TResolveRow {"Empty", "", std::nullopt}),
    [](const testing::TestParamInfo<TResolveRow>& info) { return info.param.Name; });

} // namespace
