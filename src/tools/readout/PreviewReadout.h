#pragma once

#include "tools/readout/ItemReadout.h"
#include "tools/PreviewFlash.h"
#include "tools/Tool.h"

#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QString>

#include <cstdint>
#include <optional>

class QListWidget;
class QWidget;
class TPreviewImage;

// Tells the user about the preview without changing it, the document or the history:
// - over the preview, a tooltip names the item (or fixed colour) under the pointer and follows
//   it from pixel to pixel;
// - over an item list entry, a tooltip says whether the item is on the preview and which of its
//   neighbours contrast least with it;
// - while "Show selected item" is on, selecting an item flashes its pixels three times in a
//   colour that stands out from them (750 ms), drawn over the preview's image; the image itself
//   is never written, so the preview shows exactly the painted image again afterwards. A new
//   selection, a change of the image or PreviewPainted ends a flash at once.
//
// It follows the document through the seam: a new map is worked out again, a repaint ends a
// flash, a new selection starts one.
class TPreviewReadout : public TTool
{
    Q_OBJECT

public:
    explicit TPreviewReadout(const TToolContext& context, QObject* parent = nullptr);
    ~TPreviewReadout() override;

    std::span<const TTextKey> Texts() const override;
    void ReadSettings(const std::filesystem::path& settingsFile) override;
    void WriteSettings(const std::filesystem::path& settingsFile) const override;

    // The checkable "Show selected item" command, off until turned on.
    bool FlashOnSelect() const;
    void SetFlashOnSelect(bool flash);

    bool Flashing() const { return FFlash.Flashing(); }

    // The tooltip texts at a position of the preview and for a list entry; empty where there
    // is none.
    QString PreviewToolTip(QPoint position) const;
    QString EntryToolTip(int row) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The map was replaced: works out again which items it shows and which touch.
    void PreviewLoaded();
    // The colours were painted anew: a running flash ends, and the hover text is asked again.
    void PreviewPainted();

    TReadoutItems Items() const;
    std::optional<std::uint32_t> CellAt(QPoint position) const;
    int SelectedRow() const;

    void ShowPreviewTip(QPoint position, QPoint globalPosition, bool onlyWhenShown);
    bool OwnPreviewTipShown() const;
    bool ShowEntryTip(QPoint position, QPoint globalPosition);
    // The threshold changed: an entry's tip still up says what the new one makes of it.
    void RefreshEntryTip();

    void StartFlash(int row);

    TPreviewImage& FPreview;
    QListWidget& FList;
    QPointer<QWidget> FListViewport;
    bool FFlashOnSelect = false;

    // The cell and text of the preview tooltip last shown, so a move within the same cell
    // costs one lookup.
    std::optional<std::uint32_t> FTipCell;
    QString FTipText;

    // The list entry whose tip was shown last, where, and its text.
    int FEntryTipRow = -1;
    QPoint FEntryTipPosition;
    QString FEntryTipText;

    TPreviewFlash FFlash;
};
