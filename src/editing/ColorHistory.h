#pragma once

#include "editing/ColorStack.h"
#include "scheme/SchemeFile.h"

#include <cstdint>
#include <optional>
#include <vector>

// The document's record of changes over the undo and redo stacks: every colour change is
// recorded for Undo; Undo and Redo move one entry between the stacks and restore its colour.
// Descriptions are not undoable, but a changed description keeps the document modified until the
// next save or load, whatever Undo does to the colours.
class TColorHistory
{
public:
    const TColorStack& UndoStack() const { return FUndoStack; }
    const TColorStack& RedoStack() const { return FRedoStack; }
    bool CanUndo() const { return !FUndoStack.IsEmpty(); }
    bool CanRedo() const { return !FRedoStack.IsEmpty(); }

    // A new colour for item `index`: its old colour goes onto the undo stack, the new one into
    // the item, and the redo stack is emptied. An index outside the items records nothing.
    void RecordChange(std::vector<TRGBTriple>& items, std::int32_t index, TRGBTriple newColor);
    void RecordDescriptionChange() { FDescriptionsChanged = true; }

    // Takes the top undo (redo) entry back: the item's current colour goes onto the other stack
    // and the entry's colour into the item. Returns the item that changed; nothing when the stack
    // was empty (or, defensively, named no item).
    std::optional<std::int32_t> Undo(std::vector<TRGBTriple>& items);
    std::optional<std::int32_t> Redo(std::vector<TRGBTriple>& items);

    // Whether the document differs from its last saved or loaded state, as far as the mark
    // follows it: after Undo the mark follows the undo stack (an undo back past a save counts as
    // unmodified), and a changed description keeps it set.
    bool Modified() const { return CanUndo() || FDescriptionsChanged; }

    // A save keeps both stacks; a load empties them (undo first, then redo), and so does closing.
    void DocumentSaved() { FDescriptionsChanged = false; }
    void Clear();

private:
    static std::optional<std::int32_t> Move(
        TColorStack& from, TColorStack& to, std::vector<TRGBTriple>& items);

    TColorStack FUndoStack;
    TColorStack FRedoStack;
    bool FDescriptionsChanged = false;
};
