#include "preview/ReferenceImage.h"

#include "NotRegularFiles.h"
#include "TemporaryFolder.h"

#include <QBuffer>
#include <QImage>
#include <QString>

#include "BadInput.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr const char* Invalid = "Bitmap image is not valid";

void Put(QByteArray& bytes, int offset, std::uint32_t value, int size = 4)
{
    for (int i = 0; i < size; ++i)
        bytes[offset + i] = static_cast<char>(value >> (8 * i));
}

void PutBigEndian(QByteArray& bytes, int offset, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<char>(value >> (8 * (3 - i)));
}

// A complete bitmap with a 40-byte header, bottom-up unless height is negative, with a grey
// palette at 8 bits or fewer and a pattern in its pixels.
QByteArray Bitmap(int width, int height, int bitCount, std::uint32_t compression = 0)
{
    const int rows = height < 0 ? -height : height;
    const int stride = (width * bitCount + 31) / 32 * 4;
    const int colors = bitCount <= 8 ? 1 << bitCount : 0;
    const int masks = compression == 3 ? 12 : 0;
    const int offset = 54 + 4 * colors + masks;
    QByteArray bytes(offset + stride * rows, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    Put(bytes, 2, static_cast<std::uint32_t>(bytes.size()));
    Put(bytes, 10, static_cast<std::uint32_t>(offset));
    Put(bytes, 14, 40);
    Put(bytes, 18, static_cast<std::uint32_t>(width));
    Put(bytes, 22, static_cast<std::uint32_t>(height));
    Put(bytes, 26, 1, 2);
    Put(bytes, 28, static_cast<std::uint32_t>(bitCount), 2);
    Put(bytes, 30, compression);
    for (int i = 0; i < colors; ++i) {
        const auto grey = static_cast<std::uint32_t>(i * 255 / (colors - 1));
        Put(bytes, 54 + 4 * i, grey | grey << 8 | grey << 16);
    }
    if (masks != 0) {
        const bool wide = bitCount == 32;
        Put(bytes, 54, wide ? 0x00FF0000 : 0xF800);
        Put(bytes, 58, wide ? 0x0000FF00 : 0x07E0);
        Put(bytes, 62, wide ? 0x000000FF : 0x001F);
    }
    for (int i = offset; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i * 7);
    return bytes;
}

// The 54 bytes of a bitmap's headers claiming the size, and nothing after them.
QByteArray HeadersOnly(int width, int height, int bitCount)
{
    QByteArray bytes = Bitmap(1, 1, 24).left(54);
    Put(bytes, 18, static_cast<std::uint32_t>(width));
    Put(bytes, 22, static_cast<std::uint32_t>(height));
    Put(bytes, 28, static_cast<std::uint32_t>(bitCount), 2);
    return bytes;
}

QByteArray WithPixelOffset(QByteArray bytes, std::uint32_t offset)
{
    Put(bytes, 10, offset);
    return bytes;
}

QByteArray Png(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, "PNG"));
    return bytes;
}

// A small PNG whose header chunk claims the size and sample layout; its pixel data is that of
// a 1 x 1 image, so only a reader that trusts the header gets further than the header.
QByteArray PngClaiming(std::uint32_t width, std::uint32_t height, int bitDepth, int colorType)
{
    QByteArray png = Png(QImage(1, 1, QImage::Format_RGB32));
    PutBigEndian(png, 16, width);
    PutBigEndian(png, 20, height);
    png[24] = static_cast<char>(bitDepth);
    png[25] = static_cast<char>(colorType);
    PutBigEndian(png, 29,
        static_cast<std::uint32_t>(
            crc32(0, reinterpret_cast<const Bytef*>(png.constData() + 12), 17)));
    return png;
}

struct TBadScreenshot
{
    const char* Name;
    std::function<QByteArray()> Make;
    const char* Message; // nullptr: the image loads, with this size
    int Width = 0, Height = 0;
};

void PrintTo(const TBadScreenshot& row, std::ostream* out)
{
    *out << row.Name;
}

class ScreenshotBadInputTest : public ::testing::TestWithParam<TBadScreenshot>
{
};

// Through the file, as the conversion command loads it, then scanned as the command does.
TEST_P(ScreenshotBadInputTest, GivesItsMessageOrAnImageOfItsSize)
{
    const TBadScreenshot& row = GetParam();
    TTemporaryFolder folder;
    const fs::path file = folder / "screen.bmp";
    {
        const QByteArray bytes = row.Make();
        WriteBytes(
            file, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    }
    std::string outcome = "loaded";
    QImage image;
    try {
        image = LoadReferenceBitmap(QString::fromStdString(file.string()));
    } catch (const std::exception& error) {
        outcome = error.what();
    }
    if (row.Message != nullptr) {
        EXPECT_EQ(outcome, row.Message);
        return;
    }
    ASSERT_EQ(outcome, "loaded");
    EXPECT_EQ(image.width(), row.Width);
    EXPECT_EQ(image.height(), row.Height);
    if (qint64(row.Width) * row.Height <= 1 << 20) {
        const TPreviewMap map = ScanReferenceQImage(image, 10);
        EXPECT_EQ(map.Width(), row.Width);
        EXPECT_EQ(map.Height(), row.Height);
    }
}

const std::vector<TBadScreenshot> BadScreenshots = {
    // Sound bitmaps, so that the rows below fail for their one fault.
    {"sound_24_bits", [] { return Bitmap(5, 3, 24); }, nullptr, 5, 3},
    {"sound_8_bits", [] { return Bitmap(7, 2, 8); }, nullptr, 7, 2},
    {"sound_1_bit_top_down", [] { return Bitmap(9, -4, 1); }, nullptr, 9, 4},
    {"sound_16_bit_fields", [] { return Bitmap(3, 3, 16, 3); }, nullptr, 3, 3},
    // Truncated: the loader would hand back pixels it never read.
    {"only_the_signature", [] { return QByteArray("BM"); }, Invalid},
    {"cut_in_the_file_header", [] { return Bitmap(5, 3, 24).left(10); }, Invalid},
    {"cut_in_the_info_header", [] { return Bitmap(5, 3, 24).left(30); }, Invalid},
    {"cut_after_the_headers", [] { return Bitmap(5, 3, 24).left(54); }, Invalid},
    {"cut_in_the_palette", [] { return Bitmap(7, 2, 8).left(54 + 512); }, Invalid},
    {"cut_before_the_bit_field_masks", [] { return Bitmap(3, 3, 16, 3).left(60); }, Invalid},
    {"cut_in_half", [] { return Bitmap(50, 40, 24).left(54 + 3000); }, Invalid},
    {"one_byte_short", [] { return Bitmap(5, 3, 24).chopped(1); }, Invalid},
    {"top_down_one_byte_short", [] { return Bitmap(9, -4, 1).chopped(1); }, Invalid},
    // Pixel data said to start where the file cannot hold it.
    {"pixel_offset_past_the_end",
        [] {
            const QByteArray bytes = Bitmap(5, 3, 24);
            return WithPixelOffset(bytes, static_cast<std::uint32_t>(bytes.size()) + 100);
        },
        Invalid},
    {"pixel_offset_one_byte_too_far", [] { return WithPixelOffset(Bitmap(5, 3, 24), 55); },
        Invalid},
    {"pixel_offset_at_4_GiB", [] { return WithPixelOffset(Bitmap(5, 3, 24), 0xFFFFFFFF); },
        Invalid},
    // Absurd sizes in 54 bytes, refused from the header.
    {"65536_x_65536_at_24_bits_in_54_bytes", [] { return HeadersOnly(65536, 65536, 24); }, Invalid},
    {"65536_x_65536_at_1_bit_in_54_bytes", [] { return HeadersOnly(65536, 65536, 1); }, Invalid},
    {"65536_x_65536_at_32_bits_in_54_bytes", [] { return HeadersOnly(65536, 65536, 32); }, Invalid},
    {"65536_x_minus_65536_in_54_bytes", [] { return HeadersOnly(65536, -65536, 24); }, Invalid},
    {"widest_row_in_54_bytes", [] { return HeadersOnly(0x7FFFFFFF, 1, 32); }, Invalid},
    {"negative_width", [] { return HeadersOnly(-5, 3, 24); }, Invalid},
    {"zero_height", [] { return HeadersOnly(5, 0, 24); }, Invalid},
    // Run-length coding may leave pixels unwritten.
    {"run_length_coded", [] { return Bitmap(8, 8, 8, 1); }, Invalid},
    // Other formats.
    {"png_cut_in_half",
        [] {
            const QByteArray png = Png(QImage(40, 40, QImage::Format_RGB32));
            return png.left(png.size() / 2);
        },
        Invalid},
    {"png_claiming_65536_x_65536", [] { return PngClaiming(65536, 65536, 8, 2); },
        "The image is too large to convert (65536 x 65536 pixels)"},
    // A frame leaving the screen uncovered decodes from colour entries never set: no GIF at all.
    {"gif_frame_outside_its_screen",
        [] {
            return QByteArray("GIF89a\x04\x00\x04\x00\x80\x00\x00\xFF\xFF\xFF\x00\x00\x00"
                              "\x2C\x64\x00\x64\x00\x01\x00\x01\x00\x80\x15\x00\x00\x00\x00\x00"
                              "\x02\x02\x44\x01\x00\x3B",
                41);
        },
        "GIF images cannot be converted. Save the screenshot as a BMP or PNG file."},
    {"text", [] { return QByteArray("096,048,048 // Water\r\n"); }, Invalid},
    {"empty", [] { return QByteArray(); }, Invalid},
    // Beyond the largest screenshot converted: refused from the header, before decoding.
    {"1_bit_bitmap_at_the_pixel_limit", [] { return Bitmap(8192, 4096, 1); }, nullptr, 8192, 4096},
    {"1_bit_bitmap_just_over_the_pixel_limit", [] { return Bitmap(8193, 4096, 1); },
        "The image is too large to convert (8193 x 4096 pixels)"},
    // Within the pixel limit, but decoded at 8 bytes a pixel it would pass the decoder's
    // allocation limit.
    {"16_bit_png", [] { return Png(QImage(4, 3, QImage::Format_RGBA64)); }, nullptr, 4, 3},
    {"16_bit_png_beyond_the_allocation_limit", [] { return PngClaiming(6000, 5000, 16, 6); },
        "The image is too large to convert (6000 x 5000 pixels)"},
};

INSTANTIATE_TEST_SUITE_P(
    Rows, ScreenshotBadInputTest, ::testing::ValuesIn(BadScreenshots), TRowName());

// Whatever is not a file is refused before it is read, so the command never waits on it.
TEST(ScreenshotBadPathTest, SpecialFilesAreRefusedAtOnce)
{
    TTemporaryFolder folder;
    ExpectEachRefused(MakeSpecialFiles(folder, ".bmp"),
        [](const fs::path& path) { LoadReferenceBitmap(QString::fromStdString(path.string())); });
}

} // namespace
