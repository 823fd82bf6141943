#include "tools/legibility/LegibilityCheck.h"

#include "tools/DocumentSeam.h"
#include "tools/legibility/LegibilityWindow.h"

#include <QAction>

namespace {

const TToolCommand LegibilityCommands[] = {
    {"ActionToolsCheckLegibility", TToolMenu::Tools, 200, "Check &legibility...",
        "List the items that touch on the preview and show which are hard to tell apart", "Ctrl+L",
        "Legibility", "CheckLegibility", "CheckLegibilityHint"},
};

} // namespace

TLegibilityCheck::TLegibilityCheck(const TToolContext& context, QObject* parent)
    : TTool(context, parent)
{
    connect(&Document(), &TDocumentSeam::LanguageApplied, this, [this] {
        if (FWindow)
            FWindow->Retranslate();
    });
}

TLegibilityCheck::~TLegibilityCheck() = default;

std::span<const TToolCommand> TLegibilityCheck::Commands() const
{
    return LegibilityCommands;
}

std::span<const TTextKey> TLegibilityCheck::Texts() const
{
    return TLegibilityWindow::Texts();
}

void TLegibilityCheck::AttachActions(std::span<QAction* const> actions)
{
    connect(actions[0], &QAction::triggered, this, &TLegibilityCheck::Open);
}

void TLegibilityCheck::Open()
{
    if (!FWindow)
        FWindow = std::make_unique<TLegibilityWindow>(
            Document(), Context().Preferences, Context().Preview, Context().Window);
    FWindow->Open();
}
