#include "tools/history/HistorySteps.h"

#include "common/TextRules.h"
#include "common/Windows1252.h"
#include "editing/ColorNotation.h"

#include <algorithm>

namespace {

// The steps of one stack, bottom first, with each entry's two colours. Walking from the top down
// from the current colours, `state` holds each item's colour as it was just after (undo) or just
// before (redo) the entry met.
std::vector<THistoryStep> StackSteps(const TColorStack& stack,
    std::span<const TColorHistory::TStep> steps, std::vector<TRGBTriple>& state, bool undo)
{
    std::vector<THistoryChange> changes(stack.Size());
    for (std::size_t position = stack.Size(); position-- > 0;) {
        const TColorStack::TEntry& entry = stack.At(position);
        const auto item = std::size_t(entry.Index);
        // Loading empties both stacks, so an entry names an item of the document; one that did
        // not would have no colour to start from but its own.
        const TRGBTriple now = entry.Index >= 0 && item < state.size() ? state[item] : entry.Color;
        changes[position] = undo ? THistoryChange {item, entry.Color, now}
                                 : THistoryChange {item, now, entry.Color};
        if (entry.Index >= 0 && item < state.size())
            state[item] = entry.Color;
    }
    std::vector<THistoryStep> result;
    result.reserve(steps.size());
    std::size_t next = 0;
    for (const TColorHistory::TStep& step : steps) {
        const std::size_t end = std::min(next + step.Entries, changes.size());
        THistoryStep made {step.Label,
            {changes.begin() + std::ptrdiff_t(next), changes.begin() + std::ptrdiff_t(end)}};
        std::sort(made.Changes.begin(), made.Changes.end(),
            [](const THistoryChange& a, const THistoryChange& b) { return a.Item < b.Item; });
        result.push_back(std::move(made));
        next = end;
    }
    return result;
}

} // namespace

std::vector<THistoryStep> HistorySteps(
    const TColorHistory& history, std::span<const TRGBTriple> current)
{
    std::vector<TRGBTriple> state(current.begin(), current.end());
    std::vector<THistoryStep> steps
        = StackSteps(history.UndoStack(), history.UndoSteps(), state, true);
    state.assign(current.begin(), current.end());
    std::vector<THistoryStep> redo
        = StackSteps(history.RedoStack(), history.RedoSteps(), state, false);
    // The top of the redo stack is the step that comes next.
    steps.insert(
        steps.end(), std::make_move_iterator(redo.rbegin()), std::make_move_iterator(redo.rend()));
    return steps;
}

std::string HistoryStepText(const THistoryStep& step,
    const std::function<TAnsiString(std::size_t item)>& description, const THistoryWords& words)
{
    if (!step.Label.empty())
        return step.Label;
    if (step.Changes.size() != 1)
        return Utf8FromAnsi(FillText(words.Items, {std::to_string(step.Changes.size())}));
    const THistoryChange& change = step.Changes.front();
    TAnsiString name = description(change.Item);
    if (name.empty())
        name = FillText(words.Item, {std::to_string(change.Item + 1)});
    return Utf8FromAnsi(name) + ": " + HashColorCode(change.Before) + " \u2192 "
        + HashColorCode(change.After);
}
