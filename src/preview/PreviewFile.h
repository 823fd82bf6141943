#pragma once

#include "preview/PreviewMap.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

// Preview files (.cpf): one zlib stream holding the width and height as 32-bit little-endian
// signed integers, then every cell as a 32-bit little-endian value, rows from the top.

// The largest preview file read, compressed. What it inflates to is bounded by the grid its
// header claims, which the reader judges before reserving anything for it.
inline constexpr std::uint64_t MaxPreviewFileSize = std::uint64_t {64} << 20;

// Reads a preview file. Fails with "Cannot open file "%s". %s" (also for what is not a regular
// file or is larger than MaxPreviewFileSize) and the messages of ParsePreviewData.
TPreviewMap ReadPreviewFile(const std::filesystem::path& file);

// Writes the map as a preview file, replacing the file only once it is complete. Fails with
// "Cannot create file "%s". %s" (also when the file would be larger than the reader takes) or
// "Stream write error".
void SavePreviewFile(const std::filesystem::path& file, const TPreviewMap& map);

// Decodes the bytes of a preview file. Fails with "Error" (not a zlib stream, or damaged),
// "Stream read error" (the stream ends early), "Range check error" (a negative size) or
// "Out of memory" (a grid too big to hold).
TPreviewMap ParsePreviewData(std::string_view compressed);

// The bytes of a preview file for the map.
std::string PreviewFileData(const TPreviewMap& map);
