#include "cli/CommandLineRun.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace {

// An option of ours, or any option Qt does not take for a window, runs a command; no option at
// all, a file name, or Qt's own options start the editor as they always did.
TEST(CommandLineRunTest, OptionsOfOursRunACommand)
{
    struct TRow
    {
        const char* Name;
        std::vector<std::string_view> Arguments;
        bool Command;
    };
    const TRow rows[] = {
        {"nothing", {}, false},
        {"a file name", {"night.clr"}, false},
        {"standard input", {"-"}, false},
        {"file names after --", {"--", "--check"}, false},
        {"Qt's platform", {"-platform", "offscreen"}, false},
        {"Qt's platform with two dashes", {"--platform", "-odd-name"}, false},
        {"Qt's style after =", {"-style=Fusion", "night.clr"}, false},
        {"Qt's flag", {"-reverse"}, false},
        {"a check", {"--check", "night.clr"}, true},
        {"help", {"--help"}, true},
        {"short help", {"-h"}, true},
        {"version", {"-v"}, true},
        {"unknown", {"--frobnicate"}, true},
        {"a value on Qt's flag", {"-reverse=1"}, true},
        {"after Qt's options", {"-platform", "xcb", "--convert", "a.png"}, true},
        {"a file name first", {"night.clr", "--export-palette"}, true},
    };
    for (const TRow& row : rows)
        EXPECT_EQ(IsCommandLineRun(row.Arguments), row.Command) << row.Name;
}

} // namespace
