#pragma once

#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QMetaObject>
#include <QObject>

// Counts the menus other than the given one that open while it lives, and closes each at once:
// a menu that runs modally (Qt's own edit menu opens from inside the mouse press) would
// otherwise hold the test up.
class TOtherMenus : public QObject
{
public:
    explicit TOtherMenus(const QMenu* allowed)
        : FAllowed(allowed)
    {
        qApp->installEventFilter(this);
    }
    ~TOtherMenus() override { qApp->removeEventFilter(this); }

    int Count = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* menu = qobject_cast<QMenu*>(watched);
        if (event->type() == QEvent::Show && menu && menu != FAllowed) {
            ++Count;
            QMetaObject::invokeMethod(
                menu, [menu] { menu->close(); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    const QMenu* FAllowed;
};
