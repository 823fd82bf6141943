#include "help/ChmArchive.h"
#include "help/ChmEntryStream.h"
#include "common/UiText.h"

#include "ChmBuilder.h"
#include "TemporaryFolder.h"

#include <QProcess>
#include <QProcessEnvironment>
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
    bool Crashed = false;
};

// Runs tintwright-chm-reader as the archive does, with the arguments given; with a probe mode,
// with the probe preloaded (ReaderProbe.cpp).
TRun RunReader(const std::vector<std::filesystem::path>& arguments, const QString& probe = {})
{
    QStringList list;
    for (const std::filesystem::path& argument : arguments)
        list << FromFileName(argument);
    QProcess process;
    if (!probe.isEmpty()) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("LD_PRELOAD", TINTWRIGHT_READER_PROBE);
        environment.insert("TINTWRIGHT_READER_PROBE", probe);
        process.setProcessEnvironment(environment);
    }
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(FromFileName(TChmArchive::ReaderBesideProgram()), list, QIODevice::ReadOnly);
    EXPECT_TRUE(process.waitForFinished(10000));
    const QByteArray output = process.readAllStandardOutput();
    return {process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0,
        output.toStdString(), process.exitStatus() == QProcess::CrashExit};
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

TEST(ChmReader, ChmlibCanOnlyReadWhatIsOpenAndWriteTheResult)
{
    const std::filesystem::path help = std::filesystem::path(TINTWRIGHT_HELP_DIR) / "help-en.chm";
    const TRun sound = RunReader({help}, "none");
    EXPECT_TRUE(sound.ExitedZero);
    EXPECT_TRUE(ReadChmEntryStream(sound.Output).has_value());
    // Code that took chmlib over is ended by the first call it may not make.
    for (const char* forbidden : {"open", "socket"}) {
        const TRun run = RunReader({help}, forbidden);
        EXPECT_TRUE(run.Crashed) << forbidden;
        EXPECT_EQ(run.Output, "") << forbidden;
    }
    // Memory beyond the limit is refused; the reader fails without a word.
    const TRun greedy = RunReader({help}, "allocate");
    EXPECT_FALSE(greedy.Crashed);
    EXPECT_FALSE(greedy.ExitedZero);
    EXPECT_EQ(greedy.Output, "");

    // The editor's side: no help, at once.
    TTemporaryFolder folder;
    const std::filesystem::path reader = folder / "greedy";
    WriteBytes(reader,
        "#!/bin/sh\nLD_PRELOAD='" TINTWRIGHT_READER_PROBE
        "' TINTWRIGHT_READER_PROBE=allocate exec '"
            + TChmArchive::ReaderBesideProgram().string() + "' \"$1\"\n");
    std::filesystem::permissions(reader, std::filesystem::perms::owner_all);
    EXPECT_FALSE(TChmArchive(help, reader).IsOpen());
}

} // namespace
