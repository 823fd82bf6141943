#include "editing/ColorHistory.h"
#include "scheme/SavedScheme.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TRGBTriple Grey(int level)
{
    return {std::uint8_t(level), std::uint8_t(level), std::uint8_t(level)};
}

std::vector<TSchemeItem> Scheme(const std::vector<TRGBTriple>& colors)
{
    std::vector<TSchemeItem> items;
    for (const TRGBTriple& color : colors)
        items.push_back({color, "item"});
    return items;
}

// One step of a session and the state after it. Items start as greys 0, 10, 20, 30.
struct TStep
{
    const char* Action; // "change", "group", "undo", "redo", "save", "load"
    std::vector<int> Arguments; // change: item, grey; group: item, grey, item, grey, ...
    std::vector<int> Greys; // the items' grey levels afterwards
    std::size_t UndoEntries, RedoEntries, UndoSteps;
    std::vector<std::size_t> Changed; // what the step reports as changed
    std::size_t Differing; // items that differ from the saved document
};

TEST(ColorHistoryTest, SingleEditsAndGroupsUndoAndRedoWhole)
{
    const TStep steps[] = {
        {"change", {1, 11}, {0, 11, 20, 30}, 1, 0, 1, {}, 1},
        {"group", {0, 5, 2, 22, 3, 33}, {5, 11, 22, 33}, 4, 0, 2, {0, 2, 3}, 4},
        {"change", {1, 12}, {5, 12, 22, 33}, 5, 0, 3, {}, 4},
        {"undo", {}, {5, 11, 22, 33}, 4, 1, 2, {1}, 4},
        // A group is undone whole: three entries for one step.
        {"undo", {}, {0, 11, 20, 30}, 1, 4, 1, {0, 2, 3}, 1},
        {"redo", {}, {5, 11, 22, 33}, 4, 1, 2, {0, 2, 3}, 4},
        {"undo", {}, {0, 11, 20, 30}, 1, 4, 1, {0, 2, 3}, 1},
        {"undo", {}, {0, 10, 20, 30}, 0, 5, 0, {1}, 0},
        {"undo", {}, {0, 10, 20, 30}, 0, 5, 0, {}, 0}, // nothing left
        {"redo", {}, {0, 11, 20, 30}, 1, 4, 1, {1}, 1},
        // A group of colours the items already have records nothing and keeps the redo stack.
        {"group", {0, 0, 1, 11}, {0, 11, 20, 30}, 1, 4, 1, {}, 1},
        // An item named twice takes its last colour; items beyond the document are left out.
        {"group", {2, 21, 9, 99, 2, 23}, {0, 11, 23, 30}, 2, 0, 2, {2}, 2},
        {"redo", {}, {0, 11, 23, 30}, 2, 0, 2, {}, 2},
        {"change", {4, 44}, {0, 11, 23, 30}, 2, 0, 2, {}, 2},
        // Saving keeps the stacks; undoing back past the save differs from the file again.
        {"save", {}, {0, 11, 23, 30}, 2, 0, 2, {}, 0},
        {"undo", {}, {0, 11, 20, 30}, 1, 1, 1, {2}, 1},
        {"undo", {}, {0, 10, 20, 30}, 0, 2, 0, {1}, 2},
        {"redo", {}, {0, 11, 20, 30}, 1, 1, 1, {1}, 1},
        // Typing the saved colour back leaves the document unmodified, on a longer stack.
        {"change", {2, 23}, {0, 11, 23, 30}, 2, 0, 2, {}, 0},
        {"load", {}, {0, 11, 23, 30}, 0, 0, 0, {}, 0},
    };
    TColorHistory history;
    TSavedScheme saved;
    std::vector<TRGBTriple> items = {Grey(0), Grey(10), Grey(20), Grey(30)};
    saved.Reset(Scheme(items));
    int number = 0;
    for (const TStep& step : steps) {
        SCOPED_TRACE("step " + std::to_string(++number) + ": " + step.Action);
        const std::string action = step.Action;
        const std::vector<int>& arguments = step.Arguments;
        std::vector<std::size_t> changed;
        if (action == "change") {
            history.RecordChange(items, arguments[0], Grey(arguments[1]));
        } else if (action == "group") {
            std::vector<TColorChange> group;
            for (std::size_t i = 0; i + 1 < arguments.size(); i += 2)
                group.push_back({std::size_t(arguments[i]), Grey(arguments[i + 1])});
            changed = history.RecordGroup(items, group, {TStepKind::Replace, {}});
        } else if (action == "undo") {
            changed = history.Undo(items);
        } else if (action == "redo") {
            changed = history.Redo(items);
        } else if (action == "save") {
            saved.Reset(Scheme(items));
        } else {
            history.Clear();
            saved.Reset(Scheme(items));
        }
        for (std::size_t item = 0; item < items.size(); ++item)
            saved.CompareColor(item, items[item]);

        std::vector<int> greys;
        for (const TRGBTriple& item : items)
            greys.push_back(item.rgbtRed);
        EXPECT_EQ(greys, step.Greys);
        EXPECT_EQ(history.UndoStack().Size(), step.UndoEntries);
        EXPECT_EQ(history.RedoStack().Size(), step.RedoEntries);
        EXPECT_EQ(history.UndoSteps().size(), step.UndoSteps);
        EXPECT_EQ(changed, step.Changed);
        EXPECT_EQ(saved.DifferingCount(), step.Differing);
        EXPECT_EQ(saved.Modified(), step.Differing > 0);
        std::size_t stepEntries = 0;
        for (const TColorHistory::TStep& entry : history.UndoSteps())
            stepEntries += entry.Entries;
        EXPECT_EQ(stepEntries, history.UndoStack().Size());
    }
}

TEST(SavedSchemeTest, AnItemDiffersByColourOrDescriptionAndCountsOnce)
{
    TSavedScheme saved;
    saved.Reset({{Grey(1), "Park"}, {Grey(2), "Water"}});
    EXPECT_TRUE(saved.CompareDescription(0, "Garden"));
    EXPECT_EQ(saved.ColorDifferingCount(), 0u); // a new name is no new colour
    EXPECT_FALSE(saved.CompareColor(0, Grey(9))); // already differs: the count stays
    EXPECT_EQ(saved.DifferingCount(), 1u);
    EXPECT_EQ(saved.ColorDifferingCount(), 1u);
    EXPECT_TRUE(saved.ColorDiffers(0) && saved.DescriptionDiffers(0));
    EXPECT_FALSE(saved.CompareDescription(0, "Park"));
    EXPECT_TRUE(saved.CompareColor(0, Grey(1)));
    EXPECT_FALSE(saved.Modified());
    EXPECT_EQ(saved.ColorDifferingCount(), 0u);
    // Positions the saved document lacks change nothing.
    EXPECT_FALSE(saved.CompareColor(7, Grey(9)));
    EXPECT_FALSE(saved.Differs(7));
}

} // namespace
