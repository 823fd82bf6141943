#pragma once

#include "tools/history/HistorySteps.h"
#include "i18n/OwnTexts.h"

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

// The texts of the history window; formats take %1, %2.
namespace HistoryText {
inline constexpr TTextKey Title {"History", "Title", "History"};
inline constexpr TTextKey Steps {"History", "Steps", "&Steps you can undo and redo:"};
inline constexpr TTextKey Start {"History", "Start", "Start: nothing changed yet"};
inline constexpr TTextKey Position {"History", "Position", "%1 of %2 steps done"};
inline constexpr TTextKey Item {"History", "Item", "item %1"};
inline constexpr TTextKey Items {"History", "Items", "%1 items"};
} // namespace HistoryText

std::span<const TTextKey> HistoryTexts();

// Lists every step of the undo and redo stacks in the order they were made, under a first row
// for the state before them; the row of the current position is selected and bold, the undone
// steps after it grey. A single edit shows its item and both colours ("Park: #C8E6B4 → #FF0000"),
// a step of several items its label. Choosing a row (a click, the arrow keys) moves there as that
// many Undos or Redos would. Non-modal; it follows every change at once, and Esc closes it.
class THistoryWindow : public QWidget
{
    Q_OBJECT

public:
    THistoryWindow(TDocumentSeam& document, QWidget* parent);
    ~THistoryWindow() override;

    // Row 0 is the state before the first step, row k the state after step k.
    int RowCount() const;
    int CurrentRow() const;
    QString RowText(int row) const;
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
