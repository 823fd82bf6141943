#pragma once

#include <QClipboard>
#include <QLineEdit>

// The colour-code field. Typing goes in as typed; pasting a colour code in a common written form
// ("#FF8800", " 00ff00 ") puts its digits into the field in place of its text, which the field's
// six-character limit would otherwise cut short.
class TColorCodeEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit TColorCodeEdit(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // Pastes from the clipboard or the X11 selection; false when the text holds no code.
    bool PasteCode(QClipboard::Mode mode);
};
