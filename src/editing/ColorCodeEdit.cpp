#include "editing/ColorCodeEdit.h"

#include "editing/ColorCode.h"
#include "editing/ColorNotation.h"
#include "editing/QtColors.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QColor>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>

#include <memory>
#include <optional>
#include <string>

TColorCodeEdit::TColorCodeEdit(QWidget* parent)
    : QLineEdit(parent)
{ }

bool TColorCodeEdit::PasteCode(QClipboard::Mode mode)
{
    if (isReadOnly())
        return false;
    const QMimeData* data = QGuiApplication::clipboard()->mimeData(mode);
    if (data == nullptr)
        return false;
    std::optional<std::string> code;
    if (data->hasColor() && qvariant_cast<QColor>(data->colorData()).isValid()) {
        code = ColorCodeText(TColorFromQColor(qvariant_cast<QColor>(data->colorData())));
    } else {
        // Outside input: text longer than any colour is not converted, only cut short as a
        // plain paste cuts it.
        const QString text = data->text();
        if (std::size_t(text.size()) > MaxColorNotationLength)
            return false;
        code = ColorCodeFromPastedText(text.toStdString());
    }
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
