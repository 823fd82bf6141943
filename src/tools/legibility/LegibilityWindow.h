#pragma once

#include "i18n/OwnTexts.h"
#include "tools/legibility/LegibilityRows.h"
#include "tools/PreviewFlash.h"

#include <QWidget>

#include <cstddef>
#include <optional>
#include <span>
#include <utility>
#include <vector>

class QDoubleSpinBox;
class QLabel;
class QTableView;
class TDocumentSeam;
class TPreviewImage;
class TToolPreferences;

// The legibility check's window: every pair of items that touch on the preview, those hard to
// tell apart first, with the threshold that decides it. Its title counts the flagged pairs.
// Choosing a row selects the pair's first item in the main window and flashes the pair's border
// on the preview. While it is shown it follows every change of the document, the map, the
// threshold and the simulated colour vision at once; hidden, it does nothing and catches up
// when shown again.
class TLegibilityWindow : public QWidget
{
    Q_OBJECT

public:
    TLegibilityWindow(TDocumentSeam& document, TToolPreferences& preferences,
        TPreviewImage& preview, QWidget& mainWindow);

    // The texts of the window, for the language files.
    static std::span<const TTextKey> Texts();

    // Shows the window (placed beside the main window the first time) and gives it the focus.
    void Open();
    // The language changed.
    void Retranslate();

    const TLegibilityRows& Rows() const { return FRows; }
    bool Flashing() const { return FFlash.Flashing(); }

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Everything anew from the seam; the map's pairs too when it changed.
    void Rebuild();
    void ColorsChanged(const std::vector<std::size_t>& items);
    void DescriptionChanged(std::size_t item);
    void ThresholdChanged(double threshold);
    // The rows changed: the title counts again, and the chosen pair stays chosen.
    void RowsChanged();
    void Choose(int row);
    // The colour the check compares for a real colour: the simulated one while a simulation is
    // on.
    TRGBTriple Judged(const TRGBTriple& color) const;
    QStringList Headings() const;
    void ShowTitle();

    TDocumentSeam& FDocument;
    TToolPreferences& FPreferences;
    QWidget& FMainWindow;
    TLegibilityRows FRows;
    TPreviewFlash FFlash;
    QLabel* FThresholdLabel = nullptr;
    QDoubleSpinBox* FThreshold = nullptr;
    QTableView* FTable = nullptr;
    QLabel* FNoPairs = nullptr;

    // The window missed changes while hidden.
    bool FStale = true;
    bool FPlaced = false;
    // The pair last chosen, kept across updates of the rows; set while the rows' selection is
    // put back, so that putting it back is not a new choice.
    std::optional<std::pair<std::size_t, std::size_t>> FChosen;
    bool FRestoring = false;
};
