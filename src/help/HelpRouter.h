#pragma once

#include "common/AnsiString.h"
#include "help/HelpRequests.h"
#include "help/HelpViewerTexts.h"

#include <QObject>
#include <QPoint>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>

class THelpViewers;

// The program's help handler: takes every help request (HELP_CONTEXT, HELP_TAB, HELP_KEY,
// HELP_CONTEXTPOPUP, ...) and hands it to a help viewer, with the help file's ".chm" twin for
// contents, index and topics and its ".hlp" twin for popups. There is at most one per program;
// creating a second one fails.
class THelpRouter : public QObject
{
    Q_OBJECT

public:
    // With our own viewers (TProgramHelpViewers), whose windows appear on first use.
    explicit THelpRouter(QObject* parent = nullptr);
    THelpRouter(std::unique_ptr<THelpViewers> viewers, QObject* parent = nullptr);
    ~THelpRouter() override;

    // The router of the program, while there is one.
    static THelpRouter* Instance();

    // The help file, normally the program's Help/ folder and the language's help file name;
    // empty until a language has been applied. An open contents window follows a change.
    void SetHelpfile(std::filesystem::path file);
    const std::filesystem::path& Helpfile() const { return FHelpfile; }

    // Sends one request; `keyword` is the text of HELP_KEY and HELP_PARTIALKEY. False for an
    // unknown request and when the viewer showed nothing.
    bool HelpRequest(THelpCommand command, std::uint32_t data, TAnsiView keyword = {});

    // The texts of the help viewers' windows, applied at once to any that is open.
    void SetViewerTexts(const THelpViewerTexts& texts);

    THelpViewers& Viewers() const { return *FViewers; }

private:
    std::unique_ptr<THelpViewers> FViewers;
    std::filesystem::path FHelpfile;
    bool FHtmlHelpUsed = false;
    // Set by HELP_SETPOPUP_POS for the next popup only.
    std::optional<QPoint> FPopupPosition;
};
