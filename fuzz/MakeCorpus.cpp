// Writes the seed corpora of the fuzz targets: small files of each kind, valid ones in every
// variant the readers handle and damaged ones of the kinds that have gone wrong before.
//
// Usage: tintwright_fuzz_corpus <corpus folder> <data folder>
// The data folder is the program's data/, whose shipped scheme and preview are seeds too.

#include "preview/PreviewFile.h"
#include "preview/PreviewMap.h"
#include "preview/ReferenceColors.h"

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>

#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

fs::path CorpusFolder;

void Write(const std::string& target, const std::string& name, std::string_view bytes)
{
    const fs::path folder = CorpusFolder / target;
    fs::create_directories(folder);
    std::ofstream stream(folder / name, std::ios::binary | std::ios::trunc);
    stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!stream.flush())
        throw std::runtime_error("cannot write " + (folder / name).string());
}

std::string ReadFile(const fs::path& file)
{
    std::ifstream stream(file, std::ios::binary);
    if (!stream)
        throw std::runtime_error("cannot read " + file.string());
    return std::string(std::istreambuf_iterator<char>(stream), {});
}

void PutLittleEndian(std::string& bytes, std::size_t offset, std::uint32_t value, int size = 4)
{
    if (bytes.size() < offset + static_cast<std::size_t>(size))
        bytes.resize(offset + static_cast<std::size_t>(size));
    for (int i = 0; i < size; ++i)
        bytes[offset + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i));
}

void PutBigEndian(std::string& bytes, std::size_t offset, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[offset + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * (3 - i)));
}

std::string Compress(std::string_view bytes, int level = Z_DEFAULT_COMPRESSION)
{
    uLongf size = compressBound(static_cast<uLong>(bytes.size()));
    std::string out(size, '\0');
    if (compress2(reinterpret_cast<Bytef*>(out.data()), &size,
            reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uLong>(bytes.size()), level)
        != Z_OK)
        throw std::runtime_error("compress2 failed");
    out.resize(size);
    return out;
}

// The raw content of a preview file: width, height, then the cells.
std::string PreviewContent(std::int32_t width, std::int32_t height, std::size_t cellCount)
{
    std::string content;
    PutLittleEndian(content, 0, static_cast<std::uint32_t>(width));
    PutLittleEndian(content, 4, static_cast<std::uint32_t>(height));
    for (std::size_t i = 0; i < cellCount; ++i)
        PutLittleEndian(content, 8 + 4 * i,
            i % 3 == 0 ? ItemReferenceBase + static_cast<std::uint32_t>(i % 70)
                       : static_cast<std::uint32_t>(i * 0x010203));
    return content;
}

void MakeSchemeSeeds(const fs::path& dataFolder)
{
    const std::string target = "fuzz_scheme";
    Write(target, "default.clr", ReadFile(dataFolder / "schemes" / "default.clr"));
    const std::pair<const char*, std::string> seeds[] = {
        {"plain.clr", "242,239,233 // Map background\r\n170,211,223 // Water\r\n"},
        {"blanks.clr", "  12 , 34 ,56   //   Grass  \r\n\t1,2,3\t//\tTabbed\t\r\n"},
        {"separators.clr", "12 34 56 // Spaces only\r\n1,2,3 // a,b,c\r\n7;8;9 ; semicolon\r\n"},
        {"out-of-range.clr", "300,-1,256 // Low bytes\r\n99999999999,+5,-2147483649 // Big\r\n"},
        {"not-numbers.clr", "abc,0x10,1e3 // Junk\r\n,,,\r\n1,,3 //\r\n// Only text\r\n"},
        {"line-ends.clr", "1,2,3 // CR\r4,5,6 // LF\n7,8,9 // CRLF\r\n\n\r\r\n10,11,12"},
        {"comments.clr", "; header comment\r\n\r\n   ; indented\r\n1,2,3 // after\r\n;\r\n"},
        {"nul.clr", "1,2,3 // before\r\n4,5\0,6 // cut\r\n7,8,9 // never read\r\n"s},
        {"high-bytes.clr",
            "1,2,3 // Stra\xDF"
            "e \x80\x81\x8D\x8F\x90\x9D\xFF\r\n4,5,6 // \xA0nbsp\xA0\r\n"},
        {"controls.clr", "\x01\x02 1,2,3 \x1F// \x7F desc \x1A\x0B\r\n\x0C\r\n"},
        {"markers.clr", "1,2,3 // x // y ; z\r\n4,5,6 ; a // b\r\n// 7,8,9\r\n;7,8,9\r\n"},
        {"empty.clr", ""},
        {"only-breaks.clr", "\r\n\r\n\n\r"},
        {"no-description.clr", "1,2,3\r\n4,5,6,7,8\r\n"},
    };
    for (const auto& [name, text] : seeds)
        Write(target, name, text);
}

// A seed of the profile target: separator, section, key, value, then the file (if any).
std::string ProfileSeed(char separator, std::string_view section, std::string_view key,
    std::string_view value, const std::string* file)
{
    std::string seed(1, separator);
    seed.append(section).append(1, separator).append(key).append(1, separator).append(value);
    if (file)
        seed.append(1, separator).append(*file);
    return seed;
}

void MakeProfileSeeds()
{
    const std::string target = "fuzz_profile";
    struct TSeed
    {
        const char* Name;
        std::string Section, Key, Value;
        std::optional<std::string> File;
    };
    const std::vector<TSeed> seeds = {
        {"no-file", "Main", "Color", "Red", std::nullopt},
        {"empty-file", "Main", "K", "v", ""},
        {"replace", "Main", "Color", "Blue", "[Main]\r\nColor=Red\r\n"},
        {"case", "MAIN", "color", "x", "[Main]\r\nColor=Red\r\n"},
        {"blanks", "Main", "Color", "  Blue  ", "[Main]\r\n \t Color \t=  Red  \t\r\n"},
        {"quotes", "Main", "Title", "\"  a b  \"",
            "[Main]\r\nTitle = \"  a b  \"  \r\nT='\"q\"'\r\n"},
        {"insert", "Main", "B", "2", "[Main]\r\nA=1\r\n\r\n[Other]\r\nX=9\r\n"},
        {"insert-before-comment", "Main", "B", "2", "[Main]\r\nA=1\r\n; note\r\n[Other]\r\n"},
        {"unterminated", "Main", "A", "3", "[Main]\r\nA=1"},
        {"new-section", "New", "K", "v", "[Main]\r\nA=1"},
        {"header-without-bracket", "Main", "K", "2", "[Main\r\nK=1\r\n"},
        {"repeated-section", "Main", "K", "2", "[Main]\r\nA=1\r\n[Other]\r\n[Main]\r\nK=1\r\n"},
        {"before-any-header", "Main", "K", "1", "K=0\r\n[Main] trailing\r\nK=1\r\n"},
        {"line-ends", "Main", "L", "9", "[Main]\rK=1\rL=2\r[Other]\nX=1\nY=2"},
        {"byte-order-mark", "Main", "B", "2", "\xEF\xBB\xBF[Main]\r\nA=\0\r\n"s},
        {"only-byte-order-mark", "Main", "K", "v", "\xEF\xBB\xBF"},
        {"trimmed-controls", "Main", "K", "v", "[Main]\r\n\v\fK\x1A=\x1A v\f\v\r\n"},
        {"long-value", "Main", "K", std::string(2100, 'y'),
            "[Main]\r\nK=" + std::string(2100, 'x')},
        {"empty-name", "Main", "", "x", "[Main]\r\n=x\r\n"},
        {"refused-value", "Main", "K", "a\nb", "[Main]\r\nK=1\r\n"},
        {"refused-key", "Main", ";K", "v", "[Main]\r\nK=1\r\n"},
        {"refused-section", " Ma]in", "K", "v", "[Main]\r\nK=1\r\n"},
        {"settings", "Options", "TomTomVersion", "6",
            "; Tintwright\r\n[Options]\r\nDefaultLanguage=English\r\nDefaultPreview=Preview.cpf\r\n"
            "DefaultColors=default.clr\r\nTomTomVersion=5\r\n"},
        {"windows-1252", "\xC9t\xE9", "\xC4", "\xFC", "[\xC9T\xE9]\r\n\xC4=1\r\n"},
    };
    for (const TSeed& seed : seeds) {
        const std::string* file = seed.File ? &*seed.File : nullptr;
        Write(target, seed.Name, ProfileSeed('|', seed.Section, seed.Key, seed.Value, file));
    }
    // A NUL separator lets "|" into the names.
    const std::string piped = "[a|b]\r\nk|1=x\r\n";
    Write(target, "nul-separator", ProfileSeed('\0', "a|b", "k|1", "y|z", &piped));
}

void MakePreviewSeeds(const fs::path& dataFolder)
{
    const std::string target = "fuzz_preview";
    Write(target, "shipped.cpf", ReadFile(dataFolder / "previews" / "Preview.cpf"));

    TPreviewMap small(3, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            small.SetCell(
                x, y, (x + y) % 2 ? ItemReferenceBase + static_cast<std::uint32_t>(x) : 0x00336699);
    Write(target, "3x2.cpf", PreviewFileData(small));
    Write(target, "0x0.cpf", PreviewFileData(TPreviewMap()));
    Write(target, "5x0.cpf", PreviewFileData(TPreviewMap(5, 0)));
    TPreviewMap pattern(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            pattern.SetCell(x, y, ItemReferenceBase + static_cast<std::uint32_t>((x / 4 + y) % 63));
    const std::string patternData = PreviewFileData(pattern);
    Write(target, "16x16.cpf", patternData);
    Write(target, "16x16-level9.cpf", Compress(PreviewContent(16, 16, 256), 9));
    Write(target, "16x16-stored.cpf", Compress(PreviewContent(16, 16, 256), 0));
    Write(target, "extra-after-cells.cpf", Compress(PreviewContent(2, 2, 4) + "trailing bytes"));
    Write(target, "bytes-after-stream.cpf", PreviewFileData(small) + "junk");

    Write(target, "empty.cpf", "");
    Write(target, "not-zlib.cpf", "096,048,048 // Road\r\n");
    Write(target, "cut-in-header.cpf", Compress(PreviewContent(3, 2, 0).substr(0, 5)));
    Write(target, "cut-in-cells.cpf", Compress(PreviewContent(3, 2, 4)));
    Write(target, "cut-stream.cpf", patternData.substr(0, patternData.size() / 2));
    Write(target, "negative-width.cpf", Compress(PreviewContent(-1, 2, 0)));
    Write(target, "negative-height.cpf", Compress(PreviewContent(2, -2147483647 - 1, 0)));
    Write(target, "overflow-32-bits.cpf", Compress(PreviewContent(65536, 65537, 16)));
    for (const int side : {4000, 60000, 65536})
        Write(target, "claims-" + std::to_string(side) + ".cpf",
            Compress(PreviewContent(side, side, 16), 9));
    std::string damaged = PreviewFileData(small);
    damaged.back() = static_cast<char>(damaged.back() ^ 0x5A);
    Write(target, "bad-adler32.cpf", damaged);
    std::string dictionary = PreviewFileData(small);
    dictionary[1] = static_cast<char>(0xBB); // FDICT set, header check still valid
    Write(target, "preset-dictionary.cpf", dictionary);
}

QByteArray Encode(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, format))
        throw std::runtime_error(std::string("cannot encode ") + format);
    return bytes;
}

std::string AsString(const QByteArray& bytes)
{
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// An image whose pixels take the reference colours, with a few fixed colours among them.
QImage ReferencePattern(int width, int height)
{
    TRGBTripleArray colors(64);
    MakeReferenceColors(colors);
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const TRGBTriple& c = colors[static_cast<std::size_t>(x + 3 * y) % colors.size()];
            image.setPixel(x, y,
                (x + y) % 5 == 4 ? qRgb(x * 20, y * 30, 7)
                                 : qRgb(c.rgbtRed, c.rgbtGreen, c.rgbtBlue));
        }
    return image;
}

// A Windows bitmap with an information header of the given size and no palette, bit fields or
// pixel rows filled in: the caller completes it.
std::string BitmapHeader(std::uint32_t headerSize, std::int32_t width, std::int32_t height,
    int bitCount, std::uint32_t compression, std::uint32_t tableSize, std::uint32_t pixelBytes)
{
    std::string bytes = "BM";
    const std::uint32_t offset = 14 + headerSize + tableSize;
    PutLittleEndian(bytes, 2, offset + pixelBytes);
    PutLittleEndian(bytes, 6, 0);
    PutLittleEndian(bytes, 10, offset);
    PutLittleEndian(bytes, 14, headerSize);
    if (headerSize == 12) {
        PutLittleEndian(bytes, 18, static_cast<std::uint32_t>(width), 2);
        PutLittleEndian(bytes, 20, static_cast<std::uint32_t>(height), 2);
        PutLittleEndian(bytes, 22, 1, 2);
        PutLittleEndian(bytes, 24, static_cast<std::uint32_t>(bitCount), 2);
    } else {
        PutLittleEndian(bytes, 18, static_cast<std::uint32_t>(width));
        PutLittleEndian(bytes, 22, static_cast<std::uint32_t>(height));
        PutLittleEndian(bytes, 26, 1, 2);
        PutLittleEndian(bytes, 28, static_cast<std::uint32_t>(bitCount), 2);
        PutLittleEndian(bytes, 30, compression);
        PutLittleEndian(bytes, 34, pixelBytes);
        bytes.resize(14 + headerSize, '\0');
    }
    bytes.resize(offset, '\0');
    return bytes;
}

std::string Pixels(std::size_t count, int seed)
{
    std::string bytes(count, '\0');
    for (std::size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<char>((i * 37 + static_cast<std::size_t>(seed) * 11) % 251);
    return bytes;
}

// The converter's screenshots; the colour import reads the same kinds of picture.
void MakeScreenshotSeeds(const std::string& target)
{
    const QImage pattern = ReferencePattern(8, 6);
    const std::string bitmap = AsString(Encode(pattern, "BMP"));
    Write(target, "rgb24.bmp", bitmap);
    Write(target, "indexed8.bmp",
        AsString(Encode(pattern.convertToFormat(QImage::Format_Indexed8), "BMP")));
    Write(
        target, "mono.bmp", AsString(Encode(pattern.convertToFormat(QImage::Format_Mono), "BMP")));
    Write(target, "rgb.png", AsString(Encode(pattern, "PNG")));
    Write(target, "argb.png",
        AsString(Encode(pattern.convertToFormat(QImage::Format_ARGB32), "PNG")));
    Write(target, "indexed.png",
        AsString(Encode(pattern.convertToFormat(QImage::Format_Indexed8), "PNG")));
    Write(target, "grey16.png",
        AsString(Encode(pattern.convertToFormat(QImage::Format_Grayscale16), "PNG")));
    Write(target, "pattern.ppm", AsString(Encode(pattern, "PPM")));
    Write(target, "pattern.xpm",
        AsString(Encode(pattern.convertToFormat(QImage::Format_Indexed8), "XPM")));
    Write(target, "pattern.xbm",
        AsString(Encode(pattern.convertToFormat(QImage::Format_Mono), "XBM")));
    for (const auto& [format, name] :
        {std::pair {"JPEG", "pattern.jpg"}, std::pair {"ICO", "pattern.ico"}}) {
        try {
            Write(target, name, AsString(Encode(pattern, format)));
        } catch (const std::exception& error) {
            std::fprintf(stderr, "skipped: %s (no image plugin)\n", error.what());
        }
    }
    // One white pixel in the smallest common GIF layout (the GIF plugin reads but cannot write).
    Write(target, "pixel.gif",
        "GIF89a\x01\x00\x01\x00\x80\x00\x00\xFF\xFF\xFF\x00\x00\x00"
        "\x2C\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00\x3B"s);

    // A 4 x 4 screen whose only frame, 1 x 1 with its own colour table, lies outside it: Qt 6.4
    // paints the screen in a colour-table entry it never set (found by fuzz_screenshot).
    Write(target, "frame-outside-screen.gif",
        "GIF89a\x04\x00\x04\x00\x80\x00\x00\xFF\xFF\xFF\x00\x00\x00"
        "\x2C\x64\x00\x64\x00\x01\x00\x01\x00\x80\x15\x00\x00\x00\x00\x00"
        "\x02\x02\x44\x01\x00\x3B"s);

    // Bitmap variants the loader decodes: top-down rows, 4-bit palette, bit fields, the old
    // 12-byte header, a V5 header.
    std::string topDown = BitmapHeader(40, 4, -3, 24, 0, 0, 36);
    Write(target, "top-down.bmp", topDown + Pixels(36, 1));
    std::string palette4 = BitmapHeader(40, 5, 2, 4, 0, 64, 8);
    for (std::uint32_t i = 0; i < 16; ++i)
        PutLittleEndian(palette4, 54 + 4 * i, i * 0x00101010);
    Write(target, "palette4.bmp", palette4 + Pixels(8, 2));
    std::string fields16 = BitmapHeader(40, 3, 2, 16, 3, 12, 16);
    PutLittleEndian(fields16, 54, 0xF800);
    PutLittleEndian(fields16, 58, 0x07E0);
    PutLittleEndian(fields16, 62, 0x001F);
    Write(target, "bitfields16.bmp", fields16 + Pixels(16, 3));
    std::string fields32 = BitmapHeader(108, 2, 2, 32, 3, 0, 16);
    PutLittleEndian(fields32, 54, 0x00FF0000);
    PutLittleEndian(fields32, 58, 0x0000FF00);
    PutLittleEndian(fields32, 62, 0x000000FF);
    PutLittleEndian(fields32, 66, 0xFF000000);
    Write(target, "bitfields32-v4.bmp", fields32 + Pixels(16, 4));
    Write(target, "core-header.bmp", BitmapHeader(12, 3, 3, 24, 0, 0, 36) + Pixels(36, 5));
    Write(target, "v5-header.bmp", BitmapHeader(124, 2, 2, 24, 0, 0, 16) + Pixels(16, 6));

    // Bitmaps the loader must refuse: cut short, pixels said to start past the end, a huge size
    // claimed by a bare header, run-length compression, no width.
    Write(target, "cut-short.bmp", bitmap.substr(0, bitmap.size() - 7));
    Write(target, "cut-to-headers.bmp", bitmap.substr(0, 54));
    std::string offsetPastEnd = bitmap;
    PutLittleEndian(offsetPastEnd, 10, static_cast<std::uint32_t>(bitmap.size()) + 100);
    Write(target, "offset-past-end.bmp", offsetPastEnd);
    std::string huge = bitmap.substr(0, 54);
    PutLittleEndian(huge, 18, 65536);
    PutLittleEndian(huge, 22, 65536);
    Write(target, "65536x65536-in-54-bytes.bmp", huge);
    std::string rle8 = BitmapHeader(40, 4, 2, 8, 1, 1024, 6);
    Write(target, "rle8.bmp", rle8 + "\x02\x01\x00\x00\x00\x01"s);
    Write(target, "zero-width.bmp", BitmapHeader(40, 0, 2, 24, 0, 0, 0));

    // Other formats damaged the same ways.
    const std::string png = AsString(Encode(pattern, "PNG"));
    Write(target, "cut-in-half.png", png.substr(0, png.size() / 2));
    std::string hugePng = AsString(Encode(QImage(1, 1, QImage::Format_RGB32), "PNG"));
    PutBigEndian(hugePng, 16, 100000);
    PutBigEndian(hugePng, 20, 100000);
    PutBigEndian(hugePng, 29,
        static_cast<std::uint32_t>(
            crc32(0, reinterpret_cast<const Bytef*>(hugePng.data() + 12), 17)));
    Write(target, "100000x100000.png", hugePng);
    std::string badCrc = png;
    badCrc[29] = static_cast<char>(badCrc[29] ^ 1);
    Write(target, "bad-header-crc.png", badCrc);
    Write(target, "empty", "");
    Write(target, "text.clr", "096,048,048 // Road\r\n");
}

} // namespace

// Language files: the shipped ones, and the kinds of damage a hand-edited one shows.
void MakeLanguageSeeds(const fs::path& dataFolder)
{
    const std::string target = "fuzz_language";
    for (const char* name : {"English.clf", "Deutsch.clf", "Francais.clf"})
        Write(target, name, ReadFile(dataFolder / "languages" / name));
    std::string manyKeys = "[FileMenu]\r\n";
    for (int i = 0; i < 300; ++i)
        manyKeys += "Item" + std::to_string(i) + "=x\r\n";
    manyKeys += "ItemNew=&Neu\r\n";
    const std::pair<const char*, std::string> seeds[] = {
        {"only-title.clf", "[Application]\r\nApplicationName=Nur der Titel\r\n"},
        {"empty-values.clf",
            "[Language]\r\nLanguage=\r\nTranslator=\r\n[Application]\r\n"
            "ApplicationName=\r\nHelpFile=\r\nFilter2=\r\n"},
        {"placeholders.clf",
            "[GroupColor]\r\nHintRGB=%s %n %x %*d %\r\nHintIntensity=%d%%%\r\n"
            "[Application]\r\nSaveChanges=%s%s%s%s\r\n"},
        {"nul-in-value.clf",
            "[Language]\r\nLanguage=Deu\0tsch\r\nTranslator=\0\r\n"
            "[FileMenu]\r\nName=&Da\0tei\r\n"s},
        {"long-value.clf", "[ToolsMenu]\r\nItemClipboard=" + std::string(3000, 'x') + "\r\n"},
        {"quotes.clf",
            "[Language]\r\nLanguage=\"  Deutsch  \"\r\nTranslator='\r\n"
            "[GroupLanguage]\r\nOK='\"OK\"'\r\n"},
        {"repeated-sections.clf",
            "ApplicationName=before\r\n[Application]\r\n[application]\r\n"
            "ApplicationName=second\r\n[APPLICATION]\r\nModified=x\r\n"},
        {"line-ends.clf", "\xEF\xBB\xBF[Language]\rLanguage=Mixed\nTranslator=CR\r\n[HelpMenu]"},
        {"binary.clf", "\x00\xFF[\x80]\x1A=\x9D\r\x01[Language\x00]=\xFE\n=\n["s},
        {"many-keys.clf", manyKeys},
        {"empty.clf", ""},
    };
    for (const auto& [name, text] : seeds)
        Write(target, name, text);
}

// A value count byte, the values as 4 little-endian bytes each, then the format.
std::string HintSeed(std::vector<std::int32_t> values, std::string_view format)
{
    std::string bytes(1, static_cast<char>(values.size()));
    for (const std::int32_t value : values)
        for (int byte = 0; byte < 4; ++byte)
            bytes += static_cast<char>(static_cast<std::uint32_t>(value) >> (8 * byte) & 0xFF);
    return bytes + std::string(format);
}

void MakeHintFormatSeeds()
{
    const std::string target = "fuzz_hint_format";
    const struct
    {
        const char* Name;
        std::vector<std::int32_t> Values;
        std::string_view Format;
    } seeds[] = {
        {"empty", {255, 127, 0}, ""},
        {"colour", {255, 127, 0}, "red: %d, green: %d, blue: %d"},
        {"translated-colour", {255, 127, 0}, "rot: %d, gr\xFCn: %d, blau: %d"},
        {"intensity", {50}, "Intensity: %d%%"},
        {"flags-width-precision", {-7, 42, 0}, "[%-+5d][% 08i][%6.3u]"},
        {"widest", {-2147483647 - 1}, "%99.99d"},
        {"three-digit-width", {1}, "%100d"},
        {"string", {1, 2, 3}, "%s %d %d"},
        {"write-count", {1, 2, 3}, "%d%n%d"},
        {"hex", {1, 2, 3}, "%x %x %x"},
        {"star", {1, 2}, "%*d %d"},
        {"long", {1}, "%ld"},
        {"lone-percent", {1}, "%d %"},
        {"too-few", {1, 2, 3}, "%d %d"},
        {"too-many", {1}, "%d %d"},
        {"no-values", {}, "100%% sure"},
    };
    for (const auto& seed : seeds)
        Write(target, seed.Name, HintSeed(seed.Values, seed.Format));
}

void MakeColorTextSeeds()
{
    const std::string target = "fuzz_color_text";
    const std::pair<const char*, std::string> seeds[] = {
        {"hash-code", "#FF8800"},
        {"shorthand", "#F80"},
        {"bare-code", "ff8800\r\n"},
        {"prefixed-code", "0x1a2b3c"},
        {"commas", "255, 136, 0"},
        {"blanks", "255 136 0"},
        {"css-rgb", "rgb(255 136 0)"},
        {"above-255", "256,0,0"},
        {"near", "near #FF8800"},
        {"number", "12345"},
        {"words",
            "Gr\xFCn Stra\xDF"
            "e road"},
        {"too-long", std::string(300, ' ') + "#F80"},
    };
    for (const auto& [name, text] : seeds)
        Write(target, name, text);
}

// JPEG pictures the colour import must refuse: cut short (the decoder would fill the rest in
// grey), and one it reads: padded with zero bytes after its end.
void MakeImportPictureSeeds()
{
    const std::string target = "fuzz_import_picture";
    try {
        const std::string jpeg = AsString(Encode(ReferencePattern(8, 6), "JPEG"));
        Write(target, "cut-short.jpg", jpeg.substr(0, jpeg.size() / 2));
        Write(target, "zero-padded.jpg", jpeg + std::string(16, '\0'));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "skipped: %s (no image plugin)\n", error.what());
    }
}

// Reports as the legibility window copies them (English, and German words with a decimal comma),
// marks as the settings file keeps them, and text JSON must escape.
void MakeLegibilityTextSeeds()
{
    const std::string target = "fuzz_legibility_text";
    const std::string heading
        = "Item\tDescription\tTouches\tDescription\tBorder (cells)\t"
          "\u0394E2000 normal vision\t"
          "\u0394E2000 protanopia\tContrast ratio\tHard to tell apart\tIntended\n";
    const std::pair<const char*, std::string> seeds[] = {
        {"report",
            "\0"s + heading
                + "22\tLocal street\t46\tCity name outline\t6\t0.0\t0.0\t1.00\tyes\tno\n"
                  "1\tMap background\t7\tBuilt-up area\t207\t2.5\t2.6\t1.09\tyes\tyes\n"},
        {"report-crlf",
            "\0"s
                + "Item\tDescription\tTouches\tDescription\tBorder (cells)\t"
                  "\u0394E2000 tritanopia\tContrast ratio\tHard to tell apart\tIntended\r\n"
                  "3\tWater\t4\tWater border\t80\t12.9\t1.44\tno\tno\r\n"},
        {"report-comma",
            "\1"s
                + "Eintrag\tDescription\tTouches\tDescription\tBorder (cells)\t"
                  "\u0394E2000 achromatopsia\tContrast ratio\tHard to tell apart\tIntended\n"
                  "5\tStra\xC3\x9F"
                  "e\t6\t\t1\t4,9\t1,20\tja\tnein\n"},
        {"marks", "\0"s + "4-5 11-13 2-2 0-1 x-y 7-4294967295"},
        {"json", "\0"s + "caf\xE9 \"quoted\" \\ \x01\t\xED\xA0\x80 \xF0\x9F\x8C\x8D"},
    };
    for (const auto& [name, text] : seeds)
        Write(target, name, text);
}

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <corpus folder> <data folder>\n", argv[0]);
        return 2;
    }
    try {
        CorpusFolder = argv[1];
        MakeSchemeSeeds(argv[2]);
        MakeProfileSeeds();
        MakePreviewSeeds(argv[2]);
        MakeScreenshotSeeds("fuzz_screenshot");
        MakeScreenshotSeeds("fuzz_import_picture");
        MakeImportPictureSeeds();
        MakeLanguageSeeds(argv[2]);
        MakeHintFormatSeeds();
        MakeColorTextSeeds();
        MakeLegibilityTextSeeds();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
