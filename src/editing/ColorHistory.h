#pragma once

#include "editing/ColorStack.h"
#include "scheme/SchemeFile.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// One item's new colour, in a set of changes made as one step.
struct TColorChange
{
    std::size_t Item;
    TRGBTriple Color;
};

// What made a step, besides the colours its entries hold: the facts the history names it by, in
// whichever language it is shown when it is shown.
enum class TStepKind {
    Edit, // a colour chosen for an item (picker, colour dialog, paste, revert)
    TypedCode, // one keystroke in the colour-code field
    Replace, // every item of one colour given another
    Adjust, // hue, chroma or lightness of many items shifted
    TakeFromFile, // colours taken from another colour file, Name
    ImportPicture, // colours read from a screenshot, the file Name
    ImportClipboard, // colours read from the screenshot on the clipboard
};

struct TStepFacts
{
    TStepKind Kind = TStepKind::Edit;
    std::string Name; // UTF-8: the file the colours came from
};

// The document's record of colour changes over the undo and redo stacks. A single edit is one
// stack entry; a change of several items at once (replace, adjust, take from another file) is one
// step of several entries, undone and redone whole. Descriptions are not recorded.
class TColorHistory
{
public:
    // One user action: how many of the stack's top entries it holds, and what it was.
    struct TStep
    {
        std::size_t Entries;
        TStepFacts Facts;
    };

    const TColorStack& UndoStack() const { return FUndoStack; }
    const TColorStack& RedoStack() const { return FRedoStack; }
    // The steps of each stack from the bottom to the top; their entries add up to the stack's.
    std::span<const TStep> UndoSteps() const { return FUndoSteps; }
    std::span<const TStep> RedoSteps() const { return FRedoSteps; }
    bool CanUndo() const { return !FUndoStack.IsEmpty(); }
    bool CanRedo() const { return !FRedoStack.IsEmpty(); }

    // A new colour for item `index`: its old colour goes onto the undo stack, the new one into
    // the item, and the redo stack is emptied. An index outside the items records nothing.
    void RecordChange(std::vector<TRGBTriple>& items, std::int32_t index, TRGBTriple newColor,
        TStepKind kind = TStepKind::Edit);

    // New colours for several items as one step. Items outside the document and colours an item
    // already has are left out; an item named twice takes its last colour. Returns the items
    // that changed, ascending; when none did, nothing is recorded and the redo stack stays.
    std::vector<std::size_t> RecordGroup(
        std::vector<TRGBTriple>& items, std::span<const TColorChange> changes, TStepFacts facts);

    // Takes the top undo (redo) step back: each item's current colour goes onto the other stack
    // and the entry's colour into the item. Returns the items that changed; none when the stack
    // was empty.
    std::vector<std::size_t> Undo(std::vector<TRGBTriple>& items);
    std::vector<std::size_t> Redo(std::vector<TRGBTriple>& items);

    // A load empties both stacks (undo first, then redo); a save keeps them.
    void Clear();

private:
    static std::vector<std::size_t> Move(TColorStack& from, std::vector<TStep>& fromSteps,
        TColorStack& to, std::vector<TStep>& toSteps, std::vector<TRGBTriple>& items);

    TColorStack FUndoStack;
    TColorStack FRedoStack;
    std::vector<TStep> FUndoSteps;
    std::vector<TStep> FRedoSteps;
};
