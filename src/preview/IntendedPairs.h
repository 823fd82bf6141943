#pragma once

#include "preview/ItemNeighbours.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Pairs of touching items the user marked as meant to be close (a one-cell touch, a text halo in
// the colour of its road): the legibility judgement neither counts nor finds them. The marks
// belong to a preview file, not to a scheme, and are kept in the settings file for it.
class TIntendedPairs
{
public:
    using TPair = std::pair<std::uint32_t, std::uint32_t>;

    TIntendedPairs() = default;
    // The pairs in any order and either way round; a pair of an item with itself is left out.
    explicit TIntendedPairs(std::span<const TPair> pairs);

    // Either way round.
    bool Contains(std::size_t first, std::size_t second) const;
    // Marks or unmarks a pair; true when that changed anything.
    bool Set(std::size_t first, std::size_t second, bool intended);

    // Every pair once, the smaller item first, ascending.
    std::span<const TPair> Pairs() const { return FPairs; }
    bool Empty() const { return FPairs.empty(); }

    bool operator==(const TIntendedPairs&) const = default;

private:
    std::vector<TPair> FPairs;
};

// The marks as text, item numbers from 1 as the user reads them: "4-5 11-13"; empty for none.
std::string IntendedPairsText(const TIntendedPairs& pairs);

// Reads that text back. What does not read as two item numbers joined by "-" (blanks between the
// pairs) is skipped, as is a pair of an item with itself.
TIntendedPairs ParseIntendedPairs(std::string_view text);

// The marks whose two items the preview shows; a mark naming an item the map lacks is dropped.
TIntendedPairs IntendedOnPreview(const TIntendedPairs& pairs, const TItemNeighbours& neighbours);

// The settings file keeps the marks per preview file in a section of its own: an entry
// "PreviewN" names the preview (its absolute path, so that the same file reached by another
// name finds its marks), "PairsN" holds the marks, continued in "PairsN.2", "PairsN.3" ... when
// they are longer than one value may be. A preview whose path the file cannot hold (a line break,
// or blanks at its end) keeps no marks.
inline constexpr std::string_view IntendedPairsSection = "IntendedPairs";

// The name the marks of a preview file are kept under.
std::filesystem::path IntendedPairsKey(const std::filesystem::path& previewFile);

// The marks kept for the preview file; none when the file names none.
TIntendedPairs ReadIntendedPairs(
    const std::filesystem::path& settingsFile, const std::filesystem::path& previewFile);

// Keeps the marks for the preview file, writing only what differs from what the file holds (so
// a settings file without marks stays as it was while there are none). Throws TError "Unable to
// write to <file>" on failure.
void WriteIntendedPairs(const std::filesystem::path& settingsFile,
    const std::filesystem::path& previewFile, const TIntendedPairs& pairs);
