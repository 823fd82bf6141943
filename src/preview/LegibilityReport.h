#pragma once

#include "common/AnsiString.h"
#include "preview/Legibility.h"

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The legibility check's report to share: the list as shown, as tab-separated text in UTF-8 with
// a heading line, ready to paste into a spreadsheet or an issue tracker. One line per pair: the
// item numbers from 1 with their descriptions, the border, ΔE2000 under each kind of vision
// judged, the contrast ratio, whether the pair is hard to tell apart and whether it is intended.
// Figures are rounded down as the window shows them (ΔE2000 to one decimal, the ratio to two).

// The words of the report, UTF-8: the window's language, or English (the defaults, which the
// command line writes).
struct TLegibilityReportWords
{
    std::string Item = "Item";
    std::string Description = "Description";
    std::string Touches = "Touches";
    std::string TouchesDescription = "Description";
    std::string Border = "Border (cells)";
    // One heading per kind of vision, in the order of TVisionDeficiency.
    std::array<std::string, VisionKindCount> DeltaE
        = {"\u0394E2000 normal vision", "\u0394E2000 protanopia", "\u0394E2000 deuteranopia",
            "\u0394E2000 tritanopia", "\u0394E2000 achromatopsia"};
    std::string Contrast = "Contrast ratio";
    std::string Hard = "Hard to tell apart";
    std::string Intended = "Intended";
    std::string Yes = "yes";
    std::string No = "no";
    // Of the figures, as the user's locale writes it.
    char DecimalPoint = '.';
};

// One line of the report.
struct TLegibilityReportRow
{
    std::size_t First, Second; // items, from 0
    std::string FirstDescription, SecondDescription; // UTF-8, on one line
    std::size_t BorderLength;
    // Under each kind judged, rounded down to one decimal; NaN for a kind not judged.
    std::array<double, VisionKindCount> DeltaEs;
    double ContrastRatio; // rounded down to two decimals
    bool HardToTellApart;
    bool Intended;

    // Kinds not judged compare equal.
    bool operator==(const TLegibilityReportRow& other) const;
};

struct TLegibilityReport
{
    std::vector<TVisionDeficiency> Kinds;
    std::vector<TLegibilityReportRow> Rows;

    bool operator==(const TLegibilityReport&) const = default;
};

// The report of the rows as they stand, under the kinds judged; descriptions are Windows-1252,
// one per item (a missing one reads as empty).
TLegibilityReport MakeLegibilityReport(std::span<const TLegibilityRow> rows,
    std::span<const TVisionDeficiency> kinds, const std::vector<TAnsiString>& descriptions);

// The text: the heading line, then one line per row, each ending in a line feed.
std::string LegibilityReportText(
    const TLegibilityReport& report, const TLegibilityReportWords& words = {});

// Reads a report's text back (line ends LF or CR LF): nothing when the heading is not one the
// words make or a line does not read as a row.
std::optional<TLegibilityReport> ParseLegibilityReport(
    std::string_view text, const TLegibilityReportWords& words = {});
