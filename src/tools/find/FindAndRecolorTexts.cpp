#include "tools/find/FindAndRecolorTexts.h"

#include "i18n/ShownText.h"

#include <array>

namespace {

constexpr const char* Section = "FindAndRecolor";

// In the order of TFindText; the English texts are Windows-1252, as a language file's are.
constexpr TTextKey Keys[] = {
    {Section, "FindTitle", "Find item"},
    {Section, "FindLabel", "F&ind:"},
    {Section, "FindPlaceholder", "Words, an item number, a color code, or near and a code"},
    // The words that ask for the colours near a code, besides the English "near", which works
    // in every language; several are separated by commas.
    {Section, "NearWords", "near"},
    {Section, "FindChanged", "&Changed since saved"},
    {Section, "FindNotOnPreview", "&Not on this preview"},
    {Section, "FindHardToTell", "Har&d to tell apart"},
    {Section, "ColumnColor", "Color"},
    {Section, "ColumnNumber", "No."},
    {Section, "ColumnDescription", "Description"},
    {Section, "FoundNone", "No items found"},
    {Section, "FoundOne", "1 item found"},
    {Section, "FoundMany", "%1 items found"},
    {Section, "FoundPosition", "Found item %1 of %2"},
    {Section, "Select", "&Select"},
    {Section, "Close", "Close"},
    {Section, "ReplaceTitle", "Replace color"},
    {Section, "ReplaceFrom", "&Replace:"},
    {Section, "ReplaceTo", "&With:"},
    {Section, "ReplaceCount", "Items to change: %1"},
    {Section, "ReplaceMatching", "Items of this color: %1"},
    {Section, "NotAColor", "Not a color: type a code such as #FF8800"},
    {Section, "CustomColors", "Custom colors"},
    {Section, "AdjustTitle", "Adjust colors"},
    {Section, "AdjustScopeFound", "Items f&ound (%1)"},
    {Section, "AdjustScopeAll", "A&ll items (%1)"},
    {Section, "AdjustHue", "H&ue shift:"},
    {Section, "AdjustChroma", "&Chroma:"},
    {Section, "AdjustLightness", "Li&ghtness:"},
    {Section, "AdjustHueUnit", "\xB0"},
    {Section, "AdjustChromaUnit", "%"},
    {Section, "AdjustReset", "&Reset"},
    {Section, "AdjustUnchanged", "The adjustment changes no color"},
    {Section, "Ok", "OK"},
    {Section, "Cancel", "Cancel"},
};
static_assert(std::size(Keys) == std::size_t(TFindText::Cancel) + 1);

} // namespace

std::span<const TTextKey> FindTextKeys()
{
    return Keys;
}

QString FindText(TFindText text)
{
    return ::Text(Keys[std::size_t(text)]);
}

QString FindCountText(TFindText one, TFindText many, std::size_t count)
{
    return CountText(Keys[std::size_t(one)], Keys[std::size_t(many)], count);
}
