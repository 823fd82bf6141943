// The command line as a build or a shell runs it: the real program, in a program folder of its own
// with the shipped scheme and preview, with no display at all (no DISPLAY, no WAYLAND_DISPLAY, no
// platform chosen), its exit status and messages read from outside.
#include "cli/CommandLine.h"

#include "TemporaryFolder.h"
#include "app/MainFormFixture.h"
#include "editing/ColorScience.h"
#include "preview/IntendedPairs.h"
#include "preview/PreviewFile.h"
#include "preview/PreviewPainter.h"
#include "preview/ReferenceColors.h"
#include "scheme/SchemeFile.h"
#include "tools/import/ImportRows.h"
#include "tools/import/ScreenshotColors.h"
#include "tools/legibility/LegibilityWindow.h"

#include <QAction>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const fs::path Program = TINTWRIGHT_PROGRAM;
const fs::path ShippedData = TINTWRIGHT_DATA_DIR;

struct TRun
{
    int ExitCode = -1;
    std::string Out;
    std::string Errors;

    std::string FirstErrorLine() const { return Errors.substr(0, Errors.find('\n')); }
};

// Runs the program in `folder` (its program folder, or a folder to work in) with no display.
TRun RunProgram(const fs::path& program, const fs::path& folder, const QStringList& arguments,
    const QString& standardOutput = {})
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(QString::fromStdString(folder.native()));
    if (!standardOutput.isEmpty())
        process.setStandardOutputFile(standardOutput);
    process.start(QString::fromStdString(program.native()), arguments);
    TRun run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.ExitCode = process.exitCode();
    run.Out = process.readAllStandardOutput().toStdString();
    run.Errors = process.readAllStandardError().toStdString();
    return run;
}

// A copy of the program beside the shipped schemes and previews, so that its settings file is
// the test's own; made once for all the tests here.
class CommandLineTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        Folder = new TTemporaryFolder;
        fs::copy(Program, *Folder / "tintwright");
        for (const char* data : {"schemes", "previews"})
            fs::copy(ShippedData / data, *Folder / data, fs::copy_options::recursive);
    }
    static void TearDownTestSuite()
    {
        delete Folder;
        Folder = nullptr;
    }
    void TearDown() override { fs::remove(*Folder / "tintwright.ini"); }

    static fs::path ProgramFile() { return *Folder / "tintwright"; }
    static fs::path Scheme() { return *Folder / "schemes" / "default.clr"; }
    static fs::path Preview() { return *Folder / "previews" / "Preview.cpf"; }
    TRun RunHere(const QStringList& arguments, const QString& standardOutput = {}) const
    {
        return RunProgram(ProgramFile(), Work.Path(), arguments, standardOutput);
    }

    static TTemporaryFolder* Folder;
    TTemporaryFolder Work;
};

TTemporaryFolder* CommandLineTest::Folder = nullptr;

// Each mistake a build may make ends with 2 and a first line of standard error that names what
// went wrong and the file concerned; nothing is left behind.
TEST_F(CommandLineTest, ExitStatusAndFirstMessageLine)
{
    const QString scheme = QString::fromStdString(Scheme().native());
    WriteBytes(Work / "damaged.cpf", "not a preview");
    WriteBytes(Work / "notes.clr", "042,042,042 // not a picture\r\n");
    WriteBytes(Work / "cut.clr", std::string("001,002,003 // Cut\0here", 23));
    QImage(10, 10, QImage::Format_RGB888)
        .save(QString::fromStdString((Work / "small.png").native()));
    fs::create_directory(Work / "folder");

    struct TRow
    {
        const char* Name;
        QStringList Arguments;
        int ExitCode;
        std::string FirstError;
    };
    const TRow rows[] = {
        {"missing file", {"--check", "missing.clr"}, 2,
            "tintwright: Cannot open file \"missing.clr\". No such file or directory"},
        {"damaged preview", {"--check", scheme, "--preview", "damaged.cpf"}, 2,
            "tintwright: damaged.cpf: Error"},
        {"a folder for a scheme", {"--export-palette", "folder", "--output", "x.gpl"}, 2,
            "tintwright: Cannot open file \"folder\". Is a directory"},
        {"not a picture", {"--convert", "notes.clr", "--output", "x.cpf"}, 2,
            "tintwright: notes.clr: Bitmap image is not valid"},
        {"a picture of the wrong size",
            {"--import-colors", "small.png", "--scheme", scheme, "--output", "x.clr"}, 2,
            "tintwright: small.png: The picture is 10 x 10 pixels, but the preview is 240 x 320 "
            "pixels. Use a screenshot of the preview's screen at the preview's size or a whole "
            "multiple of it."},
        {"not a picture to import",
            {"--import-colors", "notes.clr", "--scheme", scheme, "--output", "x.clr"}, 2,
            "tintwright: notes.clr is not a complete BMP, PNG or JPEG picture."},
        {"unwritable output", {"--export-palette", scheme, "--output", "missing/x.gpl"}, 2,
            "tintwright: missing/x.gpl: Invalid filename"},
        {"a folder as output", {"--check", scheme, "--output", "folder"}, 2,
            "tintwright: folder: File access denied"},
        {"unknown option", {"--frobnicate"}, 2, "tintwright: Unknown option 'frobnicate'."},
        {"a value missing", {"--check"}, 2, "tintwright: Missing value after '--check'."},
        {"two commands", {"--check", "a.clr", "--convert", "b.png"}, 2,
            "tintwright: one command at a time: --check and --convert"},
        {"no command", {"--preview", "a.cpf"}, 2,
            "tintwright: no command given: --check, --reference-scheme, --convert, "
            "--import-colors or --export-palette"},
        {"an option of another command", {"--convert", "a.png", "--vision", "all"}, 2,
            "tintwright: --vision does not go with --convert"},
        {"an unknown kind of vision", {"--check", scheme, "--vision", "purple"}, 2,
            "tintwright: --vision takes normal, protanopia, deuteranopia, tritanopia, "
            "achromatopsia or all, not 'purple'"},
        {"a threshold out of range", {"--check", scheme, "--threshold", "-1"}, 2,
            "tintwright: --threshold takes a number from 0 to 100, not '-1'"},
        {"no output", {"--export-palette", scheme}, 2,
            "tintwright: --export-palette needs --output"},
        {"a file name besides", {"--check", scheme, "night.clr"}, 2,
            "tintwright: unexpected argument 'night.clr'"},
        {"the shipped scheme has close pairs", {"--check", scheme}, 1, ""},
        {"nothing close at threshold 0", {"--check", scheme, "--threshold", "0"}, 0, ""},
        {"a cut scheme still converts", {"--reference-scheme", "ref.clr", "--scheme", "cut.clr"}, 0,
            ""},
        {"version", {"--version"}, 0, ""},
        {"help", {"--help"}, 0, ""},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        const TRun run = RunHere(row.Arguments);
        EXPECT_EQ(run.ExitCode, row.ExitCode) << run.Errors;
        EXPECT_EQ(run.FirstErrorLine(), row.FirstError);
    }
    EXPECT_EQ(Work.Listing(), "cut.clr\ndamaged.cpf\nfolder\nnotes.clr\nref.clr\nsmall.png\n");
    EXPECT_EQ(ReadBytes(Work / "ref.clr"), "096,048,048 // Cut\r\n");

    const TRun version = RunHere({"--version"});
    EXPECT_EQ(version.Out, "tintwright 2.1.0.79\n");
    const TRun help = RunHere({"--help"});
    for (const char* option :
        {"--check", "--reference-scheme", "--convert", "--import-colors", "--export-palette",
            "--preview", "--vision", "--threshold", "--format", "--ignore-intended", "Exit status"})
        EXPECT_NE(help.Out.find(option), std::string::npos) << option;

    // A report that cannot reach standard output is a failed write, not a finding.
    const TRun full = RunHere({"--check", scheme}, QStringLiteral("/dev/full"));
    EXPECT_EQ(full.ExitCode, 2);
    EXPECT_EQ(full.FirstErrorLine(), "tintwright: Cannot write the report to standard output");
}

// --check --format json holds what the core judges for the same files, under every kind of
// vision: the pairs in the list's order, unrounded, with the marks kept for the preview.
TEST_F(CommandLineTest, CheckJsonHoldsTheJudgementOfEveryKind)
{
    const std::vector<TSchemeItem> items = ReadSchemeFile(Scheme());
    const TPreviewMap map = ReadPreviewFile(Preview());
    TCheckRequest request {Scheme(), Preview()};
    const TLegibility plain = JudgeScheme(request, items, map, {});
    ASSERT_GT(plain.FlaggedCount(), 1u);
    // The first pair is marked as intended for the preview, reached by another name.
    const TLegibilityRow& marked = plain.Rows().front();
    WriteIntendedPairs(*Folder / "tintwright.ini", *Folder / "previews" / "." / "Preview.cpf",
        TIntendedPairs(std::vector<TIntendedPairs::TPair> {
            {std::uint32_t(marked.First), std::uint32_t(marked.Second)}}));

    for (const bool ignore : {false, true}) {
        SCOPED_TRACE(ignore ? "marks ignored" : "marks");
        QStringList arguments = {"--check", QString::fromStdString(Scheme().native()), "--format",
            "json", "--output", "check.json"};
        if (ignore)
            arguments.append("--ignore-intended");
        const TRun run = RunHere(arguments);
        EXPECT_EQ(run.ExitCode, 1) << run.Errors;
        EXPECT_EQ(run.Out, "");
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(
            QByteArray::fromStdString(ReadBytes(Work / "check.json")), &error);
        ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
        const QJsonObject json = document.object();

        request.IgnoreIntended = ignore;
        const TLegibility expected
            = JudgeScheme(request, items, map, ignore ? fs::path() : *Folder / "tintwright.ini");
        EXPECT_EQ(expected.FlaggedCount(), plain.FlaggedCount() - (ignore ? 0 : 1));
        EXPECT_EQ(json["scheme"].toString().toStdString(), Scheme().native());
        EXPECT_EQ(json["preview"].toString().toStdString(), Preview().native());
        EXPECT_EQ(json["threshold"].toDouble(), 5.0);
        EXPECT_EQ(json["vision"].toArray(),
            QJsonArray({"normal", "protanopia", "deuteranopia", "tritanopia", "achromatopsia"}));
        EXPECT_EQ(json["hard"].toInt(), int(expected.FlaggedCount()));
        const QJsonArray pairs = json["pairs"].toArray();
        ASSERT_EQ(std::size_t(pairs.size()), expected.Rows().size());
        for (qsizetype at = 0; at < pairs.size(); ++at) {
            const TLegibilityRow& row = expected.Rows()[std::size_t(at)];
            const QJsonObject pair = pairs[at].toObject();
            SCOPED_TRACE(at);
            EXPECT_EQ(
                pair["items"].toArray(), QJsonArray({int(row.First + 1), int(row.Second + 1)}));
            EXPECT_EQ(pair["descriptions"].toArray(),
                QJsonArray({QString::fromStdString(items[row.First].Description),
                    QString::fromStdString(items[row.Second].Description)}));
            EXPECT_EQ(pair["border"].toInt(), int(row.BorderLength));
            const QJsonObject deltaE = pair["deltaE"].toObject();
            EXPECT_EQ(deltaE.size(), 5);
            for (const TVisionDeficiency kind : expected.Kinds())
                EXPECT_EQ(
                    deltaE[QString::fromStdString(std::string(VisionKindName(kind)))].toDouble(),
                    row.DeltaEs[std::size_t(kind)]);
            EXPECT_EQ(pair["contrast"].toDouble(), row.ContrastRatio);
            EXPECT_EQ(pair["hard"].toBool(), row.HardToTellApart);
            EXPECT_EQ(pair["intended"].toBool(), row.Intended);
        }
    }
}

// A screenshot painted from the shipped map in the reference scheme, as a bitmap or a PNG,
// converts back to the same map; the file names nothing else.
TEST_F(CommandLineTest, ConvertGivesBackTheMapOfTheReferenceScreenshot)
{
    const TPreviewMap map = ReadPreviewFile(Preview());
    TRGBTripleArray reference(ReadSchemeFile(Scheme()).size());
    MakeReferenceColors(reference);
    QImage shot(map.Width(), map.Height(), QImage::Format_RGB888);
    PaintPreviewPixels(map, reference, shot.bits(), shot.bytesPerLine());
    for (const char* format : {"bmp", "png"}) {
        SCOPED_TRACE(format);
        const fs::path file = Work / (std::string("reference.") + format);
        ASSERT_TRUE(shot.save(QString::fromStdString(file.native()), format));
        const TRun run
            = RunHere({"--convert", QString::fromStdString(file.native()), "--output", "back.cpf"});
        ASSERT_EQ(run.ExitCode, 0) << run.Errors;
        const TPreviewMap back = ReadPreviewFile(Work / "back.cpf");
        ASSERT_EQ(back.Width(), map.Width());
        ASSERT_EQ(back.Height(), map.Height());
        for (int y = 0; y < map.Height(); ++y)
            for (int x = 0; x < map.Width(); ++x)
                ASSERT_EQ(back.Cell(x, y), map.Cell(x, y)) << x << ", " << y;
    }
}

// A screenshot of the preview's screen in a night scheme gives its colours to the items the
// import window checks at first, in the scheme written; the other items keep theirs.
TEST_F(CommandLineTest, ImportColorsTakesTheColoursOfTheScreenshot)
{
    const TPreviewMap map = ReadPreviewFile(Preview());
    const std::vector<TSchemeItem> items = ReadSchemeFile(Scheme());
    std::vector<TRGBTriple> night;
    for (const TSchemeItem& item : items) {
        TOklch color = ToOklch(item.Color);
        color.L = 1.0 - 0.85 * color.L;
        night.push_back(FromOklchMapped(color));
    }
    // Twice the preview's size, as a screen of higher density takes it.
    QImage shot(map.Width(), map.Height(), QImage::Format_RGB888);
    PaintPreviewPixels(map, night, shot.bits(), shot.bytesPerLine());
    shot = shot.scaled(shot.size() * 2);
    ASSERT_TRUE(shot.save(QString::fromStdString((Work / "night.png").native())));

    const TRun run = RunHere({"--import-colors", "night.png", "--scheme",
        QString::fromStdString(Scheme().native()), "--output", "night.clr"});
    ASSERT_EQ(run.ExitCode, 0) << run.Errors;
    const std::vector<TSchemeItem> written = ReadSchemeFile(Work / "night.clr");
    ASSERT_EQ(written.size(), items.size());
    std::vector<TRGBTriple> colors;
    for (const TSchemeItem& item : items)
        colors.push_back(item.Color);
    const TScreenshotReading reading = ReadScreenshot(map, items.size(), shot.constBits(),
        shot.width(), shot.height(), shot.bytesPerLine(), false);
    ASSERT_EQ(reading.Scale, 2);
    std::size_t taken = 0;
    std::vector<bool> checked(items.size(), false);
    for (const TImportRow& row : ImportRows(*reading.Readings, colors))
        if (row.CheckedAtFirst)
            checked[row.Item] = true;
    for (std::size_t item = 0; item < items.size(); ++item) {
        SCOPED_TRACE(item);
        EXPECT_EQ(written[item].Description, items[item].Description);
        if (checked[item]) {
            EXPECT_EQ(written[item].Color, night[item]);
            ++taken;
        } else {
            EXPECT_EQ(written[item].Color, items[item].Color);
        }
    }
    EXPECT_GT(taken, items.size() / 2);
}

// Under normal vision the command line lists what the legibility window lists, pair for pair, for
// the same scheme and preview.
class CommandLineWindowTest : public TMainFormFixture
{
};

TEST_F(CommandLineWindowTest, CheckListsTheWindowsRows)
{
    fs::copy(Program, Folder / "tintwright");
    // The motorway (item 5) close to the park it touches, as in the window's own tests.
    std::string scheme = SmallScheme;
    scheme.replace(scheme.find("070,080,090"), 11, "041,051,061");
    WriteBytes(Folder / "close.clr", scheme);
    TMainForm& form = Start();
    form.LoadColorFile((Folder / "close.clr").native());
    Action(form, "ActionToolsCheckLegibility")->trigger();
    auto* window = form.findChild<TLegibilityWindow*>("LegibilityWindow");
    ASSERT_NE(window, nullptr);
    const std::vector<TLegibilityRow>& rows = window->Rows().Legibility().Rows();
    ASSERT_EQ(window->Rows().Legibility().FlaggedCount(), 1u);

    const TRun run = RunProgram(Folder / "tintwright", Folder.Path(),
        {"--check", "close.clr", "--vision", "normal", "--format", "json"});
    EXPECT_EQ(run.ExitCode, 1) << run.Errors;
    const QJsonObject json = QJsonDocument::fromJson(QByteArray::fromStdString(run.Out)).object();
    EXPECT_EQ(json["hard"].toInt(), 1);
    const QJsonArray pairs = json["pairs"].toArray();
    ASSERT_EQ(std::size_t(pairs.size()), rows.size());
    for (qsizetype at = 0; at < pairs.size(); ++at) {
        const QJsonObject pair = pairs[at].toObject();
        const TLegibilityRow& row = rows[std::size_t(at)];
        EXPECT_EQ(pair["items"].toArray(), QJsonArray({int(row.First + 1), int(row.Second + 1)}));
        EXPECT_EQ(pair["border"].toInt(), int(row.BorderLength));
        EXPECT_EQ(pair["deltaE"].toObject()["normal"].toDouble(), row.DeltaE);
        EXPECT_EQ(pair["contrast"].toDouble(), row.ContrastRatio);
        EXPECT_EQ(pair["hard"].toBool(), row.HardToTellApart);
    }
}

} // namespace
