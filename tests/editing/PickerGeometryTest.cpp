#include "editing/PickerGeometry.h"

#include <gtest/gtest.h>

namespace {

TEST(PickerGeometryTest, PartsOfTheMainWindowsPicker)
{
    // 73 x 21 with a 15-pixel arrow part, as in the main window.
    const TPickerButtonGeometry geometry = PickerButtonGeometry(73, 21, 15);
    EXPECT_EQ(geometry.ColorPart, (TPopupRect {0, 0, 58, 21}));
    EXPECT_EQ(geometry.ArrowPart, (TPopupRect {58, 0, 73, 21}));
    EXPECT_EQ(geometry.Separator, (TPopupRect {57, 5, 59, 16}));
    EXPECT_EQ(geometry.ColorBar, (TPopupRect {4, 3, 54, 18}));
    EXPECT_EQ(geometry.ArrowTopLeft, (TPopupPoint {63, 9}));
}

TEST(PickerGeometryTest, OnlyPressesRightOfTheArrowPartsEdgeOpenThePopup)
{
    struct TRow
    {
        int X;
        bool Arrow;
    };
    for (const TRow row :
        {TRow {0, false}, TRow {57, false}, TRow {58, false}, TRow {59, true}, TRow {72, true}}) {
        EXPECT_EQ(IsArrowPartPress(row.X, 73, 15), row.Arrow) << "x = " << row.X;
    }
}

} // namespace
