#pragma once

#include "scheme/SchemeFile.h"

#include <filesystem>
#include <vector>

// The shipped colour scheme (data/schemes/default.clr), read once.
inline const std::vector<TSchemeItem>& ShippedScheme()
{
    static const std::vector<TSchemeItem> items
        = ReadSchemeFile(std::filesystem::path(TINTWRIGHT_SOURCE_DIR) / "data/schemes/default.clr");
    return items;
}

inline std::vector<TRGBTriple> ShippedSchemeColors()
{
    std::vector<TRGBTriple> colors;
    for (const TSchemeItem& item : ShippedScheme())
        colors.push_back(item.Color);
    return colors;
}
