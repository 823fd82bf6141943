#pragma once

#include <QApplication>
#include <QCursor>

// Shows the application-wide busy cursor for as long as it lives, so the normal cursor comes
// back however the work ends, failures included.
class TBusyCursor
{
public:
    TBusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TBusyCursor() { QApplication::restoreOverrideCursor(); }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;
};
