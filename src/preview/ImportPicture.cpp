#include "preview/ImportPicture.h"

#include "common/FileAccess.h"
#include "common/TextRules.h"
#include "preview/BitmapCheck.h"

#include <QBuffer>
#include <QImageReader>
#include <QMimeData>

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace {

// Enough for the largest picture at 32 bits per pixel, in the megabytes QImageReader counts.
constexpr int AllocationLimitMegabytes = int(MaxImportPicturePixels * 4 / 1048576) + 1;

// The clipboard's names of the formats a screenshot comes in, lossless ones first.
constexpr const char* ClipboardFormats[] = {"image/png", "image/bmp", "image/jpeg"};

std::string RefusalText(
    TPictureRefusal::TReason reason, qint64 bytes, QSize size, const std::string& systemReason)
{
    using R = TPictureRefusal::TReason;
    switch (reason) {
    case R::CannotOpen:
        return "Cannot open the picture. " + systemReason;
    case R::NotRegularFile:
        return "The picture is not a regular file";
    case R::TooManyBytes:
        return FormatText("The picture is too large (%lld bytes)", static_cast<long long>(bytes));
    case R::TooManyPixels:
        return FormatText("The picture is too large (%d x %d pixels)", size.width(), size.height());
    case R::NotAPicture:
        return "This is not a complete BMP, PNG or JPEG picture";
    case R::NoClipboardPicture:
        return "The clipboard does not hold a picture";
    }
    return {};
}

// A JPEG cut short still decodes, its missing part filled in grey; a whole one ends with the
// end-of-image marker (some writers pad after it with zero bytes).
bool JpegLooksComplete(std::string_view bytes)
{
    while (!bytes.empty() && bytes.back() == '\0')
        bytes.remove_suffix(1);
    return bytes.ends_with("\xFF\xD9");
}

void CheckPixels(QSize size)
{
    if (qint64(size.width()) * size.height() > MaxImportPicturePixels)
        throw TPictureRefusal(TPictureRefusal::TReason::TooManyPixels, 0, size);
}

TImportPicture Converted(const QImage& image, bool lossy)
{
    TImportPicture picture {image.convertToFormat(QImage::Format_RGB888), lossy};
    if (picture.Pixels.isNull())
        throw TPictureRefusal(TPictureRefusal::TReason::TooManyPixels, 0, image.size());
    return picture;
}

[[noreturn]] void CannotOpen(int errorCode)
{
    throw TPictureRefusal(TPictureRefusal::TReason::CannotOpen, 0, {}, SystemErrorText(errorCode));
}

} // namespace

TPictureRefusal::TPictureRefusal(TReason reason, qint64 bytes, QSize size, std::string systemReason)
    : FReason(reason)
    , FBytes(bytes)
    , FSize(size)
    , FSystemReason(std::move(systemReason))
    , FText(RefusalText(reason, bytes, size, FSystemReason))
{ }

TImportPicture LoadImportPicture(const std::filesystem::path& file)
{
    using R = TPictureRefusal::TReason;
    std::string bytes;
    try {
        bytes = ReadWholeFile(file, std::uint64_t(MaxImportPictureBytes));
    } catch (const TFileReadError& error) {
        switch (error.Reason) {
        case TFileReadError::TReason::NotRegular:
            throw TPictureRefusal(R::NotRegularFile);
        case TFileReadError::TReason::TooLarge:
            throw TPictureRefusal(R::TooManyBytes, qint64(error.Size));
        case TFileReadError::TReason::Unreadable:
            break;
        }
        CannotOpen(error.ErrorCode);
    }
    // The bytes are decoded in place, not copied.
    return ImportPictureFromBytes(QByteArray::fromRawData(bytes.data(), qsizetype(bytes.size())));
}

TImportPicture ImportPictureFromBytes(const QByteArray& bytes)
{
    using R = TPictureRefusal::TReason;
    if (bytes.size() > MaxImportPictureBytes)
        throw TPictureRefusal(R::TooManyBytes, bytes.size());

    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAllocationLimit(AllocationLimitMegabytes);
    const QByteArray format = reader.format();
    const std::string_view view(bytes.constData(), std::size_t(bytes.size()));
    // The bitmap loader reports success for a file cut short and leaves the missing pixels as
    // whatever the memory held.
    if (format == "bmp"        ? !BitmapFileLooksComplete(view)
            : format == "jpeg" ? !JpegLooksComplete(view)
                               : format != "png")
        throw TPictureRefusal(R::NotAPicture);

    // The size comes from the header alone, so an oversized picture is refused before decoding;
    // so is one whose decoded pixels would pass the allocation limit (a 16-bit PNG takes 8 bytes
    // a pixel).
    const QSize size = reader.size();
    if (!size.isValid())
        throw TPictureRefusal(R::NotAPicture);
    CheckPixels(size);
    if (const QImage::Format decoded = reader.imageFormat(); decoded != QImage::Format_Invalid
        && qint64(size.width()) * size.height() * QImage::toPixelFormat(decoded).bitsPerPixel() / 8
            > qint64(AllocationLimitMegabytes) * 1048576)
        throw TPictureRefusal(R::TooManyPixels, 0, size);

    QImage image;
    if (!reader.read(&image) || image.isNull() || image.size() != size)
        throw TPictureRefusal(R::NotAPicture);
    return Converted(image, format == "jpeg");
}

TImportPicture ImportPictureFromClipboard(const QMimeData* data)
{
    if (data == nullptr || !data->hasImage())
        throw TPictureRefusal(TPictureRefusal::TReason::NoClipboardPicture);
    for (const char* format : ClipboardFormats) {
        if (!data->hasFormat(QLatin1String(format)))
            continue;
        const QByteArray bytes = data->data(QLatin1String(format));
        if (!bytes.isEmpty())
            return ImportPictureFromBytes(bytes);
    }
    // Put there by this program, or in a format of its own: Qt has decoded it already.
    const QImage image = qvariant_cast<QImage>(data->imageData());
    if (image.isNull())
        throw TPictureRefusal(TPictureRefusal::TReason::NoClipboardPicture);
    CheckPixels(image.size());
    return Converted(image, false);
}
