#include "tools/legibility/LegibilityCheck.h"

#include "tools/DocumentSeam.h"
#include "tools/legibility/LegibilityWindow.h"

TLegibilityCheck::TLegibilityCheck(const TToolContext& context, QObject* parent)
    : TTool(context, parent)
{
    SetCommands({
        {.Text = {"ActionToolsCheckLegibility", "Check &legibility...",
             "List the items that touch on the preview and show which are hard to tell apart",
             "Ctrl+L", "Legibility", "CheckLegibility", "CheckLegibilityHint"},
            .Run = [this] { Open(); }},
    });
    connect(&Document(), &TDocumentSeam::LanguageApplied, this, [this] {
        if (FWindow)
            FWindow->Retranslate();
    });
}

TLegibilityCheck::~TLegibilityCheck() = default;

std::span<const TTextKey> TLegibilityCheck::Texts() const
{
    return TLegibilityWindow::Texts();
}

void TLegibilityCheck::Open()
{
    if (!FWindow)
        FWindow = std::make_unique<TLegibilityWindow>(
            Document(), Context().Preferences, Context().Preview, Context().Window);
    FWindow->Open();
}
