#include "tools/ToolPreferences.h"

#include "common/OwnSettings.h"

#include <charconv>
#include <cmath>
#include <string>

namespace {

constexpr const char* ThresholdSetting = "LegibilityThreshold";

std::string ThresholdText(double threshold)
{
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, threshold);
    return std::string(text, result.ptr);
}

} // namespace

void TToolPreferences::SetLegibilityThreshold(double threshold)
{
    if (!std::isfinite(threshold) || threshold < 0 || threshold > MaxLegibilityThreshold
        || threshold == FLegibilityThreshold)
        return;
    FLegibilityThreshold = threshold;
    emit LegibilityThresholdChanged(threshold);
}

void TToolPreferences::SetVision(TVisionDeficiency vision)
{
    if (vision == FVision)
        return;
    FVision = vision;
    emit VisionChanged(vision);
}

void TToolPreferences::Read(const std::filesystem::path& settingsFile)
{
    const std::string text = ReadOwnSetting(settingsFile, ThresholdSetting, "");
    double threshold = DefaultLegibilityThreshold;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), threshold);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size())
        threshold = DefaultLegibilityThreshold;
    SetLegibilityThreshold(threshold);
}

void TToolPreferences::Write(const std::filesystem::path& settingsFile) const
{
    WriteOwnSetting(settingsFile, ThresholdSetting, ThresholdText(FLegibilityThreshold),
        ThresholdText(DefaultLegibilityThreshold));
}
