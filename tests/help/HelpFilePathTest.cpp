#include "help/HelpFilePath.h"

#include <gtest/gtest.h>

namespace {

TEST(HelpFilePath, StaysInTheHelpFolderAndIsUtf8)
{
    const struct
    {
        const char* Name;
        const char* Value;
        const char* Expected;
    } rows[] = {
        {"plain name", "help-de.chm", "/p/Help/help-de.chm"},
        {"parent folder", "../x.chm", "/p/Help/x.chm"},
        {"deeper parents", "../../../etc/x.chm", "/p/Help/x.chm"},
        {"absolute path", "/etc/x.chm", "/p/Help/x.chm"},
        {"subfolder", "a/b.chm", "/p/Help/b.chm"},
        {"windows folders", "..\\..\\x.chm", "/p/Help/x.chm"},
        {"windows-1252 umlaut", "hilfe-\xFC.chm", "/p/Help/hilfe-\xC3\xBC.chm"},
        {"euro sign", "\x80.chm", "/p/Help/\xE2\x82\xAC.chm"},
        {"empty value", "", "/p/Help/"},
        {"only a parent", "..", "/p/Help/"},
        {"parent with slash", "../", "/p/Help/"},
        {"dot", ".", "/p/Help/"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(HelpFilePath("/p/", row.Value).native(), row.Expected) << row.Name;
}

} // namespace
