#pragma once

#include "common/AnsiString.h"
#include "common/NumberText.h"
#include "editing/ColorHistory.h"
#include "i18n/OwnTexts.h"
#include "scheme/SchemeFile.h"

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <vector>

// The texts of the history; formats take %1, %2 in the order their comments give. A step's text
// is made from its facts when it is shown, so every row speaks the language shown.
namespace HistoryText {
inline constexpr TTextKey Title {"History", "Title", "History"};
inline constexpr TTextKey Steps {"History", "Steps", "&Steps you can undo and redo:"};
inline constexpr TTextKey Start {"History", "Start", "Start: nothing changed yet"};
// Rows done, rows in all; the count of rows done chooses the form.
inline constexpr TTextKey PositionOne {"History", "PositionOne", "%1 of %2 steps done"};
inline constexpr TTextKey Position {"History", "Position", "%1 of %2 steps done"};
// The item's name, its colours before and after ("#C8E6B4 → #FF0000").
inline constexpr TTextKey Edit {"History", "Edit", "%1: %2"};
// The item's number, for an item without a description.
inline constexpr TTextKey Item {"History", "Item", "item %1"};
// Item count, of a step of several items of no other kind.
inline constexpr TTextKey Items {"History", "Items", "%1 items"};
// The colour replaced, the new colour, item count.
inline constexpr TTextKey ReplaceOne {"History", "ReplaceOne", "Replace %1 with %2: %3 item"};
inline constexpr TTextKey Replace {"History", "Replace", "Replace %1 with %2: %3 items"};
// Item count.
inline constexpr TTextKey AdjustOne {"History", "AdjustOne", "Adjust colors: %1 item"};
inline constexpr TTextKey Adjust {"History", "Adjust", "Adjust colors: %1 items"};
// The other file's name, item count.
inline constexpr TTextKey TakeFromFileOne {
    "History", "TakeFromFileOne", "Take color from %1: %2 item"};
inline constexpr TTextKey TakeFromFile {"History", "TakeFromFile", "Take colors from %1: %2 items"};
// The picture's name, item count.
inline constexpr TTextKey ImportOne {"History", "ImportOne", "Import color from %1: %2 item"};
inline constexpr TTextKey Import {"History", "Import", "Import colors from %1: %2 items"};
// Item count.
inline constexpr TTextKey ImportClipboardOne {
    "History", "ImportClipboardOne", "Import color from the clipboard: %1 item"};
inline constexpr TTextKey ImportClipboard {
    "History", "ImportClipboard", "Import colors from the clipboard: %1 items"};
} // namespace HistoryText

// Every history text, in the order a language file's keys are read.
std::span<const TTextKey> HistoryTexts();

// One item's part in a step of the history: its colour before and after the step.
struct THistoryChange
{
    std::size_t Item;
    TRGBTriple Before;
    TRGBTriple After;
};

// One step of the history as the user made it.
struct THistoryStep
{
    TStepFacts Facts;
    std::vector<THistoryChange> Changes; // ascending by item
};

// The history as the steps were made: the undo steps oldest first, then the redo steps, the next
// one to redo first. The first UndoSteps().size() of them are done, the rest undone. A stack entry
// keeps only one side of its change (an undo entry the colour before, a redo entry the colour
// after); the other side is worked out by walking the stacks from the current colours.
std::vector<THistoryStep> HistorySteps(
    const TColorHistory& history, std::span<const TRGBTriple> current);

// One row of the history list: a step, or a run of keystrokes typed into the colour-code field
// for one item, which the user made as one colour and sees as one row.
struct THistoryRow
{
    std::size_t FirstStep; // the index of its first step
    std::size_t EndStep; // one past its last step: how many steps are done at this row
    // The step, or the run as one: the item's colour before its first keystroke and after its
    // last.
    THistoryStep Step;
};

// The rows of the steps, in order. A run never reaches across the current position (the
// number of steps done), so the position is always the end of a row.
std::vector<THistoryRow> HistoryRows(std::span<const THistoryStep> steps, std::size_t position);

// What the history shows for a step in the current language (OwnText), in UTF-8: a single edit
// as "Park: #C8E6B4 → #FF0000" (the item's description, or its number without one), a step of
// several items by its kind, its count and the file or colours it names.
std::string HistoryStepText(const THistoryStep& step,
    const std::function<TAnsiString(std::size_t item)>& description,
    const TNumberFormat& numbers = {});
