#pragma once

#include "tools/find/BulkRecolor.h"

#include <QDialog>

#include <cstddef>
#include <memory>
#include <vector>

class QLabel;
class QPushButton;
class QRadioButton;
class QSlider;
class QSpinBox;
class TDocumentSeam;
class TFindAndRecolor;
class TStatusPanel;

// The "Adjust colors" window: a hue shift (degrees), a chroma (percent of each colour's own) and
// a lightness shift, in OKLCh, for the items the find window found or for all items. While it is
// open the preview shows the result, painted through a transform: the document does not change
// until OK, which records the new colours as one step; Cancel, Esc or closing the window leaves
// the colours exactly as they were. Loading another document cancels it.
class TAdjustColorsWindow : public QDialog
{
    Q_OBJECT

public:
    TAdjustColorsWindow(
        TFindAndRecolor& tool, TDocumentSeam& document, TStatusPanel& status, QWidget& parent);
    ~TAdjustColorsWindow() override;

    // Shows the window with no shift set, on the items found when there are any.
    void Open();

    TColorAdjustment Adjustment() const;
    // The items it works on now.
    std::vector<std::size_t> ChosenItems() const;

    void accept() override;
    void reject() override;

private:
    struct TChannel
    {
        QLabel* Label;
        QSlider* Slider;
        QSpinBox* Value;
    };
    TChannel MakeChannel(const char* name, int minimum, int maximum, int neutral, int context);

    void Retranslate();
    void ResultsChanged();
    void UpdatePreview();
    void EndPreview();
    void Reset();

    // What the preview paints through: the adjustment and the chosen items that the preview
    // shows (the others are painted nowhere, so they are left out of every repaint while a
    // slider moves).
    struct TPreview
    {
        TColorAdjustment Adjustment;
        std::vector<std::size_t> Items;
        bool operator==(const TPreview&) const = default;
    };

    TFindAndRecolor& FTool;
    TDocumentSeam& FDocument;
    TStatusPanel& FStatus;
    // Nothing while the preview shows no adjustment.
    std::shared_ptr<const TPreview> FPreview;

    QRadioButton* FScopeFound;
    QRadioButton* FScopeAll;
    TChannel FHue;
    TChannel FChroma;
    TChannel FLightness;
    QPushButton* FReset;
    QPushButton* FOk;
    QPushButton* FCancel;
};
