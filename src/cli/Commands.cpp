#include "cli/Commands.h"

#include "common/Error.h"
#include "common/JsonText.h"
#include "common/TextRules.h"
#include "common/Windows1252.h"
#include "preview/IntendedPairs.h"
#include "preview/ItemNeighbours.h"
#include "preview/LegibilityReport.h"
#include "preview/PreviewFile.h"
#include "preview/ReferenceScheme.h"
#include "tools/import/ColorImportTexts.h"
#include "tools/import/ImportRows.h"
#include "tools/import/ScreenshotColors.h"
#include "tools/palette/GimpPalette.h"

#include <string_view>

namespace fs = std::filesystem;

namespace {

std::vector<TRGBTriple> ColorsOf(const std::vector<TSchemeItem>& items)
{
    std::vector<TRGBTriple> colors;
    colors.reserve(items.size());
    for (const TSchemeItem& item : items)
        colors.push_back(item.Color);
    return colors;
}

std::vector<TAnsiString> DescriptionsOf(const std::vector<TSchemeItem>& items)
{
    std::vector<TAnsiString> descriptions;
    descriptions.reserve(items.size());
    for (const TSchemeItem& item : items)
        descriptions.push_back(item.Description);
    return descriptions;
}

void AppendKey(std::string& json, std::string_view key)
{
    AppendJsonString(json, key);
    json += ": ";
}

// The failures of the readers name their file; the messages of the preview's parser ("Stream
// read error") do not, so they are given the file here.
TPreviewMap ReadPreview(const fs::path& file)
{
    return ConcerningFile(file, [&] { return ReadPreviewFile(file); });
}

std::vector<TSchemeItem> ReadScheme(const fs::path& file)
{
    return ConcerningFile(file, [&] { return ReadSchemeFile(file); });
}

} // namespace

fs::path TCommandPlaces::DefaultScheme() const
{
    return DataFolder / "schemes" / "default.clr";
}

fs::path TCommandPlaces::DefaultPreview() const
{
    return DataFolder / "previews" / "Preview.cpf";
}

TLegibility JudgeScheme(const TCheckRequest& request, const std::vector<TSchemeItem>& items,
    const TPreviewMap& map, const fs::path& settingsFile)
{
    const TItemNeighbours neighbours(map);
    TIntendedPairs intended;
    if (!request.IgnoreIntended)
        intended = IntendedOnPreview(ReadIntendedPairs(settingsFile, request.Preview), neighbours);
    return TLegibility(neighbours.TouchingPairs(), ColorsOf(items), request.Vision,
        request.Threshold, std::move(intended));
}

TCheckResult RunCheck(const TCheckRequest& request, const fs::path& settingsFile)
{
    const std::vector<TSchemeItem> items = ReadScheme(request.Scheme);
    const TPreviewMap map = ReadPreview(request.Preview);
    const TLegibility legibility = JudgeScheme(request, items, map, settingsFile);
    TCheckResult result;
    result.Hard = legibility.FlaggedCount();
    if (request.Format == TCheckFormat::Json)
        result.Output = CheckJson(request, legibility, items);
    else
        result.Output = LegibilityReportText(
            MakeLegibilityReport(legibility.Rows(), legibility.Kinds(), DescriptionsOf(items)));
    return result;
}

std::string CheckJson(const TCheckRequest& request, const TLegibility& legibility,
    const std::vector<TSchemeItem>& items)
{
    std::string json = "{";
    AppendKey(json, "scheme");
    AppendJsonString(json, request.Scheme.native());
    json += ", ";
    AppendKey(json, "preview");
    AppendJsonString(json, request.Preview.native());
    json += ", ";
    AppendKey(json, "threshold");
    json += JsonNumber(legibility.Threshold()) + ", ";
    AppendKey(json, "vision");
    json += '[';
    for (const TVisionDeficiency kind : legibility.Kinds()) {
        if (json.back() != '[')
            json += ", ";
        AppendJsonString(json, VisionKindName(kind));
    }
    json += "], ";
    AppendKey(json, "hard");
    json += std::to_string(legibility.FlaggedCount()) + ", ";
    AppendKey(json, "pairs");
    json += '[';
    bool first = true;
    for (const TLegibilityRow& row : legibility.Rows()) {
        json += first ? "\n  {" : ",\n  {";
        first = false;
        AppendKey(json, "items");
        json += '[' + std::to_string(row.First + 1) + ", " + std::to_string(row.Second + 1) + "], ";
        AppendKey(json, "descriptions");
        json += '[';
        AppendJsonString(json, Utf8FromAnsi(items[row.First].Description));
        json += ", ";
        AppendJsonString(json, Utf8FromAnsi(items[row.Second].Description));
        json += "], ";
        AppendKey(json, "border");
        json += std::to_string(row.BorderLength) + ", ";
        AppendKey(json, "deltaE");
        json += '{';
        for (const TVisionDeficiency kind : legibility.Kinds()) {
            if (json.back() != '{')
                json += ", ";
            AppendKey(json, VisionKindName(kind));
            json += JsonNumber(row.DeltaEs[std::size_t(kind)]);
        }
        json += "}, ";
        AppendKey(json, "contrast");
        json += JsonNumber(row.ContrastRatio) + ", ";
        AppendKey(json, "hard");
        json += row.HardToTellApart ? "true, " : "false, ";
        AppendKey(json, "intended");
        json += row.Intended ? "true}" : "false}";
    }
    json += first ? "]}\n" : "\n]}\n";
    return json;
}

void RunReferenceScheme(const fs::path& scheme, const fs::path& output)
{
    WriteReferenceFile(output, DescriptionsOf(ReadScheme(scheme)));
}

void RunExportPalette(const fs::path& scheme, const fs::path& output)
{
    WriteGimpPalette(output, scheme, ReadScheme(scheme));
}

std::vector<TSchemeItem> ImportScreenshotColors(std::vector<TSchemeItem> items,
    const TPreviewMap& map, const std::uint8_t* pixels, int width, int height,
    std::ptrdiff_t bytesPerLine, bool lossy, std::size_t& changed)
{
    const TScreenshotReading reading
        = ReadScreenshot(map, items.size(), pixels, width, height, bytesPerLine, lossy);
    if (reading.Scale == 0)
        throw TError(FillText(ImportTexts::WrongSize.English,
            {std::to_string(width), std::to_string(height), std::to_string(map.Width()),
                std::to_string(map.Height())}));
    if (!reading.Readings)
        throw TError(FillText(ImportTexts::TooManyItems.English, {std::to_string(MaxReadItems)}));
    changed = 0;
    for (const TImportRow& row : ImportRows(*reading.Readings, ColorsOf(items))) {
        if (row.CheckedAtFirst) {
            items[row.Item].Color = row.New;
            ++changed;
        }
    }
    return items;
}
