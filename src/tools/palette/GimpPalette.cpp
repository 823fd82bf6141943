#include "tools/palette/GimpPalette.h"

#include "common/Error.h"
#include "common/FileAccess.h"
#include "common/TextRules.h"
#include "common/Utf8.h"
#include "common/Windows1252.h"

#include <cerrno>

namespace {

// The columns a palette is shown in; readers that keep no columns of their own take these.
constexpr int Columns = 16;

// A text of one line: control characters become blanks, blanks at either end go (readers strip
// them anyway).
std::string OneLine(std::string_view utf8)
{
    std::string line = WellFormedUtf8(utf8);
    for (char& c : line)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    const std::size_t first = line.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return line.substr(first, line.find_last_not_of(' ') - first + 1);
}

} // namespace

std::string PaletteName(const std::filesystem::path& schemeFile)
{
    const std::string name = OneLine(schemeFile.stem().native());
    return name.empty() ? std::string("Tintwright") : name;
}

std::string GimpPaletteText(std::string_view name, const std::vector<TSchemeItem>& items)
{
    std::string text = "GIMP Palette\nName: " + OneLine(name)
        + "\nColumns: " + std::to_string(Columns) + "\n#\n";
    std::size_t number = 0;
    for (const TSchemeItem& item : items) {
        ++number;
        // GIMP's own alignment: three columns of three, then the name after a tab.
        text += FormatText("%3d %3d %3d\t%zu", item.Color.rgbtRed, item.Color.rgbtGreen,
            item.Color.rgbtBlue, number);
        if (const std::string description = Utf8LineFromAnsi(item.Description);
            !description.empty())
            text += ' ' + description;
        text += '\n';
    }
    return text;
}

void WriteGimpPalette(const std::filesystem::path& file, const std::filesystem::path& schemeFile,
    const std::vector<TSchemeItem>& items)
{
    try {
        WriteFileAtomically(file, GimpPaletteText(PaletteName(schemeFile), items));
    } catch (const TFileWriteError& error) {
        // As the colour-file writer answers: something that is not a file cannot be replaced.
        const int errorCode
            = error.Stage == TFileWriteError::TStage::NotRegular ? EACCES : error.ErrorCode;
        throw TError(InOutErrorText(errorCode), file);
    }
}
