#include "preview/ReferenceImage.h"

#include "common/Error.h"
#include "common/FileAccess.h"
#include "common/TextRules.h"
#include "common/UiText.h"
#include "preview/BitmapCheck.h"
#include "preview/ReferenceScan.h"

#include <QBuffer>
#include <QImageReader>
#include <QSize>

#include <string>
#include <string_view>

namespace {

constexpr const char* InvalidImageText = "Bitmap image is not valid";
constexpr const char* GifImageText
    = "GIF images cannot be converted. Save the screenshot as a BMP or PNG file.";

// Enough for the largest image at 32 bits per pixel, in the megabytes QImageReader counts.
constexpr int AllocationLimitMegabytes
    = static_cast<int>(MaxReferenceImagePixels * 4 / 1048576) + 1;

void CheckImageSize(const QSize& size)
{
    if (qint64(size.width()) * size.height() > MaxReferenceImagePixels)
        throw TError(FormatText(
            "The image is too large to convert (%d x %d pixels)", size.width(), size.height()));
}

// The decoder refuses an image whose pixels would pass its allocation limit (a 16-bit PNG takes 8
// bytes a pixel), which is a matter of size, not a damaged file.
void CheckDecodedSize(const QSize& size, QImage::Format format)
{
    if (format == QImage::Format_Invalid)
        return;
    const qint64 bytes
        = qint64(size.width()) * size.height() * QImage::toPixelFormat(format).bitsPerPixel() / 8;
    if (bytes > qint64(AllocationLimitMegabytes) * 1048576)
        throw TError(FormatText(
            "The image is too large to convert (%d x %d pixels)", size.width(), size.height()));
}

} // namespace

QImage LoadReferenceBitmap(const QString& fileName)
{
    const std::filesystem::path file = ToFileName(fileName);
    return ConcerningFile(file, [&] {
        const std::string bytes = ReadWholeFile(file, MaxReferenceFileSize);
        return ReferenceImageFromBytes(
            QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())));
    });
}

QImage ReferenceImageFromBytes(const QByteArray& bytes)
{
    // The bitmap loader reports success for a cut-off file, or a pixel offset past the end,
    // and leaves the missing pixels as whatever the memory held.
    const std::string_view view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (view.starts_with("BM") && !BitmapFileLooksComplete(view))
        throw TError(InvalidImageText);

    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAllocationLimit(AllocationLimitMegabytes);
    // The GIF decoder reports success for a frame that leaves part of the screen uncovered and
    // fills that part from colour-table entries it never set; a screenshot is never a GIF anyway.
    if (reader.format() == "gif")
        throw TError(GifImageText);
    // The size comes from the header alone, so an oversized image is refused before decoding.
    const QSize size = reader.size();
    if (size.isValid()) {
        CheckImageSize(size);
        CheckDecodedSize(size, reader.imageFormat());
    }
    QImage image;
    if (!reader.read(&image) || image.isNull())
        throw TError(InvalidImageText);
    CheckImageSize(image.size());
    return image;
}

TPreviewMap ScanReferenceQImage(const QImage& image, std::size_t itemCount)
{
    CheckImageSize(image.size());
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    if (rgb.isNull() && !image.isNull())
        throw TError("Out of memory");
    return ScanReferenceImage(
        rgb.constBits(), rgb.width(), rgb.height(), rgb.bytesPerLine(), itemCount);
}
