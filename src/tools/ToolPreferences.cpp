#include "tools/ToolPreferences.h"

#include "common/OwnSettings.h"

#include <charconv>
#include <cmath>
#include <string>

namespace {

constexpr const char* ThresholdSetting = "LegibilityThreshold";

// The key of a window's place: "HistoryWindowPlace".
std::string PlaceSetting(const std::string& window)
{
    return window + "Place";
}

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

std::optional<TPlaceRect> TToolPreferences::WindowPlace(const std::string& window) const
{
    const auto known = FWindowPlaces.find(window);
    if (known != FWindowPlaces.end())
        return known->second;
    std::optional<TPlaceRect> place;
    if (!FSettingsFile.empty())
        place = ParsePlace(ReadOwnSetting(FSettingsFile, PlaceSetting(window), ""));
    FWindowPlaces[window] = place;
    return place;
}

void TToolPreferences::SetWindowPlace(const std::string& window, const TPlaceRect& place)
{
    FWindowPlaces[window] = place;
}

void TToolPreferences::Read(const std::filesystem::path& settingsFile)
{
    FSettingsFile = settingsFile;
    FWindowPlaces.clear();
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
    // Only the windows shown in this run have a place to keep; the others keep theirs.
    for (const auto& [window, place] : FWindowPlaces) {
        if (place)
            WriteOwnSetting(settingsFile, PlaceSetting(window), PlaceText(*place), "");
    }
}
