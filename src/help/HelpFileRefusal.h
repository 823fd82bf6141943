#pragma once

#include "help/ChmArchive.h"
#include "help/HelpViewerTexts.h"

#include <QString>

#include <filesystem>

// What the help viewers say of a help file that cannot be opened: "The help file help-en.chm
// cannot be opened.", followed by the reason when the file was refused for what it is.
QString HelpFileRefusalText(const THelpViewerTexts& texts, const std::filesystem::path& file,
    TChmArchive::TRefusal refusal);

// Says so in a message box over the active window, with the file's path below.
void ReportHelpFileRefusal(const THelpViewerTexts& texts, const std::filesystem::path& file,
    TChmArchive::TRefusal refusal);
