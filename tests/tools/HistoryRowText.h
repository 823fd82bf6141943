#pragma once

// What the history shows for a document's last step done, as the history window writes it.

#include "tools/DocumentSeam.h"
#include "tools/history/HistorySteps.h"

#include <string>
#include <vector>

inline std::string LastStepText(const TDocumentSeam& document)
{
    const std::size_t done = document.History().UndoSteps().size();
    if (done == 0)
        return {};
    const std::vector<THistoryStep> steps = HistorySteps(document.History(), document.Colors());
    return HistoryStepText(
        steps[done - 1], [&document](std::size_t item) { return document.Description(item); });
}
