#include "help/VersionText.h"

#include <gtest/gtest.h>

namespace {

TEST(VersionTextTest, ReleaseOnlyWhenSetAndTheBuildInFourDigits)
{
    const struct
    {
        int Major, Minor, Release, Build;
        const char* Text;
    } rows[] = {
        {2, 1, 0, 79, "Version 2.1 (build 0079)"},
        {2, 1, 3, 12, "Version 2.1.3 (build 0012)"},
        {2, 1, 0, 12345, "Version 2.1 (build 12345)"},
        {10, 0, 0, 0, "Version 10.0 (build 0000)"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(VersionText(row.Major, row.Minor, row.Release, row.Build), row.Text) << row.Text;
}

TEST(VersionTextTest, CaptionsLoseTheirAcceleratorMark)
{
    EXPECT_EQ(WithoutAccelerator("&About..."), "About...");
    EXPECT_EQ(WithoutAccelerator("Save &as"), "Save as");
    EXPECT_EQ(WithoutAccelerator("Fish && &Chips"), "Fish & Chips");
    EXPECT_EQ(WithoutAccelerator("Trailing &"), "Trailing &");
    EXPECT_EQ(WithoutAccelerator(""), "");
}

} // namespace
