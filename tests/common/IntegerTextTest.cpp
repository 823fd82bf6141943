#include "common/IntegerText.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

struct TIntegerRow
{
    const char* Name;
    std::string Text;
    std::optional<std::int32_t> Value;
};

class IntegerTextTest : public ::testing::TestWithParam<TIntegerRow>
{
};

TEST_P(IntegerTextTest, Converts)
{
    EXPECT_EQ(TryTextToInt(GetParam().Text), GetParam().Value);
}

INSTANTIATE_TEST_SUITE_P(Rows, IntegerTextTest,
    ::testing::Values(TIntegerRow {"plain", "255", 255}, TIntegerRow {"leading zeros", "007", 7},
        TIntegerRow {"negative", "-1", -1}, TIntegerRow {"plus sign", "+12", 12},
        TIntegerRow {"leading blanks", "   42", 42},
        TIntegerRow {"trailing blank", "42 ", std::nullopt}, TIntegerRow {"dollar hex", "$FF", 255},
        TIntegerRow {"0x hex", "0x10", 16}, TIntegerRow {"upper 0X hex", "0X1f", 31},
        TIntegerRow {"x hex", "x10", 16}, TIntegerRow {"upper X hex", "X1F", 31},
        TIntegerRow {"negative hex", "-$10", -16},
        TIntegerRow {"eight hex digits wrap", "$FFFFFFFF", -1},
        TIntegerRow {"nine hex digits", "$100000000", std::nullopt},
        TIntegerRow {"hex prefix alone", "$", std::nullopt},
        TIntegerRow {"empty", "", std::nullopt}, TIntegerRow {"sign alone", "-", std::nullopt},
        TIntegerRow {"largest", "2147483647", 2147483647},
        TIntegerRow {"smallest", "-2147483648", INT32_MIN},
        TIntegerRow {"above range", "2147483648", std::nullopt},
        TIntegerRow {"below range", "-2147483649", std::nullopt},
        TIntegerRow {"letters", "12a", std::nullopt},
        TIntegerRow {"decimal point", "1.5", std::nullopt},
        TIntegerRow {"many leading zeros", "000000000000000000012", 12}),
    [](const auto& info) {
        std::string name = info.param.Name;
        for (char& c : name)
            if (!std::isalnum(static_cast<unsigned char>(c)))
                c = '_';
        return name;
    });

} // namespace
