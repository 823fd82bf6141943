#include "help/ChmArchive.h"
#include "help/ChmEntryStream.h"
#include "common/UiText.h"

#include "ChmBuilder.h"
#include "TemporaryFolder.h"

#include <QProcess>
#include <QStringList>

#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

struct TRun
{
    bool ExitedZero = false;
    std::string Output;
};

// Runs tintwright-chm-reader as the archive does, with the arguments given.
TRun RunReader(const std::vector<std::filesystem::path>& arguments)
{
    QStringList list;
    for (const std::filesystem::path& argument : arguments)
        list << FromFileName(argument);
    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(FromFileName(TChmArchive::ReaderBesideProgram()), list, QIODevice::ReadOnly);
    EXPECT_TRUE(process.waitForFinished(10000));
    const QByteArray output = process.readAllStandardOutput();
    return {process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0,
        output.toStdString()};
}

TEST(ChmReader, WritesEveryEntryOrNothing)
{
    TTemporaryFolder folder;
    const std::string largest(TChmArchive::MaxEntrySize, 'b');
    const std::filesystem::path stored = folder / "stored.chm";
    WriteBytes(stored,
        BuildChm({{"/", 0, ""}, {"/a.htm", 0, "<p>a</p>"}, {"/largest.bin", 0, largest},
                     {"/larger.bin", 0, largest + "b"}})
            .Bytes);
    const std::filesystem::path damaged = folder / "damaged.chm";
    WriteBytes(damaged,
        ReadBytes(std::filesystem::path(TINTWRIGHT_HELP_DIR) / "help-en.chm").substr(0, 0x100));
    const std::filesystem::path fifo = folder / "fifo.chm";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);

    const TRun run = RunReader({stored});
    ASSERT_TRUE(run.ExitedZero);
    const auto entries = ReadChmEntryStream(run.Output);
    ASSERT_TRUE(entries.has_value());
    const std::vector<TChmStreamEntry> expected = {{"/", ""}, {"/a.htm", "<p>a</p>"},
        {"/largest.bin", largest}, {"/larger.bin", std::nullopt}};
    EXPECT_EQ(*entries, expected);
    // The archive takes the stream in many reads, and keeps the entry it got no content for.
    const TChmArchive archive(stored);
    EXPECT_EQ(archive.Read("/largest.bin"), largest);
    EXPECT_EQ(archive.FindEntry("/larger.bin"), "/larger.bin");
    EXPECT_EQ(archive.Read("/larger.bin"), std::nullopt);

    const struct
    {
        const char* Name;
        std::vector<std::filesystem::path> Arguments;
    } failing[] = {
        {"Damaged", {damaged}},
        {"Fifo", {fifo}},
        {"Folder", {folder.Path()}},
        {"Missing", {folder / "missing.chm"}},
        {"NoFile", {}},
        {"TwoFiles", {stored, stored}},
    };
    for (const auto& row : failing) {
        const TRun failed = RunReader(row.Arguments);
        EXPECT_FALSE(failed.ExitedZero) << row.Name;
        EXPECT_EQ(failed.Output, "") << row.Name;
    }
}

} // namespace
