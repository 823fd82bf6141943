#pragma once

#include "common/AnsiString.h"
#include "editing/ColorHistory.h"
#include "scheme/SchemeFile.h"

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <vector>

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
    std::string Label; // UTF-8, as the step was recorded; empty for a single edit
    std::vector<THistoryChange> Changes; // ascending by item
};

// The history as the steps were made: the undo steps oldest first, then the redo steps, the next
// one to redo first. The first UndoSteps().size() of them are done, the rest undone. A stack entry
// keeps only one side of its change (an undo entry the colour before, a redo entry the colour
// after); the other side is worked out by walking the stacks from the current colours.
std::vector<THistoryStep> HistorySteps(
    const TColorHistory& history, std::span<const TRGBTriple> current);

// The words of the step texts, which a language file may replace; formats fill %1.
struct THistoryWords
{
    TAnsiString Item = "item %1"; // an item without a description, numbered from 1
    TAnsiString Items = "%1 items"; // a step of several items that has no label
};

// What the history shows for a step, in UTF-8: a single edit as "Park: #C8E6B4 → #FF0000" (the
// item's description, or its number without one), a step with a label as its label.
std::string HistoryStepText(const THistoryStep& step,
    const std::function<TAnsiString(std::size_t item)>& description, const THistoryWords& words);
