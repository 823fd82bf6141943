#pragma once

#include "editing/ColorHistory.h"
#include "scheme/SchemeFile.h"

#include <cstddef>
#include <span>
#include <vector>

// Recolouring many items at once: one colour replaced everywhere, or a group of colours shifted
// together in OKLCh. Each gives the set of changes that the document records as one step.

// The changes that give every item of exactly the colour `from` the colour `to`, ascending;
// none when the two are the same.
std::vector<TColorChange> ReplaceChanges(
    std::span<const TRGBTriple> colors, const TRGBTriple& from, const TRGBTriple& to);

// Colours with less OKLCh chroma than this (about one just noticeable difference from neutral)
// count as greys. Their hue is noise: a hue shift or a change of chroma leaves them exactly as
// they are, and a lightness shift makes them the neutral grey of the new lightness, so that a
// grey stays a grey whatever the shift.
constexpr double GreyChroma = 0.02;

// A shift of colours in OKLCh, as the user sets it.
struct TColorAdjustment
{
    double HueShift = 0.0; // degrees, added to the hue
    double Chroma = 100.0; // percent of each colour's own chroma
    double Lightness = 0.0; // added to OKLCh lightness, in percent (L from 0 to 100)

    // True when it changes no colour at all.
    bool IsIdentity() const;
    bool operator==(const TColorAdjustment& other) const = default;
};

// The colour shifted. A colour that leaves sRGB is brought back by lowering its chroma at the
// same lightness and hue (the CSS Color 4 gamut mapping), never by clipping its channels; the
// identity gives every colour back unchanged, byte for byte.
TRGBTriple AdjustColor(const TRGBTriple& color, const TColorAdjustment& adjustment);

// The changes that shift the chosen items' colours, ascending, leaving out items beyond the
// colours and those the shift does not change. Every other item is left alone.
std::vector<TColorChange> AdjustChanges(std::span<const TRGBTriple> colors,
    std::span<const std::size_t> items, const TColorAdjustment& adjustment);
