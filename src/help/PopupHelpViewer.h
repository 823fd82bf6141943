#pragma once

#include "help/HelpFile.h"
#include "help/HelpViewerTexts.h"

#include <QPoint>
#include <QString>

#include <cstdint>
#include <filesystem>
#include <functional>

// The viewer of context-help popups. It is given the popup file (".hlp") as the routing names
// it; that format is not readable here, so the texts come from the popup-text file (CSHelp.txt)
// inside the compiled help of the same name. Context 0, an unknown context and a missing file
// show nothing; a help file that is no regular file or too large is refused with a message box
// that says why.
class TPopupHelpViewer
{
public:
    // Shows a popup's plain text at a screen point.
    using TSink = std::function<void(const QPoint& at, const QString& text)>;

    // Without a sink the text appears as a "What's this?" bubble.
    explicit TPopupHelpViewer(TSink sink = {});

    bool ShowPopup(const std::filesystem::path& popupFile, std::uint32_t context, const QPoint& at);

    // The texts of the message for a refused file.
    void SetTexts(const THelpViewerTexts& texts) { FTexts = texts; }

private:
    TSink FSink;
    THelpViewerTexts FTexts;
    std::filesystem::path FFileName;
    THelpFile FHelp;
};
