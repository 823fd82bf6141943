#pragma once

#include "scheme/SchemeFile.h"

#include <vector>

using TRGBTripleArray = std::vector<TRGBTriple>;

// Fills every entry of the table, whose length the caller has set to the item count, with the
// reference colours: entry i is the colour item i gets in a reference scheme. The sequence is
// the same for every length, so a shorter table is a prefix of a longer one. Red and green only
// take 48, 96, 144, 192 and 240; blue runs through every multiple of 16.
void MakeReferenceColors(TRGBTripleArray& table);
