#pragma once

#include <string_view>

// True when the bytes hold a complete Windows bitmap file ("BM") of a kind the image loader
// decodes without guessing: a known header size, one plane, 1, 4, 8, 16, 24 or 32 bits per
// pixel, no compression (or bit fields at 16 and 32 bits), a positive width, a non-zero height,
// and every pixel row inside the file. A truncated file, or one whose pixel data would start past
// its end, is not complete: the loader would report success with pixels it never read.
// Run-length compressed bitmaps are refused too, since their pixels can be left unwritten.
bool BitmapFileLooksComplete(std::string_view bytes);
