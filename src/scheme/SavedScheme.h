#pragma once

#include "common/AnsiString.h"
#include "scheme/SchemeFile.h"

#include <cstddef>
#include <span>
#include <vector>

// The document as it was last loaded or saved, and which of its items differ from it now. The
// modified mark, the save question and Save follow from it, so undoing back past a save, or typing
// an item's saved colour again, leaves the document unmodified.
class TSavedScheme
{
public:
    // The document was just loaded or saved with these items: nothing differs.
    void Reset(std::vector<TSchemeItem> items);

    std::size_t Count() const { return FColors.size(); }
    std::span<const TRGBTriple> Colors() const { return FColors; }
    const TRGBTriple& Color(std::size_t item) const { return FColors.at(item); }
    const TAnsiString& Description(std::size_t item) const { return FDescriptions.at(item); }

    // Compares the item's current colour (description) with the saved one. Returns true when
    // that changed whether the item differs. Items the saved document lacks are ignored.
    bool CompareColor(std::size_t item, const TRGBTriple& current);
    bool CompareDescription(std::size_t item, TAnsiView current);

    bool ColorDiffers(std::size_t item) const { return Flag(item, ColorFlag); }
    bool DescriptionDiffers(std::size_t item) const { return Flag(item, DescriptionFlag); }
    bool Differs(std::size_t item) const { return item < FFlags.size() && FFlags[item] != 0; }

    // How many items differ in colour or description; the document is modified when any does.
    std::size_t DifferingCount() const { return FDiffering; }
    bool Modified() const { return FDiffering > 0; }
    // How many items differ in colour.
    std::size_t ColorDifferingCount() const { return FColorsDiffering; }

private:
    static constexpr unsigned char ColorFlag = 1;
    static constexpr unsigned char DescriptionFlag = 2;

    bool Flag(std::size_t item, unsigned char flag) const
    {
        return item < FFlags.size() && (FFlags[item] & flag) != 0;
    }
    bool SetFlag(std::size_t item, unsigned char flag, bool on);

    std::vector<TRGBTriple> FColors;
    std::vector<TAnsiString> FDescriptions;
    std::vector<unsigned char> FFlags;
    std::size_t FDiffering = 0;
    std::size_t FColorsDiffering = 0;
};
