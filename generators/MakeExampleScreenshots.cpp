// Writes the screenshots the README's command-line examples run on, as a navigator would show the
// shipped preview's screen: in the reference scheme of a scheme's items (for --convert), and in
// a night variant of the scheme (each colour's OKLCh lightness turned over, hue and chroma kept;
// for --import-colors). Both are PNG files, which keep every colour exactly.
//
// Usage: tintwright_make_example_screenshots <preview.cpf> <scheme.clr> <reference.png> <night.png>

#include "editing/ColorScience.h"
#include "preview/PreviewFile.h"
#include "preview/PreviewPainter.h"
#include "preview/ReferenceColors.h"
#include "scheme/SchemeFile.h"

#include <QImage>

#include <cstdio>
#include <exception>
#include <vector>

namespace {

bool Save(const TPreviewMap& map, const std::vector<TRGBTriple>& colors, const char* file)
{
    QImage shot(map.Width(), map.Height(), QImage::Format_RGB888);
    PaintPreviewPixels(map, colors, shot.bits(), shot.bytesPerLine());
    if (!shot.save(QString::fromLocal8Bit(file), "png")) {
        std::fprintf(stderr, "%s: cannot write\n", file);
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::fprintf(
            stderr, "usage: %s <preview.cpf> <scheme.clr> <reference.png> <night.png>\n", argv[0]);
        return 2;
    }
    try {
        const TPreviewMap map = ReadPreviewFile(argv[1]);
        const std::vector<TSchemeItem> items = ReadSchemeFile(argv[2]);
        TRGBTripleArray reference(items.size());
        MakeReferenceColors(reference);
        std::vector<TRGBTriple> night;
        for (const TSchemeItem& item : items) {
            TOklch color = ToOklch(item.Color);
            color.L = 1.0 - 0.85 * color.L;
            night.push_back(FromOklchMapped(color));
        }
        if (!Save(map, reference, argv[3]) || !Save(map, night, argv[4]))
            return 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
