#include "help/PopupTopics.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using TTopics = std::map<std::uint32_t, TAnsiString>;

struct TPopupRow
{
    const char* Name;
    std::string Text;
    TTopics Expected;
};

class PopupTopicRows : public testing::TestWithParam<TPopupRow>
{
};

TEST_P(PopupTopicRows, ReadsEachNumbersText)
{
    EXPECT_EQ(ParsePopupTopics(GetParam().Text), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, PopupTopicRows,
    testing::Values(
        TPopupRow {"TwoTopics", ".topic 1001\r\nThe list.\r\n\r\n.topic 1002\r\nThe group.\r\n",
            {{1001, "The list."}, {1002, "The group."}}},
        TPopupRow {"InnerBlankLinesStay", ".topic 5\n\nFirst.  \nSecond.\n\n\nThird.\n\n",
            {{5, "First.\nSecond.\n\n\nThird."}}},
        TPopupRow {"LoneCarriageReturns", ".topic 5\rA\rB\r", {{5, "A\nB"}}},
        TPopupRow {"KeywordIgnoresCase", "  .TOPIC\t7  \nText", {{7, "Text"}}},
        TPopupRow {"HexadecimalNumber", ".topic 0x3E9\nText", {{1001, "Text"}}},
        TPopupRow {"CommentsLeftOut", "; popups\n.topic 5\n; not shown\nShown", {{5, "Shown"}}},
        TPopupRow {"SymbolicTopicSkipped", ".topic IDH_LIST\nLost\n.topic 6\nKept", {{6, "Kept"}}},
        TPopupRow {"NegativeNumberSkipped", ".topic -5\nLost", {}},
        TPopupRow {"FirstTextCounts", ".topic 5\nOne\n.topic 5\nTwo", {{5, "One"}}},
        TPopupRow {"TopicWithoutText", ".topic 5\n\n.topic 6\nSix", {{5, ""}, {6, "Six"}}},
        TPopupRow {"NotAKeyword", ".topics 5\nText", {}},
        TPopupRow {"TextBeforeAnyTopic", "Stray\n.topic 5\nText", {{5, "Text"}}},
        TPopupRow {"Windows1252Bytes", ".topic 5\nFarbe w\xE4hlen", {{5, "Farbe w\xE4hlen"}}},
        TPopupRow {"NulInText", std::string(".topic 5\nA\0B", 12), {{5, std::string("A\0B", 3)}}},
        TPopupRow {"Empty", "", {}}),
    [](const testing::TestParamInfo<TPopupRow>& info) { return info.param.Name; });

} // namespace
