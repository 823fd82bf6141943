#pragma once

#include "editing/ColorScience.h"
#include "preview/Legibility.h"
#include "tools/WindowPlacement.h"

#include <QObject>

#include <filesystem>
#include <map>
#include <optional>
#include <string>

// Choices of the user's that several tools follow: the ΔE2000 below which touching colours count
// as hard to tell apart (the legibility window, the list entries' read-outs and the find filter
// all judge by it), kept in the settings file's own section; and the colour vision the preview
// is painted for (the simulation paints it, the legibility window judges by it), which is not
// kept: every start shows normal vision; and where each tool window was last, kept per window.
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

    // Where the window of this name stood when it was last closed, in this run or an earlier one.
    std::optional<TPlaceRect> WindowPlace(const std::string& window) const;
    void SetWindowPlace(const std::string& window, const TPlaceRect& place);

    void Read(const std::filesystem::path& settingsFile);
    void Write(const std::filesystem::path& settingsFile) const;

signals:
    void LegibilityThresholdChanged(double threshold);
    void VisionChanged(TVisionDeficiency vision);

private:
    double FLegibilityThreshold = DefaultLegibilityThreshold;
    TVisionDeficiency FVision = TVisionDeficiency::Normal;
    // The settings file read; a window's place is read from it when the window first asks.
    std::filesystem::path FSettingsFile;
    mutable std::map<std::string, std::optional<TPlaceRect>> FWindowPlaces;
};
