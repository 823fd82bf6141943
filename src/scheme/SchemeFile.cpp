#include "scheme/SchemeFile.h"

#include "common/Error.h"
#include "common/FileAccess.h"
#include "common/IntegerText.h"
#include "common/TextRules.h"

#include <array>
#include <cerrno>

namespace {

// The part of a line the numbers are read from: up to and including the description marker.
// Keeping the marker lets the last number end at it ("1, 2, 3 // x" has blue 3), while a ","
// inside the description can no longer take the blue value away ("1,2,3 // a,b").
std::string_view ColorPart(std::string_view line)
{
    std::size_t marker = line.find("//");
    if (marker != std::string_view::npos)
        return line.substr(0, marker + 2);
    marker = line.find(';');
    if (marker != std::string_view::npos)
        return line.substr(0, marker + 1);
    return line;
}

// The first separator kind that occurs anywhere wins, in this order, not the earliest one:
// "12 34 56 // Grass" ends its first number at "//" and so reads as 0.
std::int32_t ReadFirstNumber(std::string_view text)
{
    static constexpr std::array<std::string_view, 4> separators {",", "//", ";", " "};
    for (const std::string_view separator : separators) {
        const std::size_t at = text.find(separator);
        if (at != std::string_view::npos) {
            text = TrimControls(text.substr(0, at));
            break;
        }
    }
    return TryTextToInt(text).value_or(0);
}

std::string_view AfterFirstComma(std::string_view text)
{
    const std::size_t comma = text.find(',');
    if (comma != std::string_view::npos)
        text.remove_prefix(comma + 1);
    return text;
}

void AppendThreeDigits(std::string& text, std::uint8_t value)
{
    text += static_cast<char>('0' + value / 100);
    text += static_cast<char>('0' + value / 10 % 10);
    text += static_cast<char>('0' + value % 10);
}

} // namespace

std::int32_t ParseRed(std::string_view line)
{
    return ReadFirstNumber(ColorPart(line));
}

std::int32_t ParseGreen(std::string_view line)
{
    return ReadFirstNumber(AfterFirstComma(ColorPart(line)));
}

std::int32_t ParseBlue(std::string_view line)
{
    return ReadFirstNumber(AfterFirstComma(AfterFirstComma(ColorPart(line))));
}

TAnsiString ParseDescription(TAnsiView line)
{
    if (const std::size_t at = line.find("//"); at != std::string_view::npos)
        line.remove_prefix(at + 2);
    else if (const std::size_t semicolon = line.find(';'); semicolon != std::string_view::npos)
        line.remove_prefix(semicolon + 1);
    return std::string(TrimControls(line));
}

std::vector<TSchemeItem> ParseSchemeText(TAnsiView text)
{
    text = text.substr(0, text.find('\0'));
    std::vector<TSchemeItem> items;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = TrimControls(text.substr(start, end - start));
        if (!line.empty() && line.front() != ';') {
            // Numbers above 255 or below 0 keep their low byte: 300 is 44, -1 is 255.
            const TRGBTriple color {static_cast<std::uint8_t>(ParseBlue(line)),
                static_cast<std::uint8_t>(ParseGreen(line)),
                static_cast<std::uint8_t>(ParseRed(line))};
            items.push_back({color, ParseDescription(line)});
        }
        start = end + 1;
        if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n')
            ++start;
    }
    return items;
}

TAnsiString SchemeText(const std::vector<TSchemeItem>& items)
{
    std::size_t size = 0;
    for (const TSchemeItem& item : items)
        size += 17 + item.Description.size();
    std::string text;
    text.reserve(size);
    for (const TSchemeItem& item : items) {
        AppendThreeDigits(text, item.Color.rgbtRed);
        text += ',';
        AppendThreeDigits(text, item.Color.rgbtGreen);
        text += ',';
        AppendThreeDigits(text, item.Color.rgbtBlue);
        text += " // ";
        // A zero byte would end the file for the reader and a line break would split the item.
        for (const char c : item.Description)
            text += (c == '\0' || c == '\r' || c == '\n') ? ' ' : c;
        text += "\r\n";
    }
    return text;
}

std::vector<TSchemeItem> ReadSchemeFile(const std::filesystem::path& file)
{
    return ConcerningFile(
        file, [&] { return ParseSchemeText(ReadWholeFile(file, MaxSchemeFileSize)); });
}

void WriteSchemeFile(const std::filesystem::path& file, const std::vector<TSchemeItem>& items)
{
    try {
        WriteFileAtomically(file, SchemeText(items));
    } catch (const TFileWriteError& error) {
        // Something that is not a file under the name cannot be replaced by one: the same answer
        // the system gives for creating a file over a folder.
        const int errorCode
            = error.Stage == TFileWriteError::TStage::NotRegular ? EACCES : error.ErrorCode;
        throw TError(InOutErrorText(errorCode), file);
    }
}
