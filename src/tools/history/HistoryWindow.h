#pragma once

#include "tools/history/HistorySteps.h"

#include <QWidget>

#include <cstddef>
#include <span>
#include <vector>

class QLabel;
class QListView;
class QKeyEvent;
class QShowEvent;
class TDocumentSeam;
class THistoryModel;

// Lists every step of the undo and redo stacks in the order they were made, under a first row
// for the state before them; the row of the current position is selected and bold, the undone
// steps after it grey. A single edit shows its item and both colours ("Park: #C8E6B4 → #FF0000"),
// a step of several items what it was; the keystrokes of a code typed for one item show as one
// row. Choosing a row (a click, the arrow keys) moves to the end of its step or keystrokes as
// that many Undos or Redos would. Non-modal; it follows every change at once, and Esc closes it.
class THistoryWindow : public QWidget
{
    Q_OBJECT

public:
    THistoryWindow(TDocumentSeam& document, QWidget* parent);
    ~THistoryWindow() override;

    // Row 0 is the state before the first step, row k the state after the k-th row's steps.
    int RowCount() const;
    int CurrentRow() const;
    QString RowText(int row) const;
    // How many steps are done at the row.
    std::size_t StepsDoneAt(int row) const;
    // Moves to the state of the row.
    void Choose(int row);

    // Reads the history again.
    void Refresh();
    void Retranslate();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void ShowPosition();

    TDocumentSeam& FDocument;
    THistoryModel* FModel;
    QLabel* FStepsLabel;
    QListView* FList;
    QLabel* FPosition;
    // Set while the list's current row is set to the position, which is no choice of the user's.
    bool FShowing = false;
    bool FPlaced = false;
};
