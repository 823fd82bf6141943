#include "editing/PickerGeometry.h"

namespace {

constexpr int SeparatorMargin = 5; // the etched line keeps this far from top and bottom
constexpr int BarHorizontalInset = 4;
constexpr int BarVerticalInset = 3;

} // namespace

TPickerButtonGeometry PickerButtonGeometry(int width, int height, int dropDownWidth)
{
    const int arrowLeft = width - dropDownWidth;
    TPickerButtonGeometry geometry;
    geometry.ColorPart = {0, 0, arrowLeft, height};
    geometry.ArrowPart = {arrowLeft, 0, width, height};
    geometry.Separator = {arrowLeft - 1, SeparatorMargin, arrowLeft + 1, height - SeparatorMargin};
    geometry.ColorBar = {BarHorizontalInset, BarVerticalInset, arrowLeft - BarHorizontalInset,
        height - BarVerticalInset};
    geometry.ArrowTopLeft
        = {arrowLeft + (dropDownWidth - PickerArrowWidth) / 2, (height - PickerArrowHeight) / 2};
    return geometry;
}

bool IsArrowPartPress(int x, int width, int dropDownWidth)
{
    return x > width - dropDownWidth;
}
