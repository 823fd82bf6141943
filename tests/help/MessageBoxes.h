#pragma once

#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <QMetaObject>
#include <QObject>
#include <QStringList>

// Keeps the texts of the message boxes shown while it lives, and closes each.
class TMessageBoxes : public QObject
{
public:
    TMessageBoxes() { qApp->installEventFilter(this); }
    ~TMessageBoxes() override { qApp->removeEventFilter(this); }

    QStringList Texts;
    QStringList InformativeTexts;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* box = qobject_cast<QMessageBox*>(watched);
        if (event->type() == QEvent::Show && box) {
            Texts.append(box->text());
            InformativeTexts.append(box->informativeText());
            QMetaObject::invokeMethod(
                box, [box] { box->accept(); }, Qt::QueuedConnection);
        }
        return false;
    }
};
