#include "help/VersionText.h"

#include "common/TextRules.h"

std::string VersionText(int major, int minor, int release, int build)
{
    const std::string version = release != 0
        ? FormatText("%s %d.%d.%d", "Version", major, minor, release)
        : FormatText("%s %d.%d", "Version", major, minor);
    return version + " " + FormatText("(build %.4d)", build);
}

std::string WithoutAccelerator(std::string_view caption)
{
    std::string text;
    text.reserve(caption.size());
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size())
            ++i;
        text += caption[i];
    }
    return text;
}
