// Writes the fixture of the colour import's JPEG test: a night variant of a scheme (each colour's
// OKLCh lightness turned over, hue and chroma kept, mapped into sRGB) as a colour file, and a
// screenshot of a preview painted in it, saved by Qt's JPEG writer at quality 90 (libjpeg's
// default sampling: 4:2:0). A cell names item (cell - 0xE0000000), as on the navigator's screen.
//
// Usage: tintwright_make_import_fixture <preview.cpf> <scheme.clr> <night.clr> <screenshot.jpg>

#include "editing/ColorScience.h"
#include "preview/PreviewFile.h"
#include "preview/PreviewMap.h"
#include "scheme/SchemeFile.h"

#include <QImage>
#include <QImageWriter>

#include <cstdio>
#include <exception>
#include <vector>

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::fprintf(
            stderr, "usage: %s <preview.cpf> <scheme.clr> <night.clr> <screenshot.jpg>\n", argv[0]);
        return 2;
    }
    try {
        const TPreviewMap map = ReadPreviewFile(argv[1]);
        std::vector<TSchemeItem> items = ReadSchemeFile(argv[2]);
        for (TSchemeItem& item : items) {
            TOklch color = ToOklch(item.Color);
            color.L = 1.0 - 0.85 * color.L;
            item.Color = FromOklchMapped(color);
        }
        WriteSchemeFile(argv[3], items);

        QImage shot(map.Width(), map.Height(), QImage::Format_RGB888);
        for (int y = 0; y < map.Height(); ++y) {
            for (int x = 0; x < map.Width(); ++x) {
                const std::uint32_t cell = map.Cell(x, y);
                TRGBTriple color {
                    std::uint8_t(cell >> 16), std::uint8_t(cell >> 8), std::uint8_t(cell)};
                if (IsItemReference(cell) && cell - ItemReferenceBase < items.size())
                    color = items[cell - ItemReferenceBase].Color;
                shot.setPixel(x, y, qRgb(color.rgbtRed, color.rgbtGreen, color.rgbtBlue));
            }
        }
        QImageWriter writer(QString::fromLocal8Bit(argv[4]), "jpeg");
        writer.setQuality(90);
        if (!writer.write(shot)) {
            std::fprintf(stderr, "%s: %s\n", argv[4], qPrintable(writer.errorString()));
            return 1;
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
