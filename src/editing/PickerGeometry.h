#pragma once

#include "editing/PopupGeometry.h"

// Geometry of the colour picker button itself: the colour part on the left, the arrow part of
// DropDownWidth pixels at the right edge, the etched line between them and the colour bar. Used
// alike for painting and for telling a press in the arrow part from one in the colour part.
struct TPickerButtonGeometry
{
    TPopupRect ColorPart;
    TPopupRect ArrowPart;
    TPopupRect Separator; // 2 pixels wide, 5 pixels from top and bottom
    TPopupRect ColorBar; // the colour part inset 4 pixels left and right, 3 top and bottom
    TPopupPoint ArrowTopLeft; // the 5 x 3 arrow, centred in the arrow part
};

TPickerButtonGeometry PickerButtonGeometry(int width, int height, int dropDownWidth);

// A press at x opens the popup rather than clicking the colour part.
bool IsArrowPartPress(int x, int width, int dropDownWidth);

inline constexpr int PickerArrowWidth = 5; // rows of 5, 3 and 1 pixels
inline constexpr int PickerArrowHeight = 3;
