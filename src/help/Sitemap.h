#pragma once

#include "common/AnsiString.h"

#include <cstddef>
#include <string_view>
#include <vector>

// One entry of a contents (.hhc) or index (.hhk) sitemap: its shown name, the page it opens
// (empty for a heading without a page) and how deep it lies in the nested lists (0 at the top).
struct TSitemapItem
{
    TAnsiString Name;
    TAnsiString Local;
    int Depth = 0;

    bool operator==(const TSitemapItem&) const = default;
};

// Lists deeper than this are shown at this depth, so a hostile file cannot nest without end.
constexpr int MaxSitemapDepth = 32;

// Reads the items of a sitemap in document order: every <OBJECT type="text/sitemap"> with its
// first <param name="Name" value=".."> and first <param name="Local" value="..">, at the depth
// of the <UL> lists around it. Tags and attribute names ignore case; attribute values may be
// quoted either way or not at all and have their character references decoded to Windows-1252
// ("&amp;", "&auml;", "&#228;", "&#x20AC;"; a character the code page lacks becomes "?"). A
// missing </OBJECT>, </LI> or </UL> is tolerated, and comments are skipped. Objects of any other
// type ("text/site properties") and items with neither name nor page are left out.
std::vector<TSitemapItem> ParseSitemap(std::string_view html);

// The text with its HTML character references decoded to Windows-1252; an unknown or broken
// reference stays as written.
TAnsiString DecodeCharacterReferences(std::string_view text);
