#pragma once

#include <cstddef>
#include <filesystem>

// The commands of the command line that read a picture (Qt's image readers, no display).
// Failures throw TError naming the file concerned, with the texts of the menu commands.

// --convert: the screenshot of the reference scheme as a preview file, matched against the
// reference colours of the scheme's items (Tools > "Convert reference bitmap...").
void RunConvert(const std::filesystem::path& screenshot, const std::filesystem::path& scheme,
    const std::filesystem::path& output);

// --import-colors: the scheme with the colours a screenshot of the preview's screen gives for
// the items the import window checks at first; returns how many items changed.
std::size_t RunImportColors(const std::filesystem::path& screenshot,
    const std::filesystem::path& scheme, const std::filesystem::path& preview,
    const std::filesystem::path& output);
