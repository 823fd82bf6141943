#include "scheme/SavedScheme.h"

void TSavedScheme::Reset(std::vector<TSchemeItem> items)
{
    FColors.clear();
    FDescriptions.clear();
    FColors.reserve(items.size());
    FDescriptions.reserve(items.size());
    for (TSchemeItem& item : items) {
        FColors.push_back(item.Color);
        FDescriptions.push_back(std::move(item.Description));
    }
    FFlags.assign(FColors.size(), 0);
    FDiffering = 0;
    FColorsDiffering = 0;
}

bool TSavedScheme::CompareColor(std::size_t item, const TRGBTriple& current)
{
    if (item >= FColors.size())
        return false;
    return SetFlag(item, ColorFlag, FColors[item] != current);
}

bool TSavedScheme::CompareDescription(std::size_t item, TAnsiView current)
{
    if (item >= FDescriptions.size())
        return false;
    return SetFlag(item, DescriptionFlag, FDescriptions[item] != current);
}

bool TSavedScheme::SetFlag(std::size_t item, unsigned char flag, bool on)
{
    unsigned char& flags = FFlags[item];
    const bool differed = flags != 0;
    if (flag == ColorFlag && on != ((flags & ColorFlag) != 0))
        FColorsDiffering = on ? FColorsDiffering + 1 : FColorsDiffering - 1;
    flags = on ? (flags | flag) : (flags & ~flag);
    const bool differs = flags != 0;
    if (differs == differed)
        return false;
    if (differs)
        ++FDiffering;
    else
        --FDiffering;
    return true;
}
