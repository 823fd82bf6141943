#include "tools/VisionNames.h"

#include "i18n/ShownText.h"

namespace {

const TTextKey Names[] = {
    {"Vision", "NameNormal", "normal vision"},
    {"Vision", "NameProtanopia", "protanopia"},
    {"Vision", "NameDeuteranopia", "deuteranopia"},
    {"Vision", "NameTritanopia", "tritanopia"},
    {"Vision", "NameAchromatopsia", "achromatopsia"},
};

} // namespace

std::span<const TTextKey> VisionNameKeys()
{
    return Names;
}

QString VisionNameText(TVisionDeficiency vision)
{
    return Text(Names[std::size_t(vision)]);
}
