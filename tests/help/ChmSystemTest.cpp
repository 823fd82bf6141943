#include "help/ChmSystem.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Record(std::uint16_t code, const std::string& data)
{
    std::string record;
    record += static_cast<char>(code & 0xFF);
    record += static_cast<char>(code >> 8);
    record += static_cast<char>(data.size() & 0xFF);
    record += static_cast<char>(data.size() >> 8);
    return record + data;
}

const std::string Version3("\x03\x00\x00\x00", 4);

struct TSystemRow
{
    const char* Name;
    std::string Bytes;
    TChmSystem Expected;
};

class ChmSystemRows : public testing::TestWithParam<TSystemRow>
{
};

TEST_P(ChmSystemRows, ReadsTheNamedFiles)
{
    EXPECT_EQ(ParseChmSystem(GetParam().Bytes), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, ChmSystemRows,
    testing::Values(
        // As chmcmd writes it: other records around ours, texts ending in NUL.
        TSystemRow {"AsCompiled",
            Version3 + Record(10, std::string(8, '\0')) + Record(9, std::string("HHA\0", 4))
                + Record(2, std::string("index.htm\0", 10))
                + Record(3, std::string("Tintwright Hilfe \xE4\0", 19))
                + Record(0, std::string("help-de.hhc\0", 12))
                + Record(1, std::string("help-de.hhk\0", 12)) + Record(13, std::string(300, '\0')),
            {"help-de.hhc", "help-de.hhk", "index.htm", "Tintwright Hilfe \xE4"}},
        TSystemRow {"TextWithoutNul", Version3 + Record(3, "Title"), {"", "", "", "Title"}},
        TSystemRow {"FirstOfACodeCounts",
            Version3 + Record(3, std::string("\0", 1)) + Record(3, "One") + Record(3, "Two"),
            {"", "", "", "One"}},
        TSystemRow {"CutInARecord",
            Version3 + Record(3, "Title") + Record(0, "contents.hhc").substr(0, 9),
            {"", "", "", "Title"}},
        TSystemRow {"LengthPastTheEnd", Version3 + Record(3, "T") + "\x00\x00\xFF\xFF" + "abc",
            {"", "", "", "T"}},
        TSystemRow {"OnlyAVersion", Version3, {}}, TSystemRow {"Nothing", "", {}},
        TSystemRow {"CutInTheVersion", "\x03", {}}),
    [](const testing::TestParamInfo<TSystemRow>& info) { return info.param.Name; });

} // namespace
