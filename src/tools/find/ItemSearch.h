#pragma once

#include "common/AnsiString.h"
#include "editing/ColorScience.h"
#include "tools/find/FindQuery.h"
#include "preview/ItemNeighbours.h"
#include "preview/Legibility.h"
#include "scheme/SavedScheme.h"
#include "scheme/SchemeFile.h"

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <vector>

// Narrowings of the find window, each on or off.
struct TFindFilters
{
    bool Changed = false; // colour or description differs from the saved document
    bool NotOnPreview = false; // no pixel of the preview refers to the item
    bool HardToTellApart = false; // a touching neighbour is closer than the threshold

    bool Any() const { return Changed || NotOnPreview || HardToTellApart; }
};

struct TFindHit
{
    std::size_t Item;
    // The CIEDE2000 difference to the colour of a "near" query; 0 for other queries.
    double DeltaE = 0.0;

    bool operator==(const TFindHit& other) const = default;
};

// The document prepared for finding: each item's folded description (also with its umlauts spelled
// out, as German is written without them) and L*a*b* colour, worked out when the document changes,
// so that a query only compares. Items whose description or
// colour changes are worked out again one by one.
class TItemSearch
{
public:
    // A new document.
    void SetItems(std::span<const TRGBTriple> colors,
        const std::function<TAnsiString(std::size_t item)>& description);
    // Items beyond the document are ignored.
    void SetColor(std::size_t item, const TRGBTriple& color);
    // Many colours at once, as many as the document has.
    void SetColors(std::span<const TRGBTriple> colors);
    void SetDescription(std::size_t item, TAnsiView description);
    // A new preview map: which items it shows and which of them touch.
    void SetNeighbours(TItemNeighbours neighbours);
    void SetThreshold(double threshold);

    std::size_t Count() const { return FColors.size(); }
    const TItemNeighbours& Neighbours() const { return FNeighbours; }

    // What the query finds, narrowed by every filter that is on; with an empty query the filters
    // alone choose, and with neither nothing is found. A "near" query gives the items within
    // NearDeltaE, nearest first; any other gives the item of a typed number first, then the
    // rest in document order. saved tells which items changed since the document was saved.
    std::vector<TFindHit> Find(
        const TFindQuery& query, const TFindFilters& filters, const TSavedScheme& saved) const;

private:
    bool Passes(std::size_t item, const TFindFilters& filters, const TSavedScheme& saved,
        const std::vector<bool>& hard) const;
    std::vector<bool> HardItems() const;

    std::vector<TRGBTriple> FColors;
    std::vector<TLab> FLabs;
    std::vector<std::string> FFolded;
    // With the umlauts spelled out; empty where the description has none.
    std::vector<std::string> FSpelled;
    TItemNeighbours FNeighbours;
    std::vector<TTouchingPair> FPairs;
    double FThreshold = DefaultLegibilityThreshold;
};
