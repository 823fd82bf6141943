#pragma once

#include <QDialog>

class QDialogButtonBox;
class QWidget;
class TDocumentSeam;
class TToolPreferences;
struct TToolContext;

// A tool's own window; every tool window is built on it, so that they all behave alike:
// - non-modal, a tool window of the main window's;
// - the first time, beside the main window on the side with room, never over the preview where
//   the screen has room for both, always inside the screen; afterwards where the user left it,
//   across runs too (kept per window, by its object name);
// - Esc closes it, whichever control has the focus;
// - its texts are given anew on every language switch (Retranslate);
// - it follows the document while shown, and catches up when shown again (Following, CatchUp);
// - its buttons stand in a QDialogButtonBox, none of them pressed by Enter unless made the
//   default.
class TToolWindow : public QDialog
{
    Q_OBJECT

public:
    // name: the object name, by which tests find the window and its place is kept.
    TToolWindow(const TToolContext& context, const char* name);
    ~TToolWindow() override;

    // Shows the window, brings it to the front and gives it the focus.
    void Open();

protected:
    TDocumentSeam& Document() const { return FDocument; }
    TToolPreferences& Preferences() const { return FPreferences; }

    // The window's texts, in the language shown now: run by the window's own constructor, and
    // on every language switch.
    virtual void Retranslate() = 0;
    // Brings everything shown up to date; run when the window is shown after changes it let pass.
    virtual void CatchUp() { }
    // Whether to follow a change now: true while shown; hidden, the window notes that it must
    // catch up when shown and answers false.
    bool Following();

    // The button row, made on first use; the window puts it in its layout.
    QDialogButtonBox& Buttons();

    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Place();
    void KeepPlace();

    TDocumentSeam& FDocument;
    TToolPreferences& FPreferences;
    QWidget& FOwner;
    const QWidget& FPreview;
    QDialogButtonBox* FButtons = nullptr;
    bool FStale = true;
    bool FPlaced = false;
};
