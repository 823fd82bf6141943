#include "tools/history/HistorySteps.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <tuple>
#include <utility>
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
        texts.push_back(HistoryStepText(step, Description));
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
    history.RecordGroup(items, group, {TStepKind::TakeFromFile, "night.clr"});
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

// A step's text is made from its facts when it is shown, in the language shown then: a history
// made in one language reads in another after a switch.
TEST(HistoryStepsTest, StepTextsSpeakTheLanguageShown)
{
    const THistoryChange one[] = {{1, Rgb(0x78AABE), Rgb(0x123456)}};
    const THistoryChange three[] = {{0, Rgb(0x78AABE), Rgb(0x123456)},
        {1, Rgb(0x78AABE), Rgb(0x123456)}, {2, Rgb(0x78AABE), Rgb(0x123456)}};
    const auto step
        = [](TStepKind kind, const char* name, std::span<const THistoryChange> changes) {
              return THistoryStep {{kind, name}, {changes.begin(), changes.end()}};
          };
    const struct
    {
        const char* Name;
        THistoryStep Step;
        const char* English;
        const char* French;
    } rows[] = {
        {"an edit", step(TStepKind::Edit, "", one), "item 2: #78AABE \u2192 #123456",
            "\u00E9l\u00E9ment 2 : #78AABE \u2192 #123456"},
        {"a keystroke", step(TStepKind::TypedCode, "", one), "item 2: #78AABE \u2192 #123456",
            "\u00E9l\u00E9ment 2 : #78AABE \u2192 #123456"},
        {"several items without a kind", step(TStepKind::Edit, "", three), "3 items",
            "3 \u00E9l\u00E9ments"},
        {"replace names both colours", step(TStepKind::Replace, "", three),
            "Replace #78AABE with #123456: 3 items",
            "Remplacer #78AABE par #123456 : 3 \u00E9l\u00E9ments"},
        {"adjust, one item", step(TStepKind::Adjust, "", one), "Adjust colors: 1 item",
            "Ajuster les couleurs : 1 \u00E9l\u00E9ment"},
        {"colours of another file, its name in UTF-8",
            step(TStepKind::TakeFromFile, "nuit \u00E9t\u00E9.clr", three),
            "Take colors from nuit \u00E9t\u00E9.clr: 3 items",
            "Couleurs reprises de nuit \u00E9t\u00E9.clr : 3 \u00E9l\u00E9ments"},
        {"a picture whose name looks like a format", step(TStepKind::ImportPicture, "a%2.png", one),
            "Import color from a%2.png: 1 item",
            "Importer la couleur de a%2.png : 1 \u00E9l\u00E9ment"},
        {"the clipboard", step(TStepKind::ImportClipboard, "", three),
            "Import colors from the clipboard: 3 items",
            "Importer les couleurs du presse-papiers : 3 \u00E9l\u00E9ments"},
    };
    // The French file's texts, as a language file sets them.
    const std::pair<TTextKey, const char*> french[] = {
        {HistoryText::Edit, "%1 : %2"},
        {HistoryText::Item, "\xE9l\xE9ment %1"},
        {HistoryText::Items, "%1 \xE9l\xE9ments"},
        {HistoryText::ReplaceOne, "Remplacer %1 par %2 : %3 \xE9l\xE9ment"},
        {HistoryText::Replace, "Remplacer %1 par %2 : %3 \xE9l\xE9ments"},
        {HistoryText::AdjustOne, "Ajuster les couleurs : %1 \xE9l\xE9ment"},
        {HistoryText::Adjust, "Ajuster les couleurs : %1 \xE9l\xE9ments"},
        {HistoryText::TakeFromFileOne, "Couleur reprise de %1 : %2 \xE9l\xE9ment"},
        {HistoryText::TakeFromFile, "Couleurs reprises de %1 : %2 \xE9l\xE9ments"},
        {HistoryText::ImportOne, "Importer la couleur de %1 : %2 \xE9l\xE9ment"},
        {HistoryText::Import, "Importer les couleurs de %1 : %2 \xE9l\xE9ments"},
        {HistoryText::ImportClipboardOne,
            "Importer la couleur du presse-papiers : %1 \xE9l\xE9ment"},
        {HistoryText::ImportClipboard,
            "Importer les couleurs du presse-papiers : %1 \xE9l\xE9ments"},
    };
    const auto nameless = [](std::size_t) { return TAnsiString(); };
    for (const auto& row : rows)
        EXPECT_EQ(HistoryStepText(row.Step, nameless), row.English) << row.Name;
    for (const auto& [key, text] : french)
        SetOwnText(key, text);
    for (const auto& row : rows)
        EXPECT_EQ(HistoryStepText(row.Step, nameless), row.French) << row.Name;
    ResetOwnTexts();
}

// French says 0 and 1 in the singular; counts are written as the language's locale writes them.
TEST(HistoryStepsTest, CountsTakeTheLanguagesFormAndDigits)
{
    const auto nameless = [](std::size_t) { return TAnsiString(); };
    const auto adjusted = [](std::size_t count) {
        return THistoryStep {{TStepKind::Adjust, {}}, std::vector<THistoryChange>(count)};
    };
    SetOwnText(HistoryText::AdjustOne, "%1 \xE9l\xE9ment");
    SetOwnText(HistoryText::Adjust, "%1 \xE9l\xE9ments");
    TNumberFormat german {",", "."};
    EXPECT_EQ(HistoryStepText(adjusted(0), nameless), "0 \u00E9l\u00E9ments");
    EXPECT_EQ(HistoryStepText(adjusted(1234), nameless, german), "1.234 \u00E9l\u00E9ments");
    SetSingularCounts({0, 1});
    EXPECT_EQ(HistoryStepText(adjusted(0), nameless), "0 \u00E9l\u00E9ment");
    EXPECT_EQ(HistoryStepText(adjusted(1), nameless), "1 \u00E9l\u00E9ment");
    EXPECT_EQ(HistoryStepText(adjusted(2), nameless), "2 \u00E9l\u00E9ments");
    ResetOwnTexts();
    EXPECT_EQ(HistoryStepText(adjusted(0), nameless), "Adjust colors: 0 items");
}

// Keystrokes typed for one item show as one row, from the colour before the first to the colour
// after the last; a run ends at another item, at any other step and at the current position.
TEST(HistoryStepsTest, KeystrokesOnOneItemAreOneRow)
{
    std::vector<TRGBTriple> items = {Rgb(0x000000), Rgb(0x111111)};
    TColorHistory history;
    for (const std::uint32_t typed : {0x00000Fu, 0x0000FFu, 0x000FF0u})
        history.RecordChange(items, 0, Rgb(typed), TStepKind::TypedCode);
    history.RecordChange(items, 1, Rgb(0x0000AA), TStepKind::TypedCode);
    history.RecordChange(items, 1, Rgb(0x000AAA), TStepKind::TypedCode);
    history.RecordChange(items, 1, Rgb(0x222222));
    history.RecordChange(items, 1, Rgb(0x000002), TStepKind::TypedCode);
    const auto rows = [&] {
        std::vector<std::tuple<std::size_t, std::size_t, std::string>> seen;
        const std::vector<THistoryStep> steps = HistorySteps(history, items);
        for (const THistoryRow& row : HistoryRows(steps, history.UndoSteps().size()))
            seen.emplace_back(row.FirstStep, row.EndStep, HistoryStepText(row.Step, Description));
        return seen;
    };
    using TRows = std::vector<std::tuple<std::size_t, std::size_t, std::string>>;
    EXPECT_EQ(rows(),
        (TRows {{0, 3, "Park: #000000 \u2192 #000FF0"}, {3, 5, "item 2: #111111 \u2192 #000AAA"},
            {5, 6, "item 2: #000AAA \u2192 #222222"}, {6, 7, "item 2: #222222 \u2192 #000002"}}));
    // Undone into a run: the run splits where the position is, and joins again further back.
    for (int undo = 0; undo < 5; ++undo)
        history.Undo(items);
    EXPECT_EQ(rows(),
        (TRows {{0, 2, "Park: #000000 \u2192 #0000FF"}, {2, 3, "Park: #0000FF \u2192 #000FF0"},
            {3, 5, "item 2: #111111 \u2192 #000AAA"}, {5, 6, "item 2: #000AAA \u2192 #222222"},
            {6, 7, "item 2: #222222 \u2192 #000002"}}));
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
                history.RecordGroup(items, changes, {TStepKind::ImportPicture, "group"});
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
                EXPECT_EQ(seen[k].Facts.Kind, steps[k].Facts.Kind);
                EXPECT_EQ(seen[k].Facts.Name, steps[k].Facts.Name);
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
