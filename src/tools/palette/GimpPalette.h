#pragma once

#include "scheme/SchemeFile.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// A scheme's colours as a GIMP palette (.gpl), which GIMP, Inkscape, Krita, Scribus and MyPaint
// read: the line "GIMP Palette", the palette's name and columns, a comment naming the scheme,
// then one colour a line, "R G B", a tab and the colour's name: the item's number from 1 and its
// description. Lines end in a line feed and every text is UTF-8.

// The palette's name for a scheme file: its name without the extension ("default" for
// default.clr); "Tintwright" for an untitled scheme.
std::string PaletteName(const std::filesystem::path& schemeFile);

// The palette's text. The name is UTF-8 (bytes that are not become U+FFFD); descriptions are
// Windows-1252. A line break, tab or other control character in either becomes a blank, so each
// colour stays on its line.
std::string GimpPaletteText(std::string_view name, const std::vector<TSchemeItem>& items);

// Writes the palette of the scheme file's items to exactly this path, replacing it atomically.
// Fails as the colour-file writer does ("File access denied", "Disk full", ...).
void WriteGimpPalette(const std::filesystem::path& file, const std::filesystem::path& schemeFile,
    const std::vector<TSchemeItem>& items);
