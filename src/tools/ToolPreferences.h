#pragma once

#include "preview/Legibility.h"

#include <QObject>

#include <filesystem>

// Choices of the user's that several tools follow, kept in the settings file's own section: the
// ΔE2000 below which touching colours count as hard to tell apart (the legibility window, the
// list entries' read-outs and the find filter all judge by it).
class TToolPreferences : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    double LegibilityThreshold() const { return FLegibilityThreshold; }
    void SetLegibilityThreshold(double threshold);

    void Read(const std::filesystem::path& settingsFile);
    void Write(const std::filesystem::path& settingsFile) const;

signals:
    void LegibilityThresholdChanged(double threshold);

private:
    double FLegibilityThreshold = DefaultLegibilityThreshold;
};
