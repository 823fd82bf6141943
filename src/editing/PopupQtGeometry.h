#pragma once

#include "editing/PopupGeometry.h"

#include <QPoint>
#include <QRect>

// The popup geometry's rectangles and points as Qt's, for the widgets that paint them.

inline QRect ToQRect(const TPopupRect& rect)
{
    return QRect(rect.Left, rect.Top, rect.Width(), rect.Height());
}

inline TPopupRect ToPopupRect(const QRect& rect)
{
    return {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
}

inline QPoint ToQPoint(TPopupPoint point)
{
    return {point.X, point.Y};
}

inline TPopupPoint ToPopupPoint(const QPoint& point)
{
    return {point.x(), point.y()};
}
