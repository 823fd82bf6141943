#pragma once

#include "common/AnsiString.h"

#include <filesystem>
#include <string>
#include <vector>

// The text of a reference scheme: one colour-file line per description, item i in reference
// colour i ("096,048,048 // Water" for item 0 described as Water), each ending in CR LF.
TAnsiString ReferenceSchemeText(const std::vector<TAnsiString>& descriptions);

// Writes the reference scheme to exactly this path, replacing the file atomically. Fails like
// the colour-file writer, with the text of the input/output error ("File access denied", ...).
void WriteReferenceFile(
    const std::filesystem::path& file, const std::vector<TAnsiString>& descriptions);
