// Holds every include of src/ to the directions the README's include table allows: a folder
// includes only the folders listed on its row, a tool's folder never another tool's. The table is
// read from the README itself, so the rule a newcomer reads is the rule the build keeps.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const fs::path SourceDir = TINTWRIGHT_SOURCE_DIR;
// A tool's folder in the table: any folder below src/tools/.
const std::string AnyTool = "tools/<tool>";

std::string ReadText(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The rows between the README's include-fence markers: folder -> folders it may include.
std::map<std::string, std::set<std::string>> ReadFence()
{
    const std::string readme = ReadText(SourceDir / "README.md");
    const auto begin = readme.find("<!-- include-fence -->");
    const auto end = readme.find("<!-- /include-fence -->");
    std::map<std::string, std::set<std::string>> fence;
    if (begin == std::string::npos || end == std::string::npos || end < begin)
        return fence;
    std::istringstream table(readme.substr(begin, end - begin));
    const std::regex row(R"(^\|\s*`([^`]+)`\s*\|(.*)\|\s*$)");
    const std::regex name("`([^`]+)`");
    for (std::string line; std::getline(table, line);) {
        std::smatch cells;
        if (!std::regex_match(line, cells, row))
            continue;
        std::set<std::string>& allowed = fence[cells[1]];
        const std::string list = cells[2];
        for (auto it = std::sregex_iterator(list.begin(), list.end(), name);
             it != std::sregex_iterator(); ++it)
            allowed.insert((*it)[1]);
    }
    return fence;
}

// The row a folder of src/ answers to: its own, or the tools' row for a tool's folder.
std::string RowOf(const std::string& folder)
{
    return folder.starts_with("tools/") ? AnyTool : folder;
}

struct TInclude
{
    std::string File; // relative to src/
    std::string Target; // as written between the quotes
};

std::vector<TInclude> ProjectIncludes()
{
    std::vector<TInclude> includes;
    const std::regex include(R"re(^\s*#\s*include\s*"([^"]+)")re");
    for (const auto& entry : fs::recursive_directory_iterator(SourceDir / "src")) {
        const std::string extension = entry.path().extension().string();
        if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp"))
            continue;
        std::ifstream in(entry.path());
        for (std::string line; std::getline(in, line);) {
            std::smatch found;
            if (std::regex_search(line, found, include))
                includes.push_back(
                    {fs::relative(entry.path(), SourceDir / "src").generic_string(), found[1]});
        }
    }
    std::sort(includes.begin(), includes.end(),
        [](const TInclude& a, const TInclude& b) { return a.File < b.File; });
    return includes;
}

TEST(IncludeFence, EveryFolderHasARow)
{
    const auto fence = ReadFence();
    ASSERT_FALSE(fence.empty()) << "the README has no include table between its markers";
    for (const auto& entry : fs::recursive_directory_iterator(SourceDir / "src")) {
        if (!entry.is_directory())
            continue;
        const std::string folder = fs::relative(entry.path(), SourceDir / "src").generic_string();
        EXPECT_TRUE(fence.contains(RowOf(folder)))
            << "src/" << folder << " has no row in the README's include table";
    }
}

TEST(IncludeFence, IncludesGoOnlyWhereTheTableAllows)
{
    const auto fence = ReadFence();
    ASSERT_FALSE(fence.empty());
    std::vector<std::string> crossings;
    for (const TInclude& include : ProjectIncludes()) {
        const std::string from = fs::path(include.File).parent_path().generic_string();
        const std::string to = fs::path(include.Target).parent_path().generic_string();
        // A bare name: the generated version header or a file beside the includer.
        if (to.empty() || to == from)
            continue;
        const auto row = fence.find(RowOf(from));
        if (row == fence.end())
            continue; // reported by EveryFolderHasARow
        // Another tool's folder answers to the tools' row too, so name it exactly.
        const bool allowed = row->second.contains(to)
            || (to.starts_with("tools/") && !from.starts_with("tools/")
                && row->second.contains(AnyTool));
        if (!allowed)
            crossings.push_back("src/" + include.File + " includes \"" + include.Target + "\"");
    }
    std::string report;
    for (const std::string& crossing : crossings)
        report += "\n  " + crossing;
    EXPECT_TRUE(crossings.empty()) << "includes against the README's include table:" << report;
}

} // namespace
