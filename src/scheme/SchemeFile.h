#pragma once

#include "common/AnsiString.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// One pixel colour in the byte order of the navigator's files: blue, green, red.
struct TRGBTriple
{
    std::uint8_t rgbtBlue, rgbtGreen, rgbtRed;
    bool operator==(const TRGBTriple&) const = default;
};

// One colour item of a scheme; its identity is its position in the document.
struct TSchemeItem
{
    TRGBTriple Color;
    TAnsiString Description; // Windows-1252
    bool operator==(const TSchemeItem&) const = default;
};

// The colour fields of a trimmed item line, as integers; the caller keeps the low 8 bits.
// Fields that do not convert read as 0. Only the text up to the description marker (the first
// "//", else the first ";") is looked at, so a description never changes a colour.
std::int32_t ParseRed(std::string_view line);
std::int32_t ParseGreen(std::string_view line);
std::int32_t ParseBlue(std::string_view line);

// The description of a trimmed item line: after the first "//", else after the first ";",
// else the whole line; trimmed.
TAnsiString ParseDescription(TAnsiView line);

// Reads the items of a colour file's text leniently: stops at the first zero byte, lines end at
// CR LF, a lone CR or a lone LF, blank lines and lines starting with ";" are skipped. Never
// fails on content.
std::vector<TSchemeItem> ParseSchemeText(TAnsiView text);

// The canonical text of a document: one "%.3d,%.3d,%.3d // %s" line (red, green, blue,
// description) ending in CR LF per item; empty for no items. Zero bytes and line breaks inside a
// description are written as blanks, so the file reads back with the same items.
TAnsiString SchemeText(const std::vector<TSchemeItem>& items);

// The largest colour file read. A real one holds a few hundred items in a few kilobytes; this
// holds hundreds of thousands, far more than the 65,536 an undo entry can name.
inline constexpr std::uint64_t MaxSchemeFileSize = std::uint64_t {16} << 20;

// Reads a colour file; fails with "Cannot open file "%s". %s", also for what is not a regular
// file or is larger than MaxSchemeFileSize.
std::vector<TSchemeItem> ReadSchemeFile(const std::filesystem::path& file);

// Writes the document to exactly this path, replacing the file atomically. Fails with the text of
// the input/output error ("File access denied", "Disk full", "Invalid filename", "I/O error %d");
// a folder, FIFO or device at the path is refused as "File access denied".
void WriteSchemeFile(const std::filesystem::path& file, const std::vector<TSchemeItem>& items);
