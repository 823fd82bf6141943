#pragma once

#include "scheme/SchemeFile.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// Last-in, first-out record of colour changes: each entry says that the item at a position had a
// colour. Positions are kept as full 32-bit values, so every position a document can hold comes
// back unchanged; colour bytes are kept exactly as given.
class TColorStack
{
public:
    bool IsEmpty() const { return FEntries.empty(); }
    // Appends an entry on top; returns its 0-based position (the number of entries before).
    std::int32_t Push(std::int32_t index, const TRGBTriple& color);
    // Takes the top entry. On an empty stack the index becomes -1 and the colour is left as the
    // caller had it.
    void Pop(std::int32_t& index, TRGBTriple& color);
    void Clear() { FEntries.clear(); }

    struct TEntry
    {
        std::int32_t Index;
        TRGBTriple Color;
    };
    // The entries from the bottom (0) to the top, for showing what the stack holds.
    std::size_t Size() const { return FEntries.size(); }
    const TEntry& At(std::size_t position) const { return FEntries.at(position); }

private:
    std::vector<TEntry> FEntries;
};
