#include "tools/history/HistorySteps.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

constexpr TRGBTriple Rgb(std::uint32_t rrggbb)
{
    return {std::uint8_t(rrggbb), std::uint8_t(rrggbb >> 8), std::uint8_t(rrggbb >> 16)};
}

TAnsiString Description(std::size_t item)
{
    const char* const descriptions[] = {"Park", "", "Caf\xE9"};
    return item < 3 ? descriptions[item] : "";
}

std::vector<std::string> Texts(const TColorHistory& history, const std::vector<TRGBTriple>& items)
{
    std::vector<std::string> texts;
    for (const THistoryStep& step : HistorySteps(history, items))
        texts.push_back(HistoryStepText(step, Description, {}));
    return texts;
}

// A session on three items, and the steps the history shows after each action: the undo steps
// oldest first, then the redo steps, the next to redo first.
TEST(HistoryStepsTest, StepTextsFollowTheStacks)
{
    std::vector<TRGBTriple> items = {Rgb(0xC8E6B4), Rgb(0x000000), Rgb(0x101010)};
    TColorHistory history;
    EXPECT_TRUE(Texts(history, items).empty());

    history.RecordChange(items, 0, Rgb(0xFF0000));
    history.RecordChange(items, 0, Rgb(0x00FF00));
    history.RecordChange(items, 1, Rgb(0x0000FF));
    const TColorChange group[] = {{2, Rgb(0x202020)}, {0, Rgb(0x303030)}};
    history.RecordGroup(items, group, "Take colors from night.clr: 2 items");
    const std::vector<std::string> made = {
        "Park: #C8E6B4 \u2192 #FF0000",
        // The colour after an edit is the one the next edit of the item started from.
        "Park: #FF0000 \u2192 #00FF00",
        "item 2: #000000 \u2192 #0000FF",
        "Take colors from night.clr: 2 items",
    };
    EXPECT_EQ(Texts(history, items), made);

    // Moving through the history shows the same steps, whichever side they are on.
    history.Undo(items);
    history.Undo(items);
    history.Undo(items);
    EXPECT_EQ(Texts(history, items), made);
    const std::vector<THistoryStep> steps = HistorySteps(history, items);
    ASSERT_EQ(steps.size(), 4u);
    EXPECT_EQ(steps[3].Changes.size(), 2u);
    EXPECT_EQ(steps[3].Changes[0].Item, 0u);
    EXPECT_EQ(steps[3].Changes[0].Before, Rgb(0x00FF00));
    EXPECT_EQ(steps[3].Changes[0].After, Rgb(0x303030));
    EXPECT_EQ(steps[3].Changes[1].Before, Rgb(0x101010));

    // A new edit drops the undone steps.
    history.RecordChange(items, 2, Rgb(0xABCDEF));
    EXPECT_EQ(Texts(history, items),
        (std::vector<std::string> {
            "Park: #C8E6B4 \u2192 #FF0000", "Caf\u00E9: #101010 \u2192 #ABCDEF"}));
}

TEST(HistoryStepsTest, StepWithoutLabel)
{
    struct TRow
    {
        const char* Name;
        THistoryStep Step;
        THistoryWords Words;
        std::string Text;
    };
    const TRow rows[] = {
        {"several items, no label", {"", {{0, {}, {}}, {1, {}, {}}, {2, {}, {}}}}, {}, "3 items"},
        {"item number from the language", {"", {{1, Rgb(0x010203), Rgb(0xA0B0C0)}}},
            {"Eintrag %1", "%1 Eintr\xE4ge"}, "Eintrag 2: #010203 \u2192 #A0B0C0"},
        {"words in Windows-1252", {"", {{0, {}, {}}, {1, {}, {}}}},
            {"Eintrag %1", "%1 Eintr\xE4ge"}, "2 Eintr\u00E4ge"},
        {"a label stands as it is", {"Adjust colors: 1 item", {{0, {}, {}}}}, {},
            "Adjust colors: 1 item"},
    };
    for (const TRow& row : rows)
        EXPECT_EQ(HistoryStepText(row.Step, Description, row.Words), row.Text) << row.Name;
}

// The colours the history shows for each step are the colours that Undo and Redo give: moving
// to any position by that many Undos or Redos leaves the items as the steps before it made them.
TEST(HistoryStepsTest, StepsAgreeWithUndoAndRedoOnRandomSessions)
{
    std::mt19937 random(20261209);
    for (int session = 0; session < 200; ++session) {
        std::vector<TRGBTriple> items(5);
        for (TRGBTriple& item : items)
            item = Rgb(random() & 0xFFFFFF);
        const std::vector<TRGBTriple> loaded = items;
        TColorHistory history;
        const int actions = int(random() % 30);
        for (int action = 0; action < actions; ++action) {
            switch (random() % 4) {
            case 0:
                history.Undo(items);
                break;
            case 1:
                history.Redo(items);
                break;
            case 2:
                // Few colours, so an item often gets a colour it had before.
                history.RecordChange(items, std::int32_t(random() % 5), Rgb(random() % 3));
                break;
            default: {
                std::vector<TColorChange> changes;
                for (unsigned n = random() % 4; n > 0; --n)
                    changes.push_back({random() % 6, Rgb(random() % 3)});
                history.RecordGroup(items, changes, "group");
            }
            }
        }
        const std::vector<THistoryStep> steps = HistorySteps(history, items);
        const std::size_t position = history.UndoSteps().size();
        ASSERT_EQ(steps.size(), position + history.RedoSteps().size());

        // The colours at every position, as the steps say: forwards from the loaded colours.
        std::vector<std::vector<TRGBTriple>> states = {loaded};
        for (const THistoryStep& step : steps) {
            std::vector<TRGBTriple> next = states.back();
            for (const THistoryChange& change : step.Changes) {
                ASSERT_EQ(next[change.Item], change.Before) << "session " << session;
                next[change.Item] = change.After;
            }
            states.push_back(next);
        }
        ASSERT_EQ(states[position], items) << "session " << session;

        for (std::size_t target = 0; target <= steps.size(); ++target) {
            TColorHistory moved = history;
            std::vector<TRGBTriple> colors = items;
            for (std::size_t at = position; at > target; --at)
                moved.Undo(colors);
            for (std::size_t at = position; at < target; ++at)
                moved.Redo(colors);
            EXPECT_EQ(colors, states[target]) << "session " << session << ", position " << target;
            // The list of steps stays as it was, wherever one stands in it.
            const std::vector<THistoryStep> seen = HistorySteps(moved, colors);
            ASSERT_EQ(seen.size(), steps.size());
            for (std::size_t k = 0; k < steps.size(); ++k) {
                EXPECT_EQ(seen[k].Label, steps[k].Label);
                ASSERT_EQ(seen[k].Changes.size(), steps[k].Changes.size());
                for (std::size_t c = 0; c < steps[k].Changes.size(); ++c) {
                    EXPECT_EQ(seen[k].Changes[c].Item, steps[k].Changes[c].Item);
                    EXPECT_EQ(seen[k].Changes[c].Before, steps[k].Changes[c].Before);
                    EXPECT_EQ(seen[k].Changes[c].After, steps[k].Changes[c].After);
                }
            }
        }
    }
}

} // namespace
