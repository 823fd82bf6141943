#pragma once

// A document seam over plain data, for testing a tool without the main window. The list, when
// given, holds the descriptions and the selection, as the window's list does.

#include "common/UiText.h"
#include "tools/DocumentSeam.h"
#include "tools/StatusPanel.h"
#include "tools/Tool.h"

#include <QItemSelectionModel>
#include <QLabel>
#include <QListWidget>

#include <algorithm>
#include <functional>

// The guard a tool's context needs, for tests that stand in for the window: a failure propagates
// to the test.
inline bool RunUnguarded(const std::function<void()>& step)
{
    step();
    return true;
}

class TFakeDocument : public TDocumentSeam
{
public:
    explicit TFakeDocument(QListWidget* list = nullptr)
        : FList(list)
    {
        if (FList != nullptr)
            connect(FList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                [this] { emit SelectionChanged(SelectedItem()); });
    }

    // Sets the items and makes them the saved state, as a load does.
    void Load(std::vector<TRGBTriple> colors, std::vector<TAnsiString> descriptions)
    {
        ItemColors = std::move(colors);
        Descriptions = std::move(descriptions);
        std::vector<TSchemeItem> items;
        for (std::size_t i = 0; i < ItemColors.size(); ++i)
            items.push_back({ItemColors[i], Description(i)});
        SavedState.Reset(std::move(items));
        HistoryState.Clear();
        emit DocumentLoaded();
    }

    std::span<const TRGBTriple> Colors() const override { return ItemColors; }
    TAnsiString Description(std::size_t item) const override
    {
        if (FList != nullptr && FList->item(int(item)) != nullptr)
            return ToWindows1252(FList->item(int(item))->text());
        return item < Descriptions.size() ? Descriptions[item] : TAnsiString();
    }
    const TSavedScheme& Saved() const override { return SavedState; }
    const TColorHistory& History() const override { return HistoryState; }
    std::filesystem::path FileName() const override { return File; }
    const TPreviewMap& PreviewMap() const override { return Map; }
    int SelectedItem() const override
    {
        if (FList == nullptr)
            return Selected;
        const QList<QListWidgetItem*> selected = FList->selectedItems();
        return selected.isEmpty() ? -1 : FList->row(selected.first());
    }

    void SelectItem(std::size_t item) override
    {
        if (FList != nullptr)
            FList->setCurrentRow(int(item));
        else
            emit SelectionChanged(Selected = int(item));
    }
    std::vector<std::size_t> ApplyColors(
        std::span<const TColorChange> changes, const TStepFacts& facts) override
    {
        std::vector<std::size_t> changed = HistoryState.RecordGroup(ItemColors, changes, facts);
        Changed(changed);
        return changed;
    }
    void MoveInHistory(int steps) override
    {
        std::vector<std::size_t> changed;
        for (; steps < 0 && HistoryState.CanUndo(); ++steps)
            for (std::size_t item : HistoryState.Undo(ItemColors))
                changed.push_back(item);
        for (; steps > 0 && HistoryState.CanRedo(); --steps)
            for (std::size_t item : HistoryState.Redo(ItemColors))
                changed.push_back(item);
        Changed(changed);
    }

    void SetPaintTransform(const QObject* owner, TPaintTransform transform) override
    {
        Transforms[owner] = std::move(transform);
        emit PreviewPainted();
    }
    void ClearPaintTransform(const QObject* owner) override
    {
        Transforms.erase(owner);
        emit PreviewPainted();
    }
    TRGBTriple PaintedColor(const TRGBTriple& color) const override
    {
        TRGBTriple painted = color;
        for (const auto& [owner, transform] : Transforms)
            if (transform.Color)
                painted = transform.Color(painted);
        return painted;
    }

    // A change of colours made from outside the seam, as an edit in the window is.
    void Changed(const std::vector<std::size_t>& items)
    {
        for (std::size_t item : items)
            SavedState.CompareColor(item, ItemColors[item]);
        emit ColorsChanged(items);
        emit HistoryChanged();
    }

    std::vector<TRGBTriple> ItemColors;
    std::vector<TAnsiString> Descriptions;
    TSavedScheme SavedState;
    TColorHistory HistoryState;
    TPreviewMap Map;
    std::filesystem::path File;
    int Selected = -1;
    std::map<const QObject*, TPaintTransform> Transforms;

private:
    QListWidget* FList;
};
