#pragma once

#include "editing/ColorScience.h"
#include "tools/Tool.h"

// Paints the preview as people with a colour-vision deficiency see it: protanopia,
// deuteranopia and tritanopia (one kind of cone missing) and achromatopsia (no colour at all).
// Only the preview's painting changes, through a colour filter on the seam: the document, the
// list, the colour controls, the file and the history keep the real colours. The choice is the
// shared preference that the legibility window also judges by; every start shows normal vision.
// While a simulation is on, status-bar panel 1 names it.
class TVisionSimulation : public TTool
{
    Q_OBJECT

public:
    explicit TVisionSimulation(const TToolContext& context, QObject* parent = nullptr);
    ~TVisionSimulation() override;

    std::span<const TTextKey> Texts() const override;

private:
    // The preference changed (from a menu entry or elsewhere): the filter and the status text
    // follow it.
    void Apply(TVisionDeficiency vision);
    void ShowStatus();
};
