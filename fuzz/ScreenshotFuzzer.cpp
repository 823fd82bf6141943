// Screenshots for the converter: any bytes either decode to an image, through the same steps the
// import command takes, or fail with the loader's own message; a decoded image is scanned into a
// map of its size, and small ones give exactly what the plain scan gives. (Building the scan's
// lookup table dominates the time of a small input, so each input is scanned for one item count.)
//
// Each input is converted twice, with fresh memory filled with a different byte each time
// (FreshMemory.h): a map that differs holds pixels that did not come from the file.

#include "FreshMemory.h"
#include "FuzzCheck.h"
#include "common/Error.h"
#include "preview/ReferenceImage.h"
#include "preview/ReferenceScan.h"

#include <QByteArray>
#include <QImage>
#include <QtGlobal>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

// Beyond the 520 entries that hold every reference colour, so every match can occur.
constexpr std::size_t ItemCount = 600;
// Up to this many pixels the plain scan, which compares each pixel with every entry, is cheap.
constexpr qint64 PlainScanPixels = 4096;

struct TDecoded
{
    QImage Image; // as the loader returns it
    QImage Pixels; // as the scan reads it
};

// Decodes as the import command does, and converts to the scan's format, new memory filled with
// the byte meanwhile.
TDecoded Decode(const QByteArray& bytes, int fillByte)
{
    const FreshMemory::TFilling filling(fillByte);
    TDecoded decoded;
    decoded.Image = ReferenceImageFromBytes(bytes);
    decoded.Pixels = decoded.Image.convertToFormat(QImage::Format_RGB888);
    return decoded;
}

TPreviewMap PlainScan(const QImage& pixels, std::size_t itemCount)
{
    return ScanReferenceImagePlain(
        pixels.constBits(), pixels.width(), pixels.height(), pixels.bytesPerLine(), itemCount);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    FreshMemory::Install();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Handed over as LoadReferenceBitmap hands over a file's bytes.
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const QByteArray view = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(size));
    TDecoded decoded;
    try {
        decoded = Decode(view, 0x00);
    } catch (const TError& error) {
        const std::string_view message = error.what();
        FUZZ_CHECK(message == "Bitmap image is not valid"
            || message.starts_with("The image is too large to convert (")
            || message.starts_with("GIF images cannot be converted."));
        return 0;
    }
    const QImage& image = decoded.Image;
    FUZZ_CHECK(!image.isNull() && !decoded.Pixels.isNull());
    FUZZ_CHECK(qint64(image.width()) * image.height() <= MaxReferenceImagePixels);
    FUZZ_CHECK(Decode(view, 0xA5).Pixels == decoded.Pixels);

    const TPreviewMap map = ScanReferenceQImage(image, ItemCount);
    FUZZ_CHECK(map.Width() == image.width() && map.Height() == image.height());
    if (qint64(image.width()) * image.height() <= PlainScanPixels)
        FUZZ_CHECK(map == PlainScan(decoded.Pixels, ItemCount));
    return 0;
}
