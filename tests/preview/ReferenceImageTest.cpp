#include "preview/ReferenceImage.h"

#include "TemporaryFolder.h"
#include "preview/ReferenceColors.h"

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QString>

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <string>

namespace {

QByteArray Encode(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, format));
    return bytes;
}

// An image whose pixel (x, y) has the colour of reference entry (x + y) % itemCount.
QImage ReferencePattern(int width, int height, std::size_t itemCount)
{
    TRGBTripleArray colors(itemCount);
    MakeReferenceColors(colors);
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const TRGBTriple& c = colors[static_cast<std::size_t>(x + y) % itemCount];
            image.setPixel(x, y, qRgb(c.rgbtRed, c.rgbtGreen, c.rgbtBlue));
        }
    return image;
}

void PutLittleEndian(QByteArray& bytes, int offset, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<char>(value >> (8 * i));
}

std::string ErrorOf(const QByteArray& bytes)
{
    try {
        ReferenceImageFromBytes(bytes);
    } catch (const std::exception& error) {
        return error.what();
    }
    return "no error";
}

TEST(ReferenceImageTest, BitmapDecodesWithItsPixels)
{
    const QImage source = ReferencePattern(5, 3, 20);
    const QImage image = ReferenceImageFromBytes(Encode(source, "BMP"));
    ASSERT_EQ(image.size(), source.size());
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(image.pixel(x, y), source.pixel(x, y)) << x << ", " << y;
}

TEST(ReferenceImageTest, PngDecodesWithItsPixels)
{
    const QImage source = ReferencePattern(7, 4, 30);
    const QImage image = ReferenceImageFromBytes(Encode(source, "PNG"));
    ASSERT_EQ(image.size(), source.size());
    EXPECT_EQ(image.convertToFormat(QImage::Format_RGB32), source);
}

TEST(ReferenceImageTest, InvalidDataIsRefused)
{
    const QByteArray bitmap = Encode(ReferencePattern(4, 4, 10), "BMP");
    const QByteArray png = Encode(ReferencePattern(4, 4, 10), "PNG");
    QByteArray offsetPastEnd = bitmap;
    PutLittleEndian(offsetPastEnd, 10, static_cast<std::uint32_t>(bitmap.size()) + 100);
    QByteArray hugeInTinyFile = bitmap.left(54);
    PutLittleEndian(hugeInTinyFile, 18, 65536);
    PutLittleEndian(hugeInTinyFile, 22, 65536);

    const std::pair<const char*, QByteArray> rows[] = {
        {"empty", QByteArray()},
        {"text", QByteArray("096,048,048 // Road\r\n")},
        {"bitmap one byte short", bitmap.chopped(1)},
        {"bitmap cut to its headers", bitmap.left(54)},
        {"bitmap pixel offset past the end", offsetPastEnd},
        {"bitmap 65536 x 65536 in 54 bytes", hugeInTinyFile},
        {"png cut in half", png.left(png.size() / 2)},
    };
    for (const auto& [name, bytes] : rows)
        EXPECT_EQ(ErrorOf(bytes), "Bitmap image is not valid") << name;
}

// A 1-bit bitmap this large is small enough as a file, but its map would not be.
TEST(ReferenceImageTest, OversizedBitmapIsRefusedBeforeDecoding)
{
    const int side = 6000;
    const int stride = (side + 31) / 32 * 4;
    QByteArray bytes(62 + stride * side, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutLittleEndian(bytes, 2, static_cast<std::uint32_t>(bytes.size()));
    PutLittleEndian(bytes, 10, 62);
    PutLittleEndian(bytes, 14, 40);
    PutLittleEndian(bytes, 18, side);
    PutLittleEndian(bytes, 22, side);
    PutLittleEndian(bytes, 26, 1 | 1 << 16); // one plane, one bit per pixel
    PutLittleEndian(bytes, 58, 0x00FFFFFF); // palette: black, white
    EXPECT_EQ(ErrorOf(bytes), "The image is too large to convert (6000 x 6000 pixels)");
}

TEST(ReferenceImageTest, OversizedPngIsRefusedBeforeDecoding)
{
    QByteArray png = Encode(QImage(1, 1, QImage::Format_RGB32), "PNG");
    // The header chunk's width and height, then its checksum over type and data.
    for (const auto& [offset, value] : {std::pair {16, 20000}, {20, 10000}})
        for (int i = 0; i < 4; ++i)
            png[offset + i] = static_cast<char>(value >> (8 * (3 - i)));
    const auto crc = static_cast<std::uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(png.constData() + 12), 17));
    for (int i = 0; i < 4; ++i)
        png[29 + i] = static_cast<char>(crc >> (8 * (3 - i)));
    EXPECT_EQ(ErrorOf(png), "The image is too large to convert (20000 x 10000 pixels)");
}

TEST(ReferenceImageTest, ScreenshotFileBecomesMapOfItsSize)
{
    TTemporaryFolder folder;
    const QImage source = ReferencePattern(320, 240, 100);
    const std::filesystem::path file = folder / "screen.bmp";
    const QByteArray bytes = Encode(source, "BMP");
    WriteBytes(file, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));

    const TPreviewMap map
        = ScanReferenceQImage(LoadReferenceBitmap(QString::fromStdString(file.string())), 100);
    ASSERT_EQ(map.Width(), 320);
    ASSERT_EQ(map.Height(), 240);
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x)
            ASSERT_EQ(map.Cell(x, y), ItemReferenceBase + static_cast<std::uint32_t>((x + y) % 100))
                << x << ", " << y;
}

TEST(ReferenceImageTest, MissingFileNamesTheFile)
{
    TTemporaryFolder folder;
    const std::string file = (folder / "gone.bmp").string();
    try {
        LoadReferenceBitmap(QString::fromStdString(file));
        FAIL() << "no error";
    } catch (const std::exception& error) {
        EXPECT_EQ(std::string(error.what()).rfind("Cannot open file \"" + file + "\". ", 0), 0u)
            << error.what();
    }
}

// Indexed and alpha images are scanned by their colours, the alpha left aside.
TEST(ReferenceImageTest, ImagesOfOtherFormatsScanByColour)
{
    const QImage source = ReferencePattern(30, 20, 25);
    const TPreviewMap expected = ScanReferenceQImage(source, 25);
    for (const QImage::Format format :
        {QImage::Format_Indexed8, QImage::Format_ARGB32, QImage::Format_RGB888}) {
        SCOPED_TRACE(format);
        EXPECT_EQ(ScanReferenceQImage(source.convertToFormat(format), 25), expected);
    }
    EXPECT_EQ(expected.Cell(3, 2), ItemReferenceBase + 5);
}

// An image from the clipboard comes decoded already; the scan still refuses one larger than a
// file could bring, before its copy and its map are made.
TEST(ReferenceImageTest, OversizedImageIsRefusedBeforeScanning)
{
    const QImage image(8193, 4096, QImage::Format_Mono);
    ASSERT_FALSE(image.isNull());
    try {
        ScanReferenceQImage(image, 10);
        ADD_FAILURE() << "the image was scanned";
    } catch (const std::exception& error) {
        EXPECT_STREQ(error.what(), "The image is too large to convert (8193 x 4096 pixels)");
    }
}

TEST(ReferenceImageTest, NullImageGivesEmptyMap)
{
    const TPreviewMap map = ScanReferenceQImage(QImage(), 10);
    EXPECT_EQ(map.Width(), 0);
    EXPECT_EQ(map.Height(), 0);
}

} // namespace
