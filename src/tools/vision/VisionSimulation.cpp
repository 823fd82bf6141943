#include "tools/vision/VisionSimulation.h"

#include "i18n/ShownText.h"
#include "tools/DocumentSeam.h"
#include "tools/StatusPanel.h"
#include "tools/ToolPreferences.h"
#include "tools/VisionNames.h"

#include <QAction>

#include <vector>

namespace {

const TToolCommand VisionCommands[] = {
    {"ActionToolsSimulateVision", TToolMenu::Tools, 201, "Simulate color &vision",
        "Show the preview as people with a color-vision deficiency see it", "", "Vision",
        "SimulateVision", "SimulateVisionHint", TToolCommandKind::Submenu},
    {"ActionToolsVisionNormal", TToolMenu::Tools, 201, "&Normal vision",
        "Show the preview in its real colors", "", "Vision", "Normal", "NormalHint",
        TToolCommandKind::Choice, "ActionToolsSimulateVision"},
    {"ActionToolsVisionProtanopia", TToolMenu::Tools, 201, "&Protanopia",
        "Show the preview as seen without red-sensitive cones: reds look dark, and red and green "
        "are confused",
        "", "Vision", "Protanopia", "ProtanopiaHint", TToolCommandKind::Choice,
        "ActionToolsSimulateVision"},
    {"ActionToolsVisionDeuteranopia", TToolMenu::Tools, 201, "&Deuteranopia",
        "Show the preview as seen without green-sensitive cones: red, orange, yellow and green "
        "are confused",
        "", "Vision", "Deuteranopia", "DeuteranopiaHint", TToolCommandKind::Choice,
        "ActionToolsSimulateVision"},
    {"ActionToolsVisionTritanopia", TToolMenu::Tools, 201, "&Tritanopia",
        "Show the preview as seen without blue-sensitive cones: blue and green, and yellow and "
        "pink, are confused",
        "", "Vision", "Tritanopia", "TritanopiaHint", TToolCommandKind::Choice,
        "ActionToolsSimulateVision"},
    {"ActionToolsVisionAchromatopsia", TToolMenu::Tools, 201, "&Achromatopsia",
        "Show the preview as seen without any color vision: only light and dark remain", "",
        "Vision", "Achromatopsia", "AchromatopsiaHint", TToolCommandKind::Choice,
        "ActionToolsSimulateVision"},
};

// The status text, read after the names of the kinds of vision.
const TTextKey StatusText = {"Vision", "Status", "Simulating %1"};

// The first command is the submenu; the choices follow in the order of TVisionDeficiency.
constexpr std::size_t FirstChoice = 1;

} // namespace

TVisionSimulation::TVisionSimulation(const TToolContext& context, QObject* parent)
    : TTool(context, parent)
{
    connect(
        &Context().Preferences, &TToolPreferences::VisionChanged, this, &TVisionSimulation::Apply);
    // Texts the window gives anew on a language switch; the status text is ours to give.
    connect(&Document(), &TDocumentSeam::LanguageApplied, this, &TVisionSimulation::ShowStatus);
    Apply(Context().Preferences.Vision());
}

TVisionSimulation::~TVisionSimulation() = default;

std::span<const TToolCommand> TVisionSimulation::Commands() const
{
    return VisionCommands;
}

std::span<const TTextKey> TVisionSimulation::Texts() const
{
    static const std::vector<TTextKey> texts = [] {
        std::vector<TTextKey> all(VisionNameKeys().begin(), VisionNameKeys().end());
        all.push_back(StatusText);
        return all;
    }();
    return texts;
}

void TVisionSimulation::AttachActions(std::span<QAction* const> actions)
{
    for (std::size_t i = 0; i < FChoices.size(); ++i) {
        QAction* choice = actions[FirstChoice + i];
        FChoices[i] = choice;
        const auto vision = static_cast<TVisionDeficiency>(i);
        connect(choice, &QAction::triggered, this,
            [this, vision] { Context().Preferences.SetVision(vision); });
    }
    FChoices[std::size_t(Context().Preferences.Vision())]->setChecked(true);
}

void TVisionSimulation::Apply(TVisionDeficiency vision)
{
    if (vision == TVisionDeficiency::Normal) {
        Document().ClearPaintTransform(this);
    } else {
        // Item colours are filtered once per paint and fixed colours once per colour met, by
        // the seam's painter; the filter itself is the plain formula.
        TPaintTransform transform;
        transform.Color
            = [vision](const TRGBTriple& color) { return SimulateVision(vision, color); };
        Document().SetPaintTransform(this, std::move(transform));
    }
    if (QAction* choice = FChoices[std::size_t(vision)])
        choice->setChecked(true);
    ShowStatus();
}

void TVisionSimulation::ShowStatus()
{
    const TVisionDeficiency vision = Context().Preferences.Vision();
    Context().Status.SetText(this,
        vision == TVisionDeficiency::Normal ? QString()
                                            : Text(StatusText).arg(VisionNameText(vision)));
}
