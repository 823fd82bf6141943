// The texts the legibility check hands to other programs and reads back: the report (a
// spreadsheet's paste may come back), the intended marks of the settings file, and the strings of
// the command line's JSON. Any bytes either read as a report that writes back as the same text
// and reads again as the same report, or as none; marks read back as the same marks; a JSON
// string is well-formed UTF-8 with no raw control character.
//
// Input: a byte whose lowest bit chooses the words (English with a decimal point, or another
// language's with a decimal comma), then the text.

#include "FuzzCheck.h"
#include "common/JsonText.h"
#include "common/Utf8.h"
#include "preview/IntendedPairs.h"
#include "preview/LegibilityReport.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    TLegibilityReportWords words;
    if (data[0] & 1) {
        words.Item = "Eintrag";
        words.Yes = "ja";
        words.No = "nein";
        words.DecimalPoint = ',';
    }
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);

    if (const auto report = ParseLegibilityReport(text, words)) {
        const std::string written = LegibilityReportText(*report, words);
        const auto again = ParseLegibilityReport(written, words);
        FUZZ_CHECK(again.has_value());
        FUZZ_CHECK(*again == *report);
        FUZZ_CHECK(LegibilityReportText(*again, words) == written);
        FUZZ_CHECK(!report->Kinds.empty());
    }

    const TIntendedPairs marks = ParseIntendedPairs(text);
    FUZZ_CHECK(ParseIntendedPairs(IntendedPairsText(marks)) == marks);
    for (const auto& [first, second] : marks.Pairs())
        FUZZ_CHECK(first < second);

    std::string json;
    AppendJsonString(json, text);
    FUZZ_CHECK(WellFormedUtf8(json) == json);
    FUZZ_CHECK(std::none_of(
        json.begin(), json.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }));
    FUZZ_CHECK(json.size() >= 2 && json.front() == '"' && json.back() == '"');
    return 0;
}
