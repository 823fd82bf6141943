#pragma once

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>

// Shows the application-wide busy cursor for as long as it lives, so the normal cursor comes
// back however the work ends, failures included. Without a screen (a program with no
// QGuiApplication) it does nothing.
class TBusyCursor
{
public:
    TBusyCursor()
        : FShown(qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr)
    {
        if (FShown)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~TBusyCursor()
    {
        if (FShown)
            QGuiApplication::restoreOverrideCursor();
    }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;

private:
    bool FShown;
};
