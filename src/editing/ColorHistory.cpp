#include "editing/ColorHistory.h"

void TColorHistory::RecordChange(
    std::vector<TRGBTriple>& items, std::int32_t index, TRGBTriple newColor)
{
    if (index < 0 || std::size_t(index) >= items.size())
        return;
    TRGBTriple& item = items[std::size_t(index)];
    FUndoStack.Push(index, item);
    item = newColor;
    FRedoStack.Clear();
}

std::optional<std::int32_t> TColorHistory::Undo(std::vector<TRGBTriple>& items)
{
    return Move(FUndoStack, FRedoStack, items);
}

std::optional<std::int32_t> TColorHistory::Redo(std::vector<TRGBTriple>& items)
{
    return Move(FRedoStack, FUndoStack, items);
}

void TColorHistory::Clear()
{
    FUndoStack.Clear();
    FRedoStack.Clear();
    FDescriptionsChanged = false;
}

std::optional<std::int32_t> TColorHistory::Move(
    TColorStack& from, TColorStack& to, std::vector<TRGBTriple>& items)
{
    std::int32_t index;
    TRGBTriple color {};
    from.Pop(index, color);
    // Loading empties both stacks, so an entry always names an item of the document.
    if (index < 0 || std::size_t(index) >= items.size())
        return std::nullopt;
    to.Push(index, items[std::size_t(index)]);
    items[std::size_t(index)] = color;
    return index;
}
