#include "tools/import/ScreenshotScale.h"

#include <algorithm>

int ScreenshotScale(int imageWidth, int imageHeight, int mapWidth, int mapHeight)
{
    if (mapWidth <= 0 || mapHeight <= 0 || imageWidth <= 0 || imageHeight <= 0)
        return 0;
    if (imageWidth % mapWidth != 0 || imageHeight % mapHeight != 0)
        return 0;
    const int scale = imageWidth / mapWidth;
    return imageHeight / mapHeight == scale ? scale : 0;
}

TRgbPixels ReduceScreenshot(
    const std::uint8_t* pixels, int width, int height, std::ptrdiff_t bytesPerLine, int scale)
{
    TRgbPixels reduced;
    if (scale <= 0)
        return reduced;
    reduced.Width = width / scale;
    reduced.Height = height / scale;
    reduced.Bytes.resize(std::size_t(reduced.Width) * std::size_t(reduced.Height) * 3);
    std::uint8_t* out = reduced.Bytes.data();
    if (scale == 2) {
        // The common case of a screen of twice the resolution. The lower middle of four values
        // (the second smallest) is the least of each pair's larger value and the larger of the
        // pairs' smaller values.
        for (int by = 0; by < reduced.Height; ++by) {
            const std::uint8_t* top = pixels + std::ptrdiff_t(by) * 2 * bytesPerLine;
            const std::uint8_t* bottom = top + bytesPerLine;
            for (int i = 0; i < reduced.Width * 3; ++i) {
                const int channel = i % 3;
                const int x = i - channel;
                const int a = top[2 * x + channel];
                const int b = top[2 * x + 3 + channel];
                const int c = bottom[2 * x + channel];
                const int d = bottom[2 * x + 3 + channel];
                *out++ = std::uint8_t(std::min(
                    {std::max(a, b), std::max(c, d), std::max(std::min(a, b), std::min(c, d))}));
            }
        }
        return reduced;
    }
    const std::size_t blockSize = std::size_t(scale) * std::size_t(scale);
    std::vector<std::uint8_t> values(blockSize);
    for (int by = 0; by < reduced.Height; ++by) {
        const std::uint8_t* top = pixels + std::ptrdiff_t(by) * scale * bytesPerLine;
        for (int bx = 0; bx < reduced.Width; ++bx) {
            for (int channel = 0; channel < 3; ++channel) {
                std::size_t n = 0;
                for (int dy = 0; dy < scale; ++dy) {
                    const std::uint8_t* pixel
                        = top + dy * bytesPerLine + std::ptrdiff_t(bx) * scale * 3 + channel;
                    for (int dx = 0; dx < scale; ++dx, pixel += 3)
                        values[n++] = *pixel;
                }
                const auto middle = values.begin() + std::ptrdiff_t((blockSize - 1) / 2);
                std::nth_element(values.begin(), middle, values.end());
                *out++ = *middle;
            }
        }
    }
    return reduced;
}
