#include "preview/LegibilityReport.h"

#include "preview/ColorContrast.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

constexpr TRGBTriple Rgb(std::uint32_t rrggbb)
{
    return {std::uint8_t(rrggbb), std::uint8_t(rrggbb >> 8), std::uint8_t(rrggbb >> 16)};
}

const std::vector<TRGBTriple> Colors
    = {Rgb(0xC8503C), Rgb(0x7D7D3C), Rgb(0x787878), Rgb(0xFABE8C), Rgb(0xF5BA8A), Rgb(0x3C64C8)};
const std::vector<TTouchingPair> Pairs = {{0, 1, 4}, {0, 2, 3}, {1, 3, 2}, {3, 4, 8}, {4, 5, 1}};
// Descriptions with what a cell cannot hold: a tab, a line break, Windows-1252 letters.
const std::vector<TAnsiString> Descriptions
    = {"Motorway", "Main road\tcasing", "Caf\xE9", "Road\r\nminor", "", "Water \x80"};

double Shown(const TAnsiString& figure)
{
    return std::stod(figure.substr(0, figure.find(':')));
}

// The report parses back to the window's numbers, row for row in the window's order, under
// every choice of vision and in a locale with a decimal comma.
TEST(LegibilityReportTest, LinesParseBackToTheWindowsNumbers)
{
    TLegibilityReportWords comma;
    comma.DecimalPoint = ',';
    comma.Yes = "ja";
    comma.No = "nein";
    for (int choice = 0; choice <= int(TJudgedVision::EveryKind); ++choice) {
        SCOPED_TRACE(choice);
        TIntendedPairs intended;
        intended.Set(3, 4, true);
        const TLegibility legibility(Pairs, Colors, TJudgedVision(choice), 5.0, intended);
        const TLegibilityReport report
            = MakeLegibilityReport(legibility.Rows(), legibility.Kinds(), Descriptions);
        for (const TLegibilityReportWords& words : {TLegibilityReportWords(), comma}) {
            const std::string text = LegibilityReportText(report, words);
            const auto parsed = ParseLegibilityReport(text, words);
            ASSERT_TRUE(parsed) << text;
            EXPECT_EQ(*parsed, report);
            ASSERT_EQ(parsed->Rows.size(), legibility.Rows().size());
            EXPECT_EQ(parsed->Kinds,
                std::vector<TVisionDeficiency>(
                    legibility.Kinds().begin(), legibility.Kinds().end()));
            for (std::size_t at = 0; at < parsed->Rows.size(); ++at) {
                const TLegibilityRow& row = legibility.Rows()[at];
                const TLegibilityReportRow& line = parsed->Rows[at];
                EXPECT_EQ(line.First, row.First);
                EXPECT_EQ(line.Second, row.Second);
                EXPECT_EQ(line.BorderLength, row.BorderLength);
                for (const TVisionDeficiency kind : legibility.Kinds())
                    EXPECT_EQ(line.DeltaEs[std::size_t(kind)],
                        Shown(DeltaEText(row.DeltaEs[std::size_t(kind)])));
                EXPECT_EQ(line.ContrastRatio, Shown(ContrastRatioText(row.ContrastRatio, 2)));
                EXPECT_EQ(line.HardToTellApart, row.HardToTellApart);
                EXPECT_EQ(line.Intended, row.Intended);
            }
        }
    }
}

TEST(LegibilityReportTest, ReadsAsASpreadsheetWouldTakeIt)
{
    TIntendedPairs intended;
    intended.Set(3, 4, true);
    const TLegibility legibility(Pairs, Colors, TJudgedVision::Protanopia, 5.0, intended);
    const std::string text = LegibilityReportText(
        MakeLegibilityReport(legibility.Rows(), legibility.Kinds(), Descriptions));
    const std::string heading
        = "Item\tDescription\tTouches\tDescription\tBorder (cells)\t"
          "\u0394E2000 protanopia\tContrast ratio\tHard to tell apart\tIntended\n";
    ASSERT_EQ(text.substr(0, heading.size()), heading);
    // One line per pair, nine cells each; the cell's own tab and line break are blanks, the
    // Windows-1252 letters UTF-8.
    EXPECT_NE(text.find("\n1\tMotorway\t2\tMain road casing\t4\t"), std::string::npos) << text;
    EXPECT_NE(text.find("\tCaf\xC3\xA9\t"), std::string::npos);
    EXPECT_NE(text.find("\tRoad  minor\t"), std::string::npos);
    EXPECT_NE(text.find("\tWater \xE2\x82\xAC\t"), std::string::npos);
    // The intended pair last, with its answers.
    EXPECT_TRUE(text.ends_with("\tyes\tyes\n")) << text;
}

TEST(LegibilityReportTest, RefusesWhatIsNoReport)
{
    const std::string heading
        = "Item\tDescription\tTouches\tDescription\tBorder (cells)\t"
          "\u0394E2000 normal vision\tContrast ratio\tHard to tell apart\tIntended\n";
    const std::string row = "1\tA\t2\tB\t4\t3.2\t1.09\tyes\tno\n";
    ASSERT_TRUE(ParseLegibilityReport(heading + row));
    EXPECT_TRUE(ParseLegibilityReport(heading));
    struct TRow
    {
        const char* Name;
        std::string Text;
    };
    const TRow rows[] = {
        {"empty", ""},
        {"no heading", row},
        {"a kind twice",
            "Item\tDescription\tTouches\tDescription\tBorder (cells)\t"
            "\u0394E2000 normal vision\t"
            "\u0394E2000 normal vision\tContrast ratio\tHard to tell apart\tIntended\n"},
        {"no kind",
            "Item\tDescription\tTouches\tDescription\tBorder (cells)\tContrast ratio\t"
            "Hard to tell apart\tIntended\n"},
        {"a cell short", heading + "1\tA\t2\tB\t4\t3.2\t1.09\tyes\n"},
        {"item 0", heading + "0\tA\t2\tB\t4\t3.2\t1.09\tyes\tno\n"},
        {"two decimals of a difference", heading + "1\tA\t2\tB\t4\t3.25\t1.09\tyes\tno\n"},
        {"a ratio with its colon", heading + "1\tA\t2\tB\t4\t3.2\t1.09:1\tyes\tno\n"},
        {"a negative border", heading + "1\tA\t2\tB\t-4\t3.2\t1.09\tyes\tno\n"},
        {"an answer of another language", heading + "1\tA\t2\tB\t4\t3.2\t1.09\tja\tno\n"},
        {"a figure of four digits", heading + "1\tA\t2\tB\t4\t1234.5\t1.09\tyes\tno\n"},
    };
    for (const TRow& bad : rows)
        EXPECT_FALSE(ParseLegibilityReport(bad.Text)) << bad.Name;
}

} // namespace
