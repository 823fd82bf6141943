#include "help/HelpFilePath.h"

#include "common/Windows1252.h"

std::filesystem::path HelpFilePath(const std::string& programFolder, TAnsiView helpFileValue)
{
    // Language files come from Windows, where "\" separates folders too.
    const std::size_t slash = helpFileValue.find_last_of("/\\");
    TAnsiView name = slash == TAnsiView::npos ? helpFileValue : helpFileValue.substr(slash + 1);
    if (name == "." || name == "..")
        name = {};
    return std::filesystem::path(programFolder + "Help/" + Utf8FromAnsi(name));
}
