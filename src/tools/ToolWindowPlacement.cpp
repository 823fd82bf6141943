#include "tools/ToolWindowPlacement.h"

#include <QRect>
#include <QScreen>
#include <QWidget>

void PlaceBeside(QWidget& window, const QWidget& owner)
{
    const QScreen* screen = owner.screen();
    if (screen == nullptr)
        return;
    constexpr int Gap = 8;
    const QRect area = screen->availableGeometry();
    const QRect around = owner.frameGeometry();
    // The window's frame is not known before it is shown; the owner's is of the same kind.
    const QSize frame = window.size() + (owner.frameGeometry().size() - owner.geometry().size());
    const QPoint places[] = {
        {around.right() + 1 + Gap, around.top()},
        {around.left() - Gap - frame.width(), around.top()},
        {around.left(), around.bottom() + 1 + Gap},
        {around.left(), around.top() - Gap - frame.height()},
    };
    for (const QPoint& place : places) {
        if (area.contains(QRect(place, frame))) {
            window.move(place);
            return;
        }
    }
}
