#include "editing/ColorHistory.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TRGBTriple Grey(std::uint8_t level)
{
    return {level, level, level};
}

// One step of a session and the state after it. Items start as greys 0, 10, 20, 30.
struct TStep
{
    const char* Action; // "change I to G", "undo", "redo", "describe", "save", "load"
    int Item;
    int Grey;
    std::vector<int> Greys; // the items' grey levels afterwards
    bool CanUndo, CanRedo, Modified;
    int Changed; // the item Undo or Redo reports; -1 for none
};

TEST(ColorHistoryTest, ChangesUndoAndRedoMoveOneEntryAndSayWhatChanged)
{
    const TStep steps[] = {
        {"change", 1, 11, {0, 11, 20, 30}, true, false, true, -1},
        {"change", 3, 33, {0, 11, 20, 33}, true, false, true, -1},
        {"change", 1, 12, {0, 12, 20, 33}, true, false, true, -1},
        {"undo", 0, 0, {0, 11, 20, 33}, true, true, true, 1},
        {"undo", 0, 0, {0, 11, 20, 30}, true, true, true, 3},
        {"redo", 0, 0, {0, 11, 20, 33}, true, true, true, 3},
        {"undo", 0, 0, {0, 11, 20, 30}, true, true, true, 3},
        {"undo", 0, 0, {0, 10, 20, 30}, false, true, false, 1},
        {"undo", 0, 0, {0, 10, 20, 30}, false, true, false, -1}, // nothing left
        {"redo", 0, 0, {0, 11, 20, 30}, true, true, true, 1},
        // A new change empties the redo stack.
        {"change", 2, 22, {0, 11, 22, 30}, true, false, true, -1},
        {"redo", 0, 0, {0, 11, 22, 30}, true, false, true, -1},
        // An item the document does not have records nothing.
        {"change", 4, 44, {0, 11, 22, 30}, true, false, true, -1},
        {"change", -1, 44, {0, 11, 22, 30}, true, false, true, -1},
        // Saving keeps the stacks, and undoing past the save counts as unmodified.
        {"save", 0, 0, {0, 11, 22, 30}, true, false, true, -1},
        {"undo", 0, 0, {0, 11, 20, 30}, true, true, true, 2},
        {"undo", 0, 0, {0, 10, 20, 30}, false, true, false, 1},
        // A description change keeps the document modified whatever Undo does, until a save.
        {"describe", 0, 0, {0, 10, 20, 30}, false, true, true, -1},
        {"redo", 0, 0, {0, 11, 20, 30}, true, true, true, 1},
        {"undo", 0, 0, {0, 10, 20, 30}, false, true, true, 1},
        {"save", 0, 0, {0, 10, 20, 30}, false, true, false, -1},
        {"describe", 0, 0, {0, 10, 20, 30}, false, true, true, -1},
        {"load", 0, 0, {0, 10, 20, 30}, false, false, false, -1},
    };
    TColorHistory history;
    std::vector<TRGBTriple> items = {Grey(0), Grey(10), Grey(20), Grey(30)};
    int number = 0;
    for (const TStep& step : steps) {
        SCOPED_TRACE("step " + std::to_string(++number) + ": " + step.Action);
        const std::string action = step.Action;
        std::optional<std::int32_t> changed;
        if (action == "change")
            history.RecordChange(items, step.Item, Grey(std::uint8_t(step.Grey)));
        else if (action == "undo")
            changed = history.Undo(items);
        else if (action == "redo")
            changed = history.Redo(items);
        else if (action == "describe")
            history.RecordDescriptionChange();
        else if (action == "save")
            history.DocumentSaved();
        else
            history.Clear();
        std::vector<int> greys;
        for (const TRGBTriple& item : items)
            greys.push_back(item.rgbtRed);
        EXPECT_EQ(greys, step.Greys);
        EXPECT_EQ(history.CanUndo(), step.CanUndo);
        EXPECT_EQ(history.CanRedo(), step.CanRedo);
        EXPECT_EQ(history.Modified(), step.Modified);
        EXPECT_EQ(changed.value_or(-1), step.Changed);
    }
}

} // namespace
