#pragma once

#include "common/AnsiString.h"
#include "editing/ColorHistory.h"
#include "preview/ItemNeighbours.h"
#include "preview/PreviewMap.h"
#include "scheme/SavedScheme.h"
#include "scheme/SchemeFile.h"

#include <QObject>

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <vector>

// How the preview is painted without touching the document. ItemColors may replace the item
// colours painted (the saved ones, an adjustment being tried); Color then passes every painted
// colour through a filter, fixed colours included (a colour-vision simulation). Either may be
// empty.
struct TPaintTransform
{
    std::function<void(std::vector<TRGBTriple>& colors)> ItemColors;
    std::function<TRGBTriple(const TRGBTriple&)> Color;
    // When ItemColors runs: other colours a tool shows (the saved ones) come first, and changes
    // being tried (an adjustment) go over them, whichever was turned on first.
    enum class TStage { OtherColors, TriedChanges };
    TStage Stage = TStage::OtherColors;
};

// What a tool sees of the open document, and the only ways it changes it. The window implements
// it; tools read, change and listen through it and never reach into the window.
class TDocumentSeam : public QObject
{
    Q_OBJECT

public:
    explicit TDocumentSeam(QObject* parent = nullptr);

    // One colour per item, in document order; the item count is its size.
    virtual std::span<const TRGBTriple> Colors() const = 0;
    std::size_t ItemCount() const { return Colors().size(); }
    // An item's description in Windows-1252; empty beyond the items.
    virtual TAnsiString Description(std::size_t item) const = 0;
    // The document as last loaded or saved, and which items differ from it.
    virtual const TSavedScheme& Saved() const = 0;
    virtual const TColorHistory& History() const = 0;
    // The file the document was loaded from or last saved as; empty when untitled.
    virtual std::filesystem::path FileName() const = 0;
    virtual const TPreviewMap& PreviewMap() const = 0;
    // Which items the preview shows and which of them touch: worked out once for each preview,
    // when a tool first asks.
    const TItemNeighbours& Neighbours() const;
    // The selected item; -1 when none is.
    virtual int SelectedItem() const = 0;

    // Selects the item in the list and shows it, as a click on the preview does.
    virtual void SelectItem(std::size_t item) = 0;
    // Gives the items their new colours as one step, which the history names by its facts: one
    // Undo takes all of them back. The preview is repainted once and the modified mark follows.
    // Returns the items that changed (none when every colour was already there, and then nothing
    // is recorded).
    virtual std::vector<std::size_t> ApplyColors(
        std::span<const TColorChange> changes, const TStepFacts& facts)
        = 0;
    // Moves through the history by steps: negative undoes, positive redoes, as that many Undo or
    // Redo commands would, with one repaint at the end.
    virtual void MoveInHistory(int steps) = 0;

    // Paints the preview through the owner's transform from now on (replacing the owner's
    // previous one), or without it again; transforms apply by stage, and within a stage in the
    // order they were first set.
    virtual void SetPaintTransform(const QObject* owner, TPaintTransform transform) = 0;
    virtual void ClearPaintTransform(const QObject* owner) = 0;
    // A colour as the preview paints it now: through every colour filter set.
    virtual TRGBTriple PaintedColor(const TRGBTriple& color) const = 0;

signals:
    // Items took new colours: an edit, Undo, Redo, or a step of several items.
    void ColorsChanged(const std::vector<std::size_t>& items);
    void DescriptionChanged(std::size_t item);
    void SelectionChanged(int item);
    // A document was loaded (Open, New, the shell, start-up) or saved; either resets the saved
    // state.
    void DocumentLoaded();
    void DocumentSaved();
    // Undo or redo steps were added or taken, whatever the colours did.
    void HistoryChanged();
    void PreviewLoaded();
    void PreviewPainted();
    // A language file was applied: tools show their texts anew.
    void LanguageApplied();

private:
    mutable std::optional<TItemNeighbours> FNeighbours;
};
