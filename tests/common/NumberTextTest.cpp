#include "common/NumberText.h"

#include "preview/ColorContrast.h"

#include <gtest/gtest.h>

namespace {

// Numbers as English, German and French write them; French groups with a no-break space, the
// nearest Windows-1252 has to its narrow one.
TEST(NumberTextTest, WritesNumbersAsTheLanguageDoes)
{
    const TNumberFormat english;
    const TNumberFormat german {",", "."};
    const TNumberFormat french {",", "\xA0"};
    const struct
    {
        const char* Name;
        TNumberFormat Format;
        std::string Whole; // of 1234567
        std::string Small; // of 999
        std::string Ratio; // a contrast of 1.09
        std::string DeltaE; // a difference of 5
        std::string Hundredths; // 123456 with two decimals
    } rows[] = {
        {"English", english, "1,234,567", "999", "1.09:1", "5.0", "1,234.56"},
        {"German", german, "1.234.567", "999", "1,09:1", "5,0", "1.234,56"},
        {"French", french,
            "1\xA0"
            "234\xA0"
            "567",
            "999", "1,09:1", "5,0",
            "1\xA0"
            "234,56"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        EXPECT_EQ(WholeNumberText(1234567, row.Format), row.Whole);
        EXPECT_EQ(WholeNumberText(999, row.Format), row.Small);
        EXPECT_EQ(ContrastRatioText(1.09, 2, row.Format), row.Ratio);
        EXPECT_EQ(DeltaEText(5.0, row.Format), row.DeltaE);
        EXPECT_EQ(FixedPointText(123456, 2, row.Format), row.Hundredths);
    }
    EXPECT_EQ(FixedPointText(5, 2), "0.05");
    EXPECT_EQ(WholeNumberText(0), "0");
}

} // namespace
