#include "editing/ColorHistory.h"

#include <algorithm>
#include <map>

void TColorHistory::RecordChange(
    std::vector<TRGBTriple>& items, std::int32_t index, TRGBTriple newColor, TStepKind kind)
{
    if (index < 0 || std::size_t(index) >= items.size())
        return;
    TRGBTriple& item = items[std::size_t(index)];
    FUndoStack.Push(index, item);
    FUndoSteps.push_back({1, {kind, {}}});
    item = newColor;
    FRedoStack.Clear();
    FRedoSteps.clear();
}

std::vector<std::size_t> TColorHistory::RecordGroup(
    std::vector<TRGBTriple>& items, std::span<const TColorChange> changes, TStepFacts facts)
{
    // The last colour named for an item counts; the map also orders the items.
    std::map<std::size_t, TRGBTriple> wanted;
    for (const TColorChange& change : changes) {
        if (change.Item < items.size())
            wanted[change.Item] = change.Color;
    }
    std::vector<std::size_t> changed;
    for (const auto& [item, color] : wanted) {
        if (items[item] == color)
            continue;
        // Stack entries hold 32-bit positions, which every document the reader makes fits.
        FUndoStack.Push(std::int32_t(item), items[item]);
        items[item] = color;
        changed.push_back(item);
    }
    if (changed.empty())
        return changed;
    FUndoSteps.push_back({changed.size(), std::move(facts)});
    FRedoStack.Clear();
    FRedoSteps.clear();
    return changed;
}

std::vector<std::size_t> TColorHistory::Undo(std::vector<TRGBTriple>& items)
{
    return Move(FUndoStack, FUndoSteps, FRedoStack, FRedoSteps, items);
}

std::vector<std::size_t> TColorHistory::Redo(std::vector<TRGBTriple>& items)
{
    return Move(FRedoStack, FRedoSteps, FUndoStack, FUndoSteps, items);
}

void TColorHistory::Clear()
{
    FUndoStack.Clear();
    FRedoStack.Clear();
    FUndoSteps.clear();
    FRedoSteps.clear();
}

std::vector<std::size_t> TColorHistory::Move(TColorStack& from, std::vector<TStep>& fromSteps,
    TColorStack& to, std::vector<TStep>& toSteps, std::vector<TRGBTriple>& items)
{
    std::vector<std::size_t> changed;
    if (fromSteps.empty())
        return changed;
    TStep step = std::move(fromSteps.back());
    fromSteps.pop_back();
    for (std::size_t n = 0; n < step.Entries; ++n) {
        std::int32_t index;
        TRGBTriple color {};
        from.Pop(index, color);
        // Loading empties both stacks, so an entry always names an item of the document.
        if (index < 0 || std::size_t(index) >= items.size())
            continue;
        to.Push(index, items[std::size_t(index)]);
        items[std::size_t(index)] = color;
        changed.push_back(std::size_t(index));
    }
    if (!changed.empty())
        toSteps.push_back({changed.size(), std::move(step.Facts)});
    std::sort(changed.begin(), changed.end());
    return changed;
}
