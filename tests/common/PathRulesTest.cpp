#include "common/PathRules.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(PathRulesTest, SplitsPaths)
{
    struct TRow
    {
        const char* Path;
        bool HasFolder;
        const char* Folder;
        const char* Name;
        const char* Ext;
    };
    const std::vector<TRow> rows = {
        {"/opt/tw/schemes/default.clr", true, "/opt/tw/schemes/", "default.clr", ".clr"},
        {"default.clr", false, "", "default.clr", ".clr"}, {"sub/night", true, "sub/", "night", ""},
        {"/opt/tw.d/night", true, "/opt/tw.d/", "night", ""}, // a dot in a folder is no extension
        {"/a/archive.tar.gz", true, "/a/", "archive.tar.gz", ".gz"},
        {"/a/.hidden", true, "/a/", ".hidden", ".hidden"}, {"/a/name.", true, "/a/", "name.", "."},
        {"/a/", true, "/a/", "", ""}, {"/", true, "/", "", ""}, {"", false, "", "", ""},
        {"C:\\tw\\x.clr", false, "", "C:\\tw\\x.clr", ".clr"}, // "\" and ":" are name characters
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Path);
        EXPECT_EQ(HasFolderPart(row.Path), row.HasFolder);
        EXPECT_EQ(ExtractFilePath(row.Path), row.Folder);
        EXPECT_EQ(ExtractFileName(row.Path), row.Name);
        EXPECT_EQ(ExtractFileExt(row.Path), row.Ext);
    }
}

TEST(PathRulesTest, ChangesCaseOfFileNameOnly)
{
    struct TRow
    {
        const char* Path;
        const char* Lower;
        const char* Upper;
    };
    const std::vector<TRow> rows = {
        {"/Home/My Schemes/Night.Clr", "/Home/My Schemes/night.clr", "/Home/My Schemes/NIGHT.CLR"},
        {"Night.clr", "night.clr", "NIGHT.CLR"},
        {"/Home/\xC9t\xE9.clr", "/Home/\xC9t\xE9.clr", "/Home/\xC9T\xE9.CLR"},
        {"/Home/Dir/", "/Home/Dir/", "/Home/Dir/"},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Path);
        EXPECT_EQ(ChangeFileNameCase(row.Path, true), row.Lower);
        EXPECT_EQ(ChangeFileNameCase(row.Path, false), row.Upper);
    }
}

} // namespace
