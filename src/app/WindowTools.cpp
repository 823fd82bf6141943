#include "app/WindowTools.h"

#include "tools/clipboard/ColorClipboard.h"
#include "tools/find/FindAndRecolor.h"
#include "tools/import/ColorImport.h"
#include "tools/legibility/LegibilityCheck.h"
#include "tools/changed/ChangedItems.h"
#include "tools/compare/CompareTool.h"
#include "tools/history/HistoryTool.h"
#include "tools/palette/PaletteExport.h"
#include "tools/readout/PreviewReadout.h"
#include "tools/DocumentSeam.h"
#include "tools/ToolPreferences.h"
#include "tools/vision/VisionSimulation.h"

#include <QWidget>

namespace {

using TToolFactory = std::unique_ptr<TTool> (*)(const TToolContext&);

template <class T> std::unique_ptr<TTool> MakeTool(const TToolContext& context)
{
    return std::make_unique<T>(context);
}

// The tools, in the order their language keys are read (the menu layout places their commands).
constexpr TToolFactory ToolList[] = {
    MakeTool<TPreviewReadout>,
    MakeTool<TFindAndRecolor>,
    MakeTool<TColorClipboard>,
    MakeTool<TColorImport>,
    MakeTool<TLegibilityCheck>,
    MakeTool<TVisionSimulation>,
    MakeTool<TChangedItems>,
    MakeTool<TCompareTool>,
    MakeTool<THistoryTool>,
    MakeTool<TPaletteExport>,
};

} // namespace

TWindowTools::TWindowTools(const TToolContext& context, QWidget& window)
    : QObject(&window)
    , FPreferences(context.Preferences)
    , FActions(window, context.Guard, this)
{
    for (const TToolFactory make : ToolList) {
        std::unique_ptr<TTool> tool = make(context);
        // A child of the window's, so checks from outside find it as they find controls.
        tool->setParent(this);
        FActions.Add(*tool);
        FTools.push_back(std::move(tool));
    }

    // Enabling and marks follow the document at once, not only when the window next goes idle.
    TDocumentSeam& document = context.Document;
    for (const auto signal : {&TDocumentSeam::DocumentLoaded, &TDocumentSeam::DocumentSaved,
             &TDocumentSeam::HistoryChanged, &TDocumentSeam::PreviewLoaded})
        connect(&document, signal, this, &TWindowTools::UpdateActions);
    connect(&document, &TDocumentSeam::SelectionChanged, this, &TWindowTools::UpdateActions);
    connect(&document, &TDocumentSeam::ColorsChanged, this, &TWindowTools::UpdateActions);
    connect(&FPreferences, &TToolPreferences::VisionChanged, this, &TWindowTools::UpdateActions);
}

TWindowTools::~TWindowTools() = default;

std::vector<TLanguageKey> TWindowTools::CommandKeys() const
{
    std::vector<TLanguageKey> keys;
    for (const auto& tool : FTools) {
        for (const TToolCommand& command : tool->Commands()) {
            keys.push_back({command.Text.Section, command.Text.CaptionKey,
                TLanguageTarget::CommandCaption, 0, command.Text.Name});
            keys.push_back({command.Text.Section, command.Text.HintKey,
                TLanguageTarget::CommandHint, 0, command.Text.Name});
        }
    }
    return keys;
}

std::vector<TTextKey> TWindowTools::TextKeys() const
{
    std::vector<TTextKey> keys;
    for (const auto& tool : FTools) {
        const std::span<const TTextKey> texts = tool->Texts();
        keys.insert(keys.end(), texts.begin(), texts.end());
    }
    return keys;
}

void TWindowTools::UpdateActions()
{
    FActions.Update();
}

void TWindowTools::ReadSettings(const std::filesystem::path& settingsFile)
{
    FPreferences.Read(settingsFile);
    for (const auto& tool : FTools)
        tool->ReadSettings(settingsFile);
}

void TWindowTools::WriteSettings(const std::filesystem::path& settingsFile) const
{
    FPreferences.Write(settingsFile);
    for (const auto& tool : FTools)
        tool->WriteSettings(settingsFile);
}
