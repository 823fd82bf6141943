#pragma once

#include "preview/PreviewMap.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <cstddef>
#include <cstdint>

// Largest screenshot converted, in pixels: an 8K screen (7680 x 4320) fits. The image, its
// 24-bit copy and the map together take about 11 bytes per pixel.
constexpr qint64 MaxReferenceImagePixels = qint64(1) << 25;

// The largest screenshot file read. A navigator's screenshot takes a few megabytes even as an
// uncompressed bitmap; the largest image converted would need up to twice this as a bitmap, but
// fits as a PNG.
constexpr std::uint64_t MaxReferenceFileSize = std::uint64_t {64} << 20;

// Loads a screenshot file; see ReferenceImageFromBytes. A file that cannot be read, is not a
// regular file or is larger than MaxReferenceFileSize fails with "Cannot open file "%s". %s".
QImage LoadReferenceBitmap(const QString& fileName);

// Decodes a screenshot (a Windows bitmap, or any other format the image plugins read, such as
// PNG). Anything that is not a valid image fails with "Bitmap image is not valid", also a bitmap
// whose pixel rows do not all lie inside the data; an image of more than MaxReferenceImagePixels,
// or one whose decoded pixels would not fit the decoder's allocation limit (16-bit PNG), fails
// with "The image is too large to convert (%d x %d pixels)" before it is decoded. GIF images are
// refused, since their decoder can leave pixels unwritten and still report success.
QImage ReferenceImageFromBytes(const QByteArray& bytes);

// Scans an image of any format for the reference colours of itemCount items (ScanReferenceImage).
// An image of more than MaxReferenceImagePixels (from the clipboard) fails as a file's would.
TPreviewMap ScanReferenceQImage(const QImage& image, std::size_t itemCount);
