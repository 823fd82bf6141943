#include "help/HelpContext.h"

std::int32_t FindHelpContext(
    std::span<const THelpContextLevel> levels, const TWhatsThisOptions& options)
{
    for (const THelpContextLevel& level : levels) {
        if (level.IsForm && !options.InheritFormContext)
            continue;
        if (level.HelpContext != 0)
            return level.HelpContext;
        if (level.FocusControlContext != 0)
            return level.FocusControlContext;
        if (options.UseTag && level.Tag != 0)
            return level.Tag;
    }
    return 0;
}

std::vector<THelpCall> PopupRequests(
    std::int32_t context, int x, int y, const TWhatsThisOptions& options, TPopupPlacement placement)
{
    if (context == 0 && !options.NoContextHelp)
        return {};
    if (context < 0) {
        // Negated in unsigned arithmetic, so the lowest context has an absolute value too.
        return {{HELP_CONTEXT, 0u - std::uint32_t(context)}};
    }
    std::vector<THelpCall> calls;
    if (placement == TPopupPlacement::AlwaysPoint || (x != 0 && y != 0))
        calls.push_back({HELP_SETPOPUP_POS, PopupPositionData(x, y)});
    calls.push_back({HELP_CONTEXTPOPUP, std::uint32_t(context)});
    return calls;
}

bool OpensWhatsThisMenu(std::int32_t context, bool targetIsForm, const TWhatsThisOptions& options)
{
    if (context == 0 && !options.NoContextMenu)
        return false;
    return !targetIsForm || options.PopupOnForm;
}
