// Files from outside that are not what they claim to be, for every reader of one: each is refused
// at once, in bounded memory, with a message naming it, and the window shows that message.
#include "MainFormFixture.h"

#include "BadInput.h"
#include "MemoryMeter.h"
#include "NotRegularFiles.h"
#include "app/Settings.h"
#include "common/Error.h"
#include "common/FileAccess.h"
#include "common/ProfileFile.h"
#include "common/UiText.h"
#include "i18n/LanguageFile.h"
#include "preview/ReferenceImage.h"
#include "scheme/SchemeFile.h"

#include <QBuffer>
#include <QImage>
#include <QMessageBox>

#include <zlib.h>

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

struct TReader
{
    const char* Name;
    const char* Extension;
    std::uint64_t Limit;
    std::function<void(const fs::path&)> Read;
};

const std::vector<TReader> Readers = {
    {"colour_file", ".clr", MaxSchemeFileSize, [](const fs::path& file) { ReadSchemeFile(file); }},
    {"preview", ".cpf", MaxPreviewFileSize, [](const fs::path& file) { ReadPreviewFile(file); }},
    {"language", ".clf", MaxProfileFileSize, [](const fs::path& file) { ReadLanguageFile(file); }},
    // Start-up reads such a settings file as one without keys; closing refuses to update it.
    {"settings", ".ini", MaxProfileFileSize,
        [](const fs::path& file) {
            EXPECT_EQ(ReadSettings(file).DefaultLanguage, "English");
            WriteProfileString(file, "Language", "DefaultLanguage", "Deutsch");
        }},
    {"screenshot", ".bmp", MaxReferenceFileSize,
        [](const fs::path& file) { LoadReferenceBitmap(FromFileName(file)); }},
};

// A bad file made in the folder for a reader, and the message expected for it.
using TMade = std::pair<fs::path, std::string>;

std::string CannotOpen(const fs::path& file, const std::string& reason)
{
    return "Cannot open file \"" + file.string() + "\". " + reason;
}

std::string TooLarge(const fs::path& file, const TReader& reader)
{
    return CannotOpen(file, "The file is larger than " + ByteSizeText(reader.Limit));
}

// A socket's name in the folder; it stays a socket after its maker closed it.
fs::path Socket(const TTemporaryFolder& folder, const TReader& reader)
{
    const fs::path path = folder / (std::string("socket") + reader.Extension);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    path.native().copy(address.sun_path, sizeof address.sun_path - 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    EXPECT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
    return path;
}

std::string Compressed(const std::string& bytes)
{
    uLongf size = compressBound(bytes.size());
    std::string out(size, '\0');
    EXPECT_EQ(compress2(reinterpret_cast<Bytef*>(out.data()), &size,
                  reinterpret_cast<const Bytef*>(bytes.data()), bytes.size(), 6),
        Z_OK);
    out.resize(size);
    return out;
}

// A preview whose header claims the size, followed by a few cells.
std::string PreviewClaiming(std::int32_t width, std::int32_t height)
{
    std::string header(8, '\0');
    for (int i = 0; i < 4; ++i) {
        header[std::size_t(i)] = char(std::uint32_t(width) >> (8 * i));
        header[std::size_t(4 + i)] = char(std::uint32_t(height) >> (8 * i));
    }
    return Compressed(header + std::string(64, '\0'));
}

// A PNG of one pixel whose header claims the size.
std::string PngClaiming(std::uint32_t width, std::uint32_t height)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(QImage(1, 1, QImage::Format_RGB32).save(&buffer, "PNG"));
    const auto put = [&png](int offset, std::uint32_t value) {
        for (int i = 0; i < 4; ++i)
            png[offset + i] = char(value >> (8 * (3 - i)));
    };
    put(16, width);
    put(20, height);
    put(29, std::uint32_t(crc32(0, reinterpret_cast<const Bytef*>(png.constData() + 12), 17)));
    return png.toStdString();
}

struct TKind
{
    const char* Name;
    std::function<TMade(const TTemporaryFolder&, const TReader&)> Make;
};

// What is not a regular file, the ways the shared helper makes it.
TKind SpecialFile(const char* name, std::size_t index)
{
    return {name, [index](const TTemporaryFolder& folder, const TReader& reader) {
                const TSpecialFile special = MakeSpecialFiles(folder, reader.Extension).at(index);
                return TMade(special.Path, CannotOpen(special.Path, special.Reason));
            }};
}

const std::vector<TKind> Kinds = {
    SpecialFile("folder", 0),
    SpecialFile("fifo", 1),
    SpecialFile("dev_zero", 2),
    SpecialFile("link_to_dev_zero", 4),
    {"socket",
        [](const TTemporaryFolder& folder, const TReader& reader) {
            const fs::path socket = Socket(folder, reader);
            return TMade(socket, CannotOpen(socket, "Not a regular file"));
        }},
    // Refused from the size it claims, before a byte is read.
    {"sparse_file_one_byte_over_the_limit",
        [](const TTemporaryFolder& folder, const TReader& reader) {
            const fs::path file = folder / (std::string("sparse") + reader.Extension);
            WriteBytes(file, "");
            EXPECT_EQ(::truncate(file.c_str(), off_t(reader.Limit + 1)), 0);
            return TMade(file, TooLarge(file, reader));
        }},
    // Claims no size at all and never ends: refused once the read passes the limit.
    {"proc_pagemap",
        [](const TTemporaryFolder&, const TReader& reader) {
            const fs::path file = "/proc/self/pagemap";
            return TMade(file, TooLarge(file, reader));
        }},
};

struct TRow
{
    std::string Name;
    TReader Reader;
    std::function<TMade(const TTemporaryFolder&)> Make;
};

void PrintTo(const TRow& row, std::ostream* out)
{
    *out << row.Name;
}

std::vector<TRow> Rows()
{
    std::vector<TRow> rows;
    for (const TReader& reader : Readers)
        for (const TKind& kind : Kinds)
            rows.push_back({std::string(reader.Name) + "_" + kind.Name, reader,
                [&kind, &reader](
                    const TTemporaryFolder& folder) { return kind.Make(folder, reader); }});
    // Headers claiming a size that would take gigabytes: judged before anything is reserved.
    rows.push_back(
        {"preview_claiming_60000_x_60000", Readers[1], [](const TTemporaryFolder& folder) {
             const fs::path file = folder / "wide.cpf";
             WriteBytes(file, PreviewClaiming(60000, 60000));
             return TMade(file, "Out of memory");
         }});
    rows.push_back(
        {"screenshot_claiming_60000_x_60000", Readers[4], [](const TTemporaryFolder& folder) {
             const fs::path file = folder / "wide.png";
             WriteBytes(file, PngClaiming(60000, 60000));
             return TMade(file, "The image is too large to convert (60000 x 60000 pixels)");
         }});
    return rows;
}

class OutsideFileTest : public ::testing::TestWithParam<TRow>
{
};

TEST_P(OutsideFileTest, IsRefusedNamingTheFileInBoundedMemory)
{
    const TRow& row = GetParam();
    TTemporaryFolder folder;
    const auto [file, message] = row.Make(folder);

    std::string outcome = "read";
    fs::path named;
    // A reader that blocked, or read on without end, ends the test here instead of hanging it.
    ::alarm(30);
    const std::int64_t growth = PeakGrowth([&] {
        try {
            row.Reader.Read(file);
        } catch (const TError& error) {
            outcome = error.what();
            named = error.File();
        } catch (const std::exception& error) {
            outcome = std::string("not one of ours: ") + error.what();
        }
    });
    ::alarm(0);

    EXPECT_EQ(outcome, message);
    EXPECT_EQ(named, file) << "the error names no file, or another";
    RecordProperty("peak_memory_growth_kib", static_cast<int>(growth / 1024));
    // Never more than the reader's own limit: a never-ending file is read just past it.
    if (!AddressSanitizer && growth >= 0) {
        EXPECT_LT(growth, static_cast<std::int64_t>(row.Reader.Limit) + 16 * MiB)
            << "peak resident memory grew by " << growth / MiB << " MiB";
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, OutsideFileTest, ::testing::ValuesIn(Rows()), TRowName());

// Through the window, as a macro from another program hands it such a file: the message box says
// why and names the file, and the document, the preview and the texts stay as they were.
class OutsideFileWindowTest : public TMainFormFixture
{
};

TEST_F(OutsideFileWindowTest, ShowsWhyAndChangesNothing)
{
    struct TWindowRow
    {
        const char* Command;
        fs::path File;
        std::string Text;
        QString InformativeText;
    };
    const fs::path fifo = Folder / "fifo.clf";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const fs::path huge = Folder / "huge.clf";
    WriteBytes(huge, "");
    ASSERT_EQ(::truncate(huge.c_str(), off_t(MaxProfileFileSize + 1)), 0);
    const fs::path wide = Folder / "wide.cpf";
    WriteBytes(wide, PreviewClaiming(60000, 60000));
    const fs::path pagemap = "/proc/self/pagemap";
    const std::vector<TWindowRow> rows = {
        {"Open", pagemap, TooLarge(pagemap, Readers[0]), {}},
        {"Preview", pagemap, TooLarge(pagemap, Readers[1]), {}},
        {"Preview", wide, "Out of memory", FromFileName(wide)},
        {"Language", huge, TooLarge(huge, Readers[2]), {}},
        {"Language", fifo, CannotOpen(fifo, "Not a regular file"), {}},
    };

    TMainForm& form = Start();
    for (const TWindowRow& row : rows) {
        SCOPED_TRACE(std::string(row.Command) + " " + row.File.string());
        // The title a language set before must survive a language file that is refused.
        WriteBytes(Folder / "title.clf", "[Application]\r\nApplicationName=Kept title\r\n");
        form.ExecuteMacroText("[Language(" + (Folder / "title.clf").string() + ")]");
        ASSERT_EQ(form.windowTitle(), "Kept title");

        const auto message = CaptureMessageBox(QMessageBox::Ok);
        ::alarm(30);
        form.ExecuteMacroText("[" + std::string(row.Command) + "(" + row.File.string() + ")]");
        ::alarm(0);
        EXPECT_TRUE(message->Seen);
        EXPECT_EQ(message->Text.toStdString(), row.Text);
        EXPECT_EQ(message->InformativeText, row.InformativeText);
        EXPECT_EQ(ListBox1(form)->count(), 8);
        EXPECT_FALSE(form.Modified());
        EXPECT_EQ(form.Document().PreviewMap(), SmallMap());
        EXPECT_EQ(form.windowTitle(), "Kept title");
    }
}

} // namespace
