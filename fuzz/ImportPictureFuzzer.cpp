// Pictures for the colour import: any bytes either decode to a picture within the limits, through
// the steps Tools > Import colors takes, or are refused with a reason; a decoded picture is read
// for a map of its size and, where its sides allow, of half its size (each 2 x 2 block reduced
// first; a JPEG is read as one), and every item the map shows gets a reading taken from its own
// pixels.
//
// Each input is decoded twice, with fresh memory filled with a different byte each time
// (FreshMemory.h): pixels that differ were never written by the decoder.

#include "FreshMemory.h"
#include "FuzzCheck.h"
#include "preview/ImportPicture.h"
#include "tools/import/ScreenshotColors.h"

#include <QByteArray>
#include <QImage>
#include <QtGlobal>

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

constexpr std::size_t ItemCount = 5;

TImportPicture Decode(const QByteArray& bytes, int fillByte)
{
    const FreshMemory::TFilling filling(fillByte);
    return ImportPictureFromBytes(bytes);
}

// A map of stripes: items 0 to ItemCount (the last beyond the document) and a fixed colour, in
// steps of 6 x 4 cells, wide enough for cells whose chroma is their item's alone.
TPreviewMap StripeMap(int width, int height)
{
    TPreviewMap map(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::uint32_t stripe = std::uint32_t((x / 6 + y / 4) % (ItemCount + 2));
            map.SetCell(x, y, stripe == ItemCount + 1 ? 0x00123456 : ItemReferenceBase + stripe);
        }
    return map;
}

void CheckReadings(const TPreviewMap& map, const std::uint8_t* pixels, std::ptrdiff_t bytesPerLine,
    TPixelCoding coding)
{
    const auto readings = ReadItemColors(map, ItemCount, pixels, bytesPerLine, coding);
    FUZZ_CHECK(readings.has_value() && readings->size() == ItemCount);
    std::size_t cells[ItemCount] = {};
    for (const std::uint32_t cell : map.Cells())
        if (IsItemReference(cell) && cell - ItemReferenceBase < ItemCount)
            ++cells[cell - ItemReferenceBase];
    for (std::size_t item = 0; item < ItemCount; ++item) {
        const TItemReading& reading = (*readings)[item];
        FUZZ_CHECK((cells[item] == 0) == (reading.Presence == TItemPresence::NotOnPreview));
        FUZZ_CHECK(reading.Pixels <= cells[item]);
        FUZZ_CHECK(reading.Confidence >= 0.0 && reading.Confidence <= 1.0);
        if (cells[item] != 0)
            FUZZ_CHECK(reading.Pixels > 0);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    FreshMemory::Install();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const QByteArray view = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(size));
    TImportPicture picture;
    try {
        picture = Decode(view, 0x00);
    } catch (const TPictureRefusal& refusal) {
        FUZZ_CHECK(refusal.Reason() == TPictureRefusal::TReason::NotAPicture
            || refusal.Reason() == TPictureRefusal::TReason::TooManyPixels);
        return 0;
    }
    const QImage& pixels = picture.Pixels;
    FUZZ_CHECK(!pixels.isNull() && pixels.format() == QImage::Format_RGB888);
    FUZZ_CHECK(qint64(pixels.width()) * pixels.height() <= MaxImportPicturePixels);
    FUZZ_CHECK(Decode(view, 0xA5).Pixels == pixels);

    // Large pictures decode within the limits; reading them is the benchmark's business.
    if (qint64(pixels.width()) * pixels.height() > 1 << 16)
        return 0;
    CheckReadings(StripeMap(pixels.width(), pixels.height()), pixels.constBits(),
        pixels.bytesPerLine(), CellCoding(picture.Lossy, 1));
    if (pixels.width() % 2 == 0 && pixels.height() % 2 == 0) {
        const TPreviewMap half = StripeMap(pixels.width() / 2, pixels.height() / 2);
        FUZZ_CHECK(
            ScreenshotScale(pixels.width(), pixels.height(), half.Width(), half.Height()) == 2);
        const TRgbPixels reduced = ReduceScreenshot(
            pixels.constBits(), pixels.width(), pixels.height(), pixels.bytesPerLine(), 2);
        FUZZ_CHECK(reduced.Width == half.Width() && reduced.Height == half.Height());
        CheckReadings(
            half, reduced.Bytes.data(), reduced.BytesPerLine(), CellCoding(picture.Lossy, 2));
    }
    return 0;
}
