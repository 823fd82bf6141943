#include "preview/LegibilityReport.h"

#include "common/Windows1252.h"
#include "preview/ColorContrast.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

constexpr double NotJudged = std::numeric_limits<double>::quiet_NaN();

bool SameFigure(double one, double other)
{
    return one == other || (std::isnan(one) && std::isnan(other));
}

// The figure as the window shows it, with the locale's decimal point.
std::string FigureText(double value, int decimals, char decimalPoint)
{
    std::string text = decimals == 1 ? DeltaEText(value) : ContrastRatioText(value, 2);
    if (const std::size_t ratio = text.find(':'); ratio != std::string::npos)
        text.erase(ratio);
    std::replace(text.begin(), text.end(), '.', decimalPoint);
    return text;
}

// No difference between two colours of a screen reaches 1000 (black and white differ by about
// 100), nor does a contrast ratio (21 at most); below that the rounding reads back exactly.
constexpr std::size_t MaxFigureDigits = 3;

std::optional<double> ParseFigure(std::string_view text, int decimals, char decimalPoint)
{
    const std::size_t point = text.find(decimalPoint);
    if (point == std::string_view::npos || point == 0 || point > MaxFigureDigits
        || text.size() - point - 1 != std::size_t(decimals))
        return std::nullopt;
    std::string plain(text);
    plain[point] = '.';
    if (!std::all_of(
            plain.begin(), plain.end(), [](char c) { return (c >= '0' && c <= '9') || c == '.'; }))
        return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (error != std::errc() || end != plain.data() + plain.size())
        return std::nullopt;
    return value;
}

// A figure rounded as the window shows it, as a number.
double Rounded(double value, int decimals)
{
    return *ParseFigure(FigureText(value, decimals, '.'), decimals, '.');
}

std::optional<std::size_t> ParseCount(std::string_view text)
{
    std::uint64_t value = 0;
    if (text.empty() || text.size() > 12 || text.front() == '+')
        return std::nullopt;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return std::size_t(value);
}

// An item as the report numbers it, from 1.
std::optional<std::size_t> ParseItem(std::string_view text)
{
    const auto number = ParseCount(text);
    if (!number || *number == 0 || *number > std::size_t(UINT32_MAX) + 1)
        return std::nullopt;
    return *number - 1;
}

std::optional<bool> ParseAnswer(std::string_view text, const TLegibilityReportWords& words)
{
    if (text == words.Yes)
        return true;
    if (text == words.No)
        return false;
    return std::nullopt;
}

std::vector<std::string_view> Cells(std::string_view line)
{
    std::vector<std::string_view> cells;
    for (;;) {
        const std::size_t tab = line.find('\t');
        cells.push_back(line.substr(0, tab));
        if (tab == std::string_view::npos)
            return cells;
        line.remove_prefix(tab + 1);
    }
}

std::vector<std::string_view> Lines(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        lines.push_back(line);
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return lines;
}

} // namespace

bool TLegibilityReportRow::operator==(const TLegibilityReportRow& other) const
{
    return First == other.First && Second == other.Second
        && FirstDescription == other.FirstDescription
        && SecondDescription == other.SecondDescription && BorderLength == other.BorderLength
        && std::equal(DeltaEs.begin(), DeltaEs.end(), other.DeltaEs.begin(), SameFigure)
        && ContrastRatio == other.ContrastRatio && HardToTellApart == other.HardToTellApart
        && Intended == other.Intended;
}

TLegibilityReport MakeLegibilityReport(std::span<const TLegibilityRow> rows,
    std::span<const TVisionDeficiency> kinds, const std::vector<TAnsiString>& descriptions)
{
    const auto description = [&](std::size_t item) {
        return item < descriptions.size() ? Utf8LineFromAnsi(descriptions[item]) : std::string();
    };
    TLegibilityReport report {{kinds.begin(), kinds.end()}, {}};
    report.Rows.reserve(rows.size());
    for (const TLegibilityRow& row : rows) {
        TLegibilityReportRow line {row.First, row.Second, description(row.First),
            description(row.Second), row.BorderLength, {}, Rounded(row.ContrastRatio, 2),
            row.HardToTellApart, row.Intended};
        line.DeltaEs.fill(NotJudged);
        for (const TVisionDeficiency kind : kinds)
            line.DeltaEs[std::size_t(kind)] = Rounded(row.DeltaEs[std::size_t(kind)], 1);
        report.Rows.push_back(std::move(line));
    }
    return report;
}

std::string LegibilityReportText(
    const TLegibilityReport& report, const TLegibilityReportWords& words)
{
    std::string text = words.Item + '\t' + words.Description + '\t' + words.Touches + '\t'
        + words.TouchesDescription + '\t' + words.Border;
    for (const TVisionDeficiency kind : report.Kinds)
        text += '\t' + words.DeltaE[std::size_t(kind)];
    text += '\t' + words.Contrast + '\t' + words.Hard + '\t' + words.Intended + '\n';
    for (const TLegibilityReportRow& row : report.Rows) {
        text += std::to_string(row.First + 1) + '\t' + row.FirstDescription + '\t'
            + std::to_string(row.Second + 1) + '\t' + row.SecondDescription + '\t'
            + std::to_string(row.BorderLength);
        for (const TVisionDeficiency kind : report.Kinds)
            text += '\t' + FigureText(row.DeltaEs[std::size_t(kind)], 1, words.DecimalPoint);
        text += '\t' + FigureText(row.ContrastRatio, 2, words.DecimalPoint) + '\t'
            + (row.HardToTellApart ? words.Yes : words.No) + '\t'
            + (row.Intended ? words.Yes : words.No) + '\n';
    }
    return text;
}

std::optional<TLegibilityReport> ParseLegibilityReport(
    std::string_view text, const TLegibilityReportWords& words)
{
    const std::vector<std::string_view> lines = Lines(text);
    if (lines.empty())
        return std::nullopt;
    // The heading: five columns, one per kind of vision judged (in their order), three more.
    const std::vector<std::string_view> heading = Cells(lines.front());
    constexpr std::size_t Fixed = 8;
    if (heading.size() <= Fixed || heading.size() > Fixed + VisionKindCount
        || heading[0] != words.Item || heading[1] != words.Description
        || heading[2] != words.Touches || heading[3] != words.TouchesDescription
        || heading[4] != words.Border || heading[heading.size() - 3] != words.Contrast
        || heading[heading.size() - 2] != words.Hard || heading.back() != words.Intended)
        return std::nullopt;
    TLegibilityReport report;
    std::size_t next = 0;
    for (std::size_t cell = 5; cell < heading.size() - 3; ++cell) {
        while (next < VisionKindCount && heading[cell] != words.DeltaE[next])
            ++next;
        if (next == VisionKindCount)
            return std::nullopt;
        report.Kinds.push_back(TVisionDeficiency(next++));
    }
    for (std::size_t at = 1; at < lines.size(); ++at) {
        const std::vector<std::string_view> cells = Cells(lines[at]);
        if (cells.size() != heading.size())
            return std::nullopt;
        const auto first = ParseItem(cells[0]);
        const auto second = ParseItem(cells[2]);
        const auto border = ParseCount(cells[4]);
        const auto contrast = ParseFigure(cells[cells.size() - 3], 2, words.DecimalPoint);
        const auto hard = ParseAnswer(cells[cells.size() - 2], words);
        const auto intended = ParseAnswer(cells.back(), words);
        if (!first || !second || !border || !contrast || !hard || !intended)
            return std::nullopt;
        TLegibilityReportRow row {*first, *second, std::string(cells[1]), std::string(cells[3]),
            *border, {}, *contrast, *hard, *intended};
        row.DeltaEs.fill(NotJudged);
        for (std::size_t k = 0; k < report.Kinds.size(); ++k) {
            const auto deltaE = ParseFigure(cells[5 + k], 1, words.DecimalPoint);
            if (!deltaE)
                return std::nullopt;
            row.DeltaEs[std::size_t(report.Kinds[k])] = *deltaE;
        }
        report.Rows.push_back(std::move(row));
    }
    return report;
}
