#pragma once

#include "tools/Tool.h"

#include <cstddef>
#include <span>

class QListWidget;

// Shows what differs from the file as last loaded or saved, and puts an item back:
// - an item whose colour or description differs is shown in bold in the item list (its list
//   tooltip, from the read-outs, says what it was);
// - "Revert item to saved color" gives the selected item its saved colour as one ordinary step,
//   and is enabled only while that colour differs;
// - "Show saved colors" (F9), while on, paints the preview in the saved colours without changing
//   the document, and status-bar panel 1 says how many items differ.
// Only the items a change names are looked at again, so a change costs the same whatever the
// document's size; a load or a save, which reset the saved state, look at every item.
class TChangedItems : public TTool
{
    Q_OBJECT

public:
    explicit TChangedItems(const TToolContext& context, QObject* parent = nullptr);
    ~TChangedItems() override;

    std::span<const TTextKey> Texts() const override;

    bool ShowingSavedColors() const { return FShowingSaved; }
    void SetShowingSavedColors(bool show);
    void RevertSelectedItem();

    // Marks or unmarks the items as they differ now and tells the count: what a change of
    // their colours or descriptions runs.
    void ItemsChanged(std::span<const std::size_t> items);

private:
    void MarkItem(std::size_t item);
    void MarkAllItems();
    void ShowCount();
    void SetSavedTransform();

    QListWidget& FList;
    bool FShowingSaved = false;
};
