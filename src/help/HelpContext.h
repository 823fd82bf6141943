#pragma once

#include "help/HelpRequests.h"

#include <cstdint>
#include <span>
#include <vector>

// The rules of context help ("What's this?") that need no window: which context a control has,
// and which help requests show its popup.

// The options of the context help that these rules read, set as the main window uses them.
struct TWhatsThisOptions
{
    bool InheritFormContext = true; // a window's own context counts for the controls in it
    bool UseTag = false; // a level without a context offers its tag number instead
    bool NoContextHelp = true; // a control without a context still asks for popup 0
    bool NoContextMenu = false; // the context menu opens for a control without a context, too
    bool PopupOnForm = false; // the context menu opens on a bare window

    bool operator==(const TWhatsThisOptions&) const = default;
};

// One level on the way from a control up to its window.
struct THelpContextLevel
{
    bool IsForm = false; // the window at the top
    std::int32_t HelpContext = 0; // its own
    std::int32_t FocusControlContext = 0; // that of the control it stands for (a label's buddy)
    std::int32_t Tag = 0;
};

// The context of a control: levels[0] is the control, then its parents up to its window. The
// first level with a context gives it: its own, else its focus control's, else (with UseTag)
// its tag; the window counts only with InheritFormContext. 0 when no level has one.
std::int32_t FindHelpContext(
    std::span<const THelpContextLevel> levels, const TWhatsThisOptions& options = {});

// One help request to send.
struct THelpCall
{
    THelpCommand Command = 0;
    std::uint32_t Data = 0;

    bool operator==(const THelpCall&) const = default;
};

// Where a popup is asked for: F1 and a click in context mode place it only at a point whose
// coordinates are both non-zero; the context menu's entry always sends its point.
enum class TPopupPlacement { NonZeroPoint, AlwaysPoint };

// The requests that show the popup of a context at a screen point: a negative context asks for
// the topic of its absolute value instead; 0 asks for popup 0 only with NoContextHelp.
std::vector<THelpCall> PopupRequests(std::int32_t context, int x, int y,
    const TWhatsThisOptions& options = {},
    TPopupPlacement placement = TPopupPlacement::NonZeroPoint);

// Whether a right-click on a control with this context opens the "What's this?" menu.
bool OpensWhatsThisMenu(
    std::int32_t context, bool targetIsForm, const TWhatsThisOptions& options = {});
