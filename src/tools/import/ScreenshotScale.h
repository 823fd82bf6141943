#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A screenshot of the preview's screen at the preview's size or a whole multiple of it, brought
// to one pixel per cell. Pixels are 3 bytes each in red, green, blue order (QImage's
// Format_RGB888), rows bytesPerLine apart.

// How many screenshot pixels stand for one cell along each side: 1 when the image has the map's
// size, n when it is exactly n times as wide and n times as high; 0 for any other size and for
// an empty map.
int ScreenshotScale(int imageWidth, int imageHeight, int mapWidth, int mapHeight);

// Pixel rows of 3 bytes per pixel, packed without padding.
struct TRgbPixels
{
    int Width = 0;
    int Height = 0;
    std::vector<std::uint8_t> Bytes;

    std::ptrdiff_t BytesPerLine() const { return std::ptrdiff_t(Width) * 3; }
};

// The screenshot brought down to one pixel per cell: each scale x scale block becomes the
// per-channel median of its pixels (the lower middle value when the block has an even count),
// so a block that is one colour keeps it exactly. width and height are multiples of scale.
TRgbPixels ReduceScreenshot(
    const std::uint8_t* pixels, int width, int height, std::ptrdiff_t bytesPerLine, int scale);
