#pragma once

#include "common/AnsiString.h"
#include "preview/ItemNeighbours.h"
#include "preview/ItemReadout.h"
#include "preview/PreviewMap.h"
#include "scheme/SchemeFile.h"

#include <QImage>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class QAction;
class QListWidget;
class QPaintEvent;
class QWidget;
class TPreviewImage;

// What the read-outs read of the window's document; asked afresh each time, so they always
// follow the current map, colours and descriptions.
struct TPreviewReadoutSource
{
    std::function<const TPreviewMap&()> Map;
    std::function<const std::vector<TRGBTriple>&()> ItemColors;
    // An item's description in Windows-1252; when left empty, the list entry's text.
    std::function<TAnsiString(std::size_t item)> Description;
};

// Tells the user about the preview without changing it, the document or the history:
// - over the preview, a tooltip names the item (or fixed colour) under the pointer and follows
//   it from pixel to pixel;
// - over an item list entry, a tooltip says whether the item is on the preview and which of its
//   neighbours contrast least with it;
// - while "Show selected item" is on, selecting an item flashes its pixels twice in a colour
//   that stands out from them (about 400 ms), drawn over the preview's image; the image itself
//   is never written, so the preview shows exactly the painted image again afterwards. A new
//   selection, a change of the image or PreviewPainted ends a flash at once.
//
// The window creates it once its controls exist, puts ShowSelectedItemAction() into the Edit
// menu, and calls PreviewLoaded after each load of a preview and PreviewPainted after each paint.
class TPreviewReadout : public QObject
{
    Q_OBJECT

public:
    TPreviewReadout(TPreviewImage& preview, QListWidget& list, TPreviewReadoutSource source,
        QObject* parent = nullptr);
    ~TPreviewReadout() override;

    // The checkable "Show selected item" command, off until turned on.
    QAction* ShowSelectedItemAction() const { return FShowSelectedItem; }
    bool FlashOnSelect() const;
    void SetFlashOnSelect(bool flash);

    // The map was replaced: works out again which items it shows and which touch.
    void PreviewLoaded();
    // The colours were painted anew: a running flash ends, and the hover text is asked again.
    void PreviewPainted();

    bool Flashing() const { return FFlashTimer.isActive(); }

    // The tooltip texts at a position of the preview and for a list entry; empty where there
    // is none.
    QString PreviewToolTip(QPoint position) const;
    QString EntryToolTip(int row) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TReadoutItems Items() const;
    std::optional<std::uint32_t> CellAt(QPoint position) const;
    int SelectedRow() const;

    void ShowPreviewTip(QPoint position, QPoint globalPosition, bool onlyWhenShown);
    bool OwnPreviewTipShown() const;
    bool ShowEntryTip(QPoint position, QPoint globalPosition);

    void StartFlash(int row);
    void StepFlash();
    void EndFlash(bool repaint);
    bool ImageChanged() const;
    bool PaintFlash(const QPaintEvent& event);

    TPreviewImage& FPreview;
    QListWidget& FList;
    QPointer<QWidget> FListViewport;
    TPreviewReadoutSource FSource;
    QAction* FShowSelectedItem = nullptr;
    TItemNeighbours FNeighbours;

    // The cell and text of the preview tooltip last shown, so a move within the same cell
    // costs one lookup.
    std::optional<std::uint32_t> FTipCell;
    QString FTipText;

    QTimer FFlashTimer;
    int FFlashStep = 0;
    QImage FFlashImage;
    qint64 FFlashImageKey = 0;
};
