#include "preview/ImportPicture.h"

#include "NotRegularFiles.h"
#include "TemporaryFolder.h"
#include "editing/ColorScience.h"
#include "preview/PreviewFile.h"
#include "tools/import/ScreenshotColors.h"
#include "scheme/SchemeFile.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QMimeData>

#include <gtest/gtest.h>
#include <zlib.h>

#include <fstream>
#include <functional>
#include <iostream>
#include <string>

namespace fs = std::filesystem;

namespace {

using R = TPictureRefusal::TReason;

// 5 x 3 pixels, each of its own colour.
QImage Sample()
{
    QImage image(5, 3, QImage::Format_RGB888);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            image.setPixel(x, y, qRgb(40 * x, 100 + 50 * y, 255 - 30 * x));
    return image;
}

QByteArray Encoded(const QImage& image, const char* format, int quality = -1)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    EXPECT_TRUE(writer.write(image)) << format;
    return bytes;
}

void PutBigEndian(QByteArray& bytes, qsizetype offset, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = char(value >> (8 * (3 - i)));
}

// A 1 x 1 PNG whose header chunk claims the size and sample layout given (with a valid checksum):
// only a reader that trusts the header gets further than the header.
QByteArray PngClaiming(std::uint32_t width, std::uint32_t height, int bitDepth, int colorType)
{
    QByteArray png = Encoded(QImage(1, 1, QImage::Format_RGB32), "png");
    PutBigEndian(png, 16, width);
    PutBigEndian(png, 20, height);
    png[24] = char(bitDepth);
    png[25] = char(colorType);
    PutBigEndian(
        png, 29, std::uint32_t(crc32(0, reinterpret_cast<const Bytef*>(png.constData() + 12), 17)));
    return png;
}

R RefusalOf(const std::function<void()>& load)
{
    try {
        load();
    } catch (const TPictureRefusal& refusal) {
        return refusal.Reason();
    }
    ADD_FAILURE() << "accepted";
    return R::CannotOpen;
}

TEST(ImportPictureTest, BmpPngAndJpegAreToldApartByContent)
{
    const QImage sample = Sample();
    for (const char* format : {"bmp", "png"}) {
        const TImportPicture picture = ImportPictureFromBytes(Encoded(sample, format));
        EXPECT_EQ(picture.Pixels, sample) << format;
        EXPECT_FALSE(picture.Lossy) << format;
    }
    const TImportPicture jpeg = ImportPictureFromBytes(Encoded(sample, "jpeg", 95));
    EXPECT_EQ(jpeg.Pixels.size(), sample.size());
    EXPECT_EQ(jpeg.Pixels.format(), QImage::Format_RGB888);
    EXPECT_TRUE(jpeg.Lossy);
    // Some writers pad after the end of the picture.
    EXPECT_TRUE(ImportPictureFromBytes(Encoded(sample, "jpeg") + QByteArray(16, '\0')).Lossy);

    // A file's name says nothing: a PNG called .jpg is read as the PNG it is.
    const TTemporaryFolder folder;
    const fs::path file = folder / "shot.jpg";
    std::ofstream(file, std::ios::binary) << Encoded(sample, "png").toStdString();
    const TImportPicture named = LoadImportPicture(file);
    EXPECT_EQ(named.Pixels, sample);
    EXPECT_FALSE(named.Lossy);
}

TEST(ImportPictureTest, RefusesWhatIsNotAWholeBmpPngOrJpeg)
{
    const QByteArray bmp = Encoded(Sample(), "bmp");
    const QByteArray png = Encoded(Sample(), "png");
    const QByteArray jpeg = Encoded(Sample(), "jpeg");
    struct TRow
    {
        const char* Name;
        QByteArray Bytes;
        R Reason;
    };
    const TRow rows[] = {
        {"nothing", QByteArray(), R::NotAPicture},
        {"text", QByteArray("255,255,255 // Water\r\n"), R::NotAPicture},
        {"GIF",
            QByteArray("GIF89a\x05\0\x03\0\0\0\0,\0\0\0\0\x05\0\x03\0\0\x02\x02\x04\x01\0;", 33),
            R::NotAPicture},
        {"bitmap cut short", bmp.left(bmp.size() - 4), R::NotAPicture},
        {"JPEG cut short", jpeg.left(jpeg.size() / 2), R::NotAPicture},
        {"PNG cut short", png.left(png.size() - 20), R::NotAPicture},
        {"PNG claiming more pixels than it holds", PngClaiming(5, 3, 8, 2), R::NotAPicture},
        {"PNG of 6000 x 6000 pixels", PngClaiming(6000, 6000, 8, 2), R::TooManyPixels},
        {"16-bit PNG over the decoding limit", PngClaiming(6000, 5000, 16, 6), R::TooManyPixels},
    };
    for (const TRow& row : rows)
        EXPECT_EQ(RefusalOf([&] { ImportPictureFromBytes(row.Bytes); }), row.Reason) << row.Name;
}

TEST(ImportPictureTest, ReadsOnlyRegularFilesOfBoundedSize)
{
    const TTemporaryFolder folder;
    for (const TSpecialFile& special : MakeSpecialFiles(folder, ".png"))
        EXPECT_EQ(RefusalOf([&] { LoadImportPicture(special.Path); }), R::NotRegularFile)
            << special.Path;

    // Sparse: refused from its size alone, before a byte is read.
    const fs::path large = folder / "large.bmp";
    std::ofstream(large, std::ios::binary) << "BM";
    fs::resize_file(large, std::uintmax_t(MaxImportPictureBytes) + 1);
    try {
        LoadImportPicture(large);
        ADD_FAILURE() << "accepted";
    } catch (const TPictureRefusal& refusal) {
        EXPECT_EQ(refusal.Reason(), R::TooManyBytes);
        EXPECT_EQ(refusal.Bytes(), MaxImportPictureBytes + 1);
    }

    try {
        LoadImportPicture(folder / "missing.png");
        ADD_FAILURE() << "accepted";
    } catch (const TPictureRefusal& refusal) {
        EXPECT_EQ(refusal.Reason(), R::CannotOpen);
        EXPECT_EQ(refusal.SystemReason(), "No such file or directory");
    }
}

TEST(ImportPictureTest, ClipboardBytesFirstThenQtsImage)
{
    const QImage sample = Sample();
    QImage other = sample;
    other.fill(Qt::red);

    QMimeData png;
    png.setImageData(other);
    png.setData("image/png", Encoded(sample, "png"));
    EXPECT_EQ(ImportPictureFromClipboard(&png).Pixels, sample);

    QMimeData jpeg;
    jpeg.setImageData(other);
    jpeg.setData("image/jpeg", Encoded(sample, "jpeg"));
    EXPECT_TRUE(ImportPictureFromClipboard(&jpeg).Lossy);

    QMimeData image;
    image.setImageData(sample);
    EXPECT_EQ(ImportPictureFromClipboard(&image).Pixels, sample);

    QMimeData damaged;
    damaged.setImageData(sample);
    damaged.setData("image/png", Encoded(sample, "png").left(30));
    EXPECT_EQ(RefusalOf([&] { ImportPictureFromClipboard(&damaged); }), R::NotAPicture);

    QMimeData text;
    text.setText("not a picture");
    EXPECT_EQ(RefusalOf([&] { ImportPictureFromClipboard(&text); }), R::NoClipboardPicture);
    EXPECT_EQ(RefusalOf([&] { ImportPictureFromClipboard(nullptr); }), R::NoClipboardPicture);
}

// The shipped preview in a night scheme, saved as a JPEG of quality 90 with 4:2:0 chroma
// subsampling (tools/MakeImportFixture.cpp). JPEG keeps one chroma sample per 2 x 2 pixels, on
// even rows and columns, and the decoder blends each pixel's chroma from its own block's sample
// and the three nearest others: a pixel keeps its item's chroma only when the 4 x 4 pixels of
// those blocks are all the item's. An area item has at least 16 such pixels (as many as a 6 x 6
// square on the 2-pixel grid holds): every one is read within a difference of 1.5 of its true
// colour. With fewer, the ringing of a single edge in the same 8 x 8 block can move them all
// together (over 24 day and night schemes in 12 hues, a quarter of the readings from 8 to 15 such
// pixels miss 1.5, 7 % of those from 16 to 31), and an item with none is read from pixels that
// carry its neighbours' chroma; they are held to a looser bound, so a reading that gets worse
// still shows.
TEST(ImportPictureTest, JpegScreenshotGivesEveryAreaItemWithinDeltaE15)
{
    constexpr int AreaPixels = 16;
    constexpr double AreaBound = 1.5;
    constexpr double SmallBound = 3.5;
    const fs::path data = TINTWRIGHT_TEST_DATA_DIR;
    const TPreviewMap map = ReadPreviewFile(data / "import-preview.cpf");
    const std::vector<TSchemeItem> items = ReadSchemeFile(data / "import-night.clr");
    const TImportPicture picture = LoadImportPicture(data / "import-night-q90.jpg");
    ASSERT_TRUE(picture.Lossy);
    const QImage& pixels = picture.Pixels;
    const int scale = ScreenshotScale(pixels.width(), pixels.height(), map.Width(), map.Height());
    ASSERT_EQ(scale, 1);
    const auto readings = ReadItemColors(map, items.size(), pixels.constBits(),
        pixels.bytesPerLine(), CellCoding(picture.Lossy, scale));
    ASSERT_TRUE(readings.has_value());

    // Pixels whose chroma is their item's alone, counted cell by cell.
    std::vector<int> ownChroma(items.size());
    const auto cellAt = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < map.Width() && y < map.Height() ? map.Cell(x, y) : 0u;
    };
    for (int y = 0; y < map.Height(); ++y)
        for (int x = 0; x < map.Width(); ++x) {
            const std::uint32_t cell = map.Cell(x, y);
            if (!IsItemReference(cell) || cell - ItemReferenceBase >= items.size())
                continue;
            const int left = x % 2 == 0 ? x - 2 : x - 1;
            const int top = y % 2 == 0 ? y - 2 : y - 1;
            bool own = true;
            for (int dy = 0; dy < 4; ++dy)
                for (int dx = 0; dx < 4; ++dx)
                    own = own && cellAt(left + dx, top + dy) == cell;
            ownChroma[cell - ItemReferenceBase] += own ? 1 : 0;
        }

    double worst = 0.0;
    std::size_t areas = 0;
    for (std::size_t item = 0; item < items.size(); ++item) {
        const TItemReading& reading = (*readings)[item];
        if (reading.Presence != TItemPresence::Interior)
            continue;
        const double difference = DeltaE2000(reading.Color, items[item].Color);
        const bool area = ownChroma[item] >= AreaPixels;
        if (area) {
            ++areas;
            worst = std::max(worst, difference);
        } else {
            std::cout << "[ JPEG    ] small item " << item + 1 << " (" << items[item].Description
                      << "): " << difference << " from " << reading.Pixels << " pixels\n";
        }
        EXPECT_LE(difference, area ? AreaBound : SmallBound)
            << "item " << item + 1 << " (" << items[item].Description << "), read from "
            << reading.Pixels << " pixels, " << ownChroma[item] << " of its own chroma";
    }
    EXPECT_GT(areas, 25u);
    std::cout << "[ JPEG    ] " << areas << " area items within 1.5, the worst at " << worst
              << "\n";
}

} // namespace
