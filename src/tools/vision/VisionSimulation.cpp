#include "tools/vision/VisionSimulation.h"

#include "i18n/ShownText.h"
#include "tools/DocumentSeam.h"
#include "tools/StatusPanel.h"
#include "tools/ToolPreferences.h"
#include "tools/VisionNames.h"

#include <vector>

namespace {

// The status text, read after the names of the kinds of vision.
const TTextKey StatusText = {"Vision", "Status", "Simulating %1"};

} // namespace

TVisionSimulation::TVisionSimulation(const TToolContext& context, QObject* parent)
    : TTool(context, parent)
{
    // The submenu, then one choice per kind of vision in the order of TVisionDeficiency.
    struct TChoice
    {
        const char* Name;
        const char* Caption;
        const char* Hint;
        const char* Key;
        const char* HintKey;
    };
    static constexpr TChoice Choices[] = {
        {"ActionToolsVisionNormal", "&Normal vision", "Show the preview in its real colors",
            "Normal", "NormalHint"},
        {"ActionToolsVisionProtanopia", "&Protanopia",
            "Show the preview as seen without red-sensitive cones: reds look dark, and red and "
            "green are confused",
            "Protanopia", "ProtanopiaHint"},
        {"ActionToolsVisionDeuteranopia", "&Deuteranopia",
            "Show the preview as seen without green-sensitive cones: red, orange, yellow and "
            "green are confused",
            "Deuteranopia", "DeuteranopiaHint"},
        {"ActionToolsVisionTritanopia", "&Tritanopia",
            "Show the preview as seen without blue-sensitive cones: blue and green, and yellow "
            "and pink, are confused",
            "Tritanopia", "TritanopiaHint"},
        {"ActionToolsVisionAchromatopsia", "&Achromatopsia",
            "Show the preview as seen without any color vision: only light and dark remain",
            "Achromatopsia", "AchromatopsiaHint"},
    };
    static constexpr const char* Submenu = "ActionToolsSimulateVision";
    std::vector<TToolCommand> commands {
        {.Text = {Submenu, "Simulate color &vision",
             "Show the preview as people with a color-vision deficiency see it", "", "Vision",
             "SimulateVision", "SimulateVisionHint", TToolCommandKind::Submenu}},
    };
    for (std::size_t i = 0; i < std::size(Choices); ++i) {
        const auto vision = static_cast<TVisionDeficiency>(i);
        const TChoice& choice = Choices[i];
        commands.push_back({.Text = {choice.Name, choice.Caption, choice.Hint, "", "Vision",
                                choice.Key, choice.HintKey, TToolCommandKind::Choice, Submenu},
            .Run = [this, vision] { Context().Preferences.SetVision(vision); },
            .Checked = [this, vision] { return Context().Preferences.Vision() == vision; }});
    }
    SetCommands(std::move(commands));
    connect(
        &Context().Preferences, &TToolPreferences::VisionChanged, this, &TVisionSimulation::Apply);
    // Texts the window gives anew on a language switch; the status text is ours to give.
    connect(&Document(), &TDocumentSeam::LanguageApplied, this, &TVisionSimulation::ShowStatus);
    Apply(Context().Preferences.Vision());
}

TVisionSimulation::~TVisionSimulation() = default;

std::span<const TTextKey> TVisionSimulation::Texts() const
{
    static const std::vector<TTextKey> texts = [] {
        std::vector<TTextKey> all(VisionNameKeys().begin(), VisionNameKeys().end());
        all.push_back(StatusText);
        return all;
    }();
    return texts;
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
    ShowStatus();
}

void TVisionSimulation::ShowStatus()
{
    const TVisionDeficiency vision = Context().Preferences.Vision();
    Context().Status.SetText(this,
        vision == TVisionDeficiency::Normal ? QString()
                                            : Text(StatusText).arg(VisionNameText(vision)));
}
