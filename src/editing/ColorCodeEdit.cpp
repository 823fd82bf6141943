#include "editing/ColorCodeEdit.h"

#include "editing/ColorCode.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

#include <memory>

TColorCodeEdit::TColorCodeEdit(QWidget* parent)
    : QLineEdit(parent)
{ }

bool TColorCodeEdit::PasteCode(QClipboard::Mode mode)
{
    if (isReadOnly())
        return false;
    const auto code
        = ColorCodeFromPastedText(QGuiApplication::clipboard()->text(mode).toStdString());
    if (!code)
        return false;
    // Through insert(), so the field's own undo takes the paste back.
    selectAll();
    insert(QString::fromStdString(*code));
    return true;
}

void TColorCodeEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Paste) && PasteCode(QClipboard::Clipboard)) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TColorCodeEdit::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()
        && PasteCode(QClipboard::Selection)) {
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void TColorCodeEdit::contextMenuEvent(QContextMenuEvent* event)
{
    const std::unique_ptr<QMenu> menu(createStandardContextMenu());
    if (auto* paste = menu->findChild<QAction*>("edit-paste")) {
        disconnect(paste, &QAction::triggered, nullptr, nullptr);
        connect(paste, &QAction::triggered, this, [this] {
            if (!PasteCode(QClipboard::Clipboard))
                this->paste();
        });
    }
    menu->exec(event->globalPos());
}
