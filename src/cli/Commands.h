#pragma once

#include "preview/Legibility.h"
#include "preview/PreviewMap.h"
#include "scheme/SchemeFile.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// The commands of the command line that need no picture: each runs the code behind its menu
// command, reads its files through the bounded readers and writes through the atomic save.
// Failures throw TError naming the file concerned, in English (the command line has no language).

// What the commands do not take from their options: the shipped data and the user's settings.
struct TCommandPlaces
{
    // The program's data folder: schemes/default.clr and previews/Preview.cpf below it.
    std::filesystem::path DataFolder;
    std::filesystem::path SettingsFile;

    // The scheme the editor opens on a first start, and the preview it shows.
    std::filesystem::path DefaultScheme() const;
    std::filesystem::path DefaultPreview() const;
};

enum class TCheckFormat { Text, Json };

// --check: the legibility judgement of a scheme on a preview.
struct TCheckRequest
{
    std::filesystem::path Scheme;
    std::filesystem::path Preview;
    TJudgedVision Vision = TJudgedVision::EveryKind;
    double Threshold = DefaultLegibilityThreshold;
    // Judge the pairs marked as intended for the preview like any other.
    bool IgnoreIntended = false;
    TCheckFormat Format = TCheckFormat::Text;
};

struct TCheckResult
{
    std::string Output;
    // The pairs counted as hard to tell apart (not those intended).
    std::size_t Hard = 0;
};

// The judgement the legibility window makes, with the marks kept for the preview in the
// settings file (unless ignored; a mark naming items the preview lacks is dropped).
TLegibility JudgeScheme(const TCheckRequest& request, const std::vector<TSchemeItem>& items,
    const TPreviewMap& map, const std::filesystem::path& settingsFile);

// Reads the scheme and the preview and judges; the output is the report's lines (text) or one
// JSON object (CheckJson).
TCheckResult RunCheck(const TCheckRequest& request, const std::filesystem::path& settingsFile);

// {"scheme": ..., "preview": ..., "threshold": ..., "vision": [...], "hard": N, "pairs": [...]}:
// item numbers from 1, the differences under each kind judged and the contrast unrounded, the
// pairs in the window's order; ends with a line feed.
std::string CheckJson(const TCheckRequest& request, const TLegibility& legibility,
    const std::vector<TSchemeItem>& items);

// --reference-scheme: the scheme's descriptions in the reference colours.
void RunReferenceScheme(const std::filesystem::path& scheme, const std::filesystem::path& output);

// --export-palette: the scheme's colours as a GIMP palette.
void RunExportPalette(const std::filesystem::path& scheme, const std::filesystem::path& output);

// --import-colors, once the picture is read: the items with the colours the screenshot gives for
// the rows the import window checks at first (not thin items, not doubtful readings). Pixels are
// 3 bytes each in red, green, blue order. Fails with the window's texts when the picture's size
// fits neither the preview nor a whole multiple of it, or the preview shows too many items.
// changed receives how many items took another colour.
std::vector<TSchemeItem> ImportScreenshotColors(std::vector<TSchemeItem> items,
    const TPreviewMap& map, const std::uint8_t* pixels, int width, int height,
    std::ptrdiff_t bytesPerLine, bool lossy, std::size_t& changed);
