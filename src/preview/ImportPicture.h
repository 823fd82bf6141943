#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include <exception>
#include <filesystem>
#include <string>

class QMimeData;

// Pictures to read a scheme's colours from: a BMP, PNG or JPEG file, or the clipboard's image.
// They come from outside, so they are bounded before anything is decoded.

// The largest file or clipboard picture read (a 4K screen as a 24-bit bitmap takes 24 MiB), and
// the most pixels decoded (an 8K screen, 7680 x 4320, fits).
inline constexpr qint64 MaxImportPictureBytes = qint64(64) << 20;
inline constexpr qint64 MaxImportPicturePixels = qint64(1) << 25;

// A decoded picture.
struct TImportPicture
{
    QImage Pixels; // Format_RGB888
    // A JPEG: its compression shifts colours and blurs them at edges.
    bool Lossy = false;
};

// Why a picture was refused, with the figures the user is told; the tool words it in the current
// language. what() gives an English text.
class TPictureRefusal : public std::exception
{
public:
    enum class TReason {
        CannotOpen, // SystemReason says why
        NotRegularFile, // a folder, FIFO or device
        TooManyBytes, // Bytes
        TooManyPixels, // Size
        NotAPicture, // not a complete BMP, PNG or JPEG picture
        NoClipboardPicture,
    };

    TPictureRefusal(
        TReason reason, qint64 bytes = 0, QSize size = {}, std::string systemReason = {});

    TReason Reason() const { return FReason; }
    qint64 Bytes() const { return FBytes; }
    QSize Size() const { return FSize; }
    const std::string& SystemReason() const { return FSystemReason; }
    const char* what() const noexcept override { return FText.c_str(); }

private:
    TReason FReason;
    qint64 FBytes;
    QSize FSize;
    std::string FSystemReason;
    std::string FText;
};

// Reads a picture file: only a regular file of at most MaxImportPictureBytes is read.
TImportPicture LoadImportPicture(const std::filesystem::path& file);

// Decodes a BMP, PNG or JPEG picture, told apart by its content. Refuses other formats, a
// bitmap or JPEG cut short, and a picture of more than MaxImportPicturePixels before decoding.
TImportPicture ImportPictureFromBytes(const QByteArray& bytes);

// The clipboard's image: its PNG, BMP or JPEG bytes when it offers them, decoded as above;
// otherwise the image Qt hands over, bounded alike.
TImportPicture ImportPictureFromClipboard(const QMimeData* data);
