#include "tools/history/HistorySteps.h"

#include "common/TextRules.h"
#include "common/Windows1252.h"
#include "editing/ColorNotation.h"

#include <algorithm>
#include <initializer_list>
#include <string_view>

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
        THistoryStep made {step.Facts,
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

std::vector<THistoryRow> HistoryRows(std::span<const THistoryStep> steps, std::size_t position)
{
    const auto keystroke = [](const THistoryStep& step) {
        return step.Facts.Kind == TStepKind::TypedCode && step.Changes.size() == 1;
    };
    std::vector<THistoryRow> rows;
    rows.reserve(steps.size());
    for (std::size_t index = 0; index < steps.size(); ++index) {
        const THistoryStep& step = steps[index];
        if (!rows.empty() && index != position && keystroke(step)) {
            THistoryRow& last = rows.back();
            if (keystroke(last.Step)
                && last.Step.Changes.front().Item == step.Changes.front().Item) {
                last.Step.Changes.front().After = step.Changes.front().After;
                last.EndStep = index + 1;
                continue;
            }
        }
        rows.push_back({index, index + 1, step});
    }
    return rows;
}

std::span<const TTextKey> HistoryTexts()
{
    static const TTextKey keys[] = {
        HistoryText::Title,
        HistoryText::Steps,
        HistoryText::Start,
        HistoryText::PositionOne,
        HistoryText::Position,
        HistoryText::Edit,
        HistoryText::Item,
        HistoryText::Items,
        HistoryText::ReplaceOne,
        HistoryText::Replace,
        HistoryText::AdjustOne,
        HistoryText::Adjust,
        HistoryText::TakeFromFileOne,
        HistoryText::TakeFromFile,
        HistoryText::ImportOne,
        HistoryText::Import,
        HistoryText::ImportClipboardOne,
        HistoryText::ImportClipboard,
    };
    return keys;
}

std::string HistoryStepText(const THistoryStep& step,
    const std::function<TAnsiString(std::size_t item)>& description, const TNumberFormat& numbers)
{
    namespace T = HistoryText;
    const std::size_t count = step.Changes.size();
    const std::string items = Utf8FromAnsi(WholeNumberText(count, numbers));
    // The formats and numbers are Windows-1252, a file's name is UTF-8 already.
    const auto fill = [&](const TTextKey& one, const TTextKey& many,
                          std::initializer_list<std::string_view> values) {
        return FillText(Utf8FromAnsi(OwnCountText(one, many, count)), values);
    };
    const std::string& name = step.Facts.Name;
    switch (step.Facts.Kind) {
    case TStepKind::Replace:
        if (count > 0)
            return fill(T::ReplaceOne, T::Replace,
                {HashColorCode(step.Changes.front().Before),
                    HashColorCode(step.Changes.front().After), items});
        break;
    case TStepKind::Adjust:
        return fill(T::AdjustOne, T::Adjust, {items});
    case TStepKind::TakeFromFile:
        return fill(T::TakeFromFileOne, T::TakeFromFile, {name, items});
    case TStepKind::ImportPicture:
        return fill(T::ImportOne, T::Import, {name, items});
    case TStepKind::ImportClipboard:
        return fill(T::ImportClipboardOne, T::ImportClipboard, {items});
    case TStepKind::Edit:
    case TStepKind::TypedCode:
        break;
    }
    if (count != 1)
        return FillText(Utf8FromAnsi(OwnText(T::Items)), {items});
    const THistoryChange& change = step.Changes.front();
    TAnsiString shown = description(change.Item);
    if (shown.empty())
        shown = FillText(OwnText(T::Item), {std::to_string(change.Item + 1)});
    return FillText(Utf8FromAnsi(OwnText(T::Edit)),
        {Utf8FromAnsi(shown),
            HashColorCode(change.Before) + " \u2192 " + HashColorCode(change.After)});
}
