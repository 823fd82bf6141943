#pragma once

#include "editing/ColorScience.h"
#include "preview/Legibility.h"

#include <QObject>

#include <filesystem>

// Choices of the user's that several tools follow: the ΔE2000 below which touching colours count
// as hard to tell apart (the legibility window, the list entries' read-outs and the find filter
// all judge by it), kept in the settings file's own section; and the colour vision the preview
// is painted for (the simulation paints it, the legibility window judges by it), which is not
// kept: every start shows normal vision.
class TToolPreferences : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // ΔE2000 of 100 separates nearly any two colours; a higher or negative value is a typing
    // slip, and is not taken.
    static constexpr double MaxLegibilityThreshold = 100.0;
    double LegibilityThreshold() const { return FLegibilityThreshold; }
    void SetLegibilityThreshold(double threshold);

    TVisionDeficiency Vision() const { return FVision; }
    void SetVision(TVisionDeficiency vision);

    void Read(const std::filesystem::path& settingsFile);
    void Write(const std::filesystem::path& settingsFile) const;

signals:
    void LegibilityThresholdChanged(double threshold);
    void VisionChanged(TVisionDeficiency vision);

private:
    double FLegibilityThreshold = DefaultLegibilityThreshold;
    TVisionDeficiency FVision = TVisionDeficiency::Normal;
};
