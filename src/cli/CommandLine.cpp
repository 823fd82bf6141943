#include "cli/CommandLine.h"

#include "cli/PictureCommands.h"
#include "common/Error.h"
#include "common/FileAccess.h"
#include "common/UiText.h"

#include "Version.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <exception>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// A command line that asks for nothing sensible: said on standard error with a pointer to --help.
class TUsageError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The highest threshold the legibility window takes: ΔE2000 of 100 separates nearly any two
// colours.
constexpr double MaxThreshold = 100.0;

const char* const Description
    = "Checks and converts colour schemes of TomTom Navigator without opening a window.\n"
      "Started without options, tintwright opens the editor. Give one command:\n"
      "--check, --reference-scheme, --convert, --import-colors or --export-palette.";

const char* const ExitStatusText = "\nExit status:\n"
                                   "  0  done\n"
                                   "  1  the check found pairs hard to tell apart\n"
                                   "  2  bad input or a failed write (nothing is half-written)\n";

struct TOptions
{
    QCommandLineOption Check {"check",
        "Checks which items that touch on the preview are hard to tell apart, as the legibility "
        "window does.",
        "SCHEME.clr"};
    QCommandLineOption ReferenceScheme {"reference-scheme",
        "Writes the reference scheme of the scheme's items (Tools > Create reference file).",
        "OUT.clr"};
    QCommandLineOption Convert {"convert",
        "Turns a screenshot of the reference scheme into a preview file (Tools > Convert "
        "reference bitmap).",
        "SCREENSHOT"};
    QCommandLineOption ImportColors {"import-colors",
        "Takes the colours of a screenshot of the preview's screen into the scheme, for the "
        "items the import window checks at first.",
        "SCREENSHOT"};
    QCommandLineOption ExportPalette {
        "export-palette", "Writes the scheme's colours as a GIMP palette (.gpl).", "SCHEME.clr"};
    QCommandLineOption Preview {"preview",
        "The preview file to check or import through (default: the shipped preview).", "FILE.cpf"};
    QCommandLineOption Scheme {"scheme",
        "The scheme to take items from (default for --reference-scheme and --convert: the "
        "shipped default scheme).",
        "SCHEME.clr"};
    QCommandLineOption Output {
        "output", "The file to write (for --check, instead of standard output).", "FILE"};
    QCommandLineOption Vision {"vision",
        "The colour vision to judge under: normal, protanopia, deuteranopia, tritanopia, "
        "achromatopsia or all (default).",
        "KIND"};
    QCommandLineOption Threshold {"threshold",
        "The CIEDE2000 difference below which touching colours are hard to tell apart "
        "(default 5).",
        "N"};
    QCommandLineOption Format {
        "format", "The check's report: text (tab-separated, default) or json.", "FORMAT"};
    QCommandLineOption IgnoreIntended {
        "ignore-intended", "Judges the pairs marked as intended for the preview like any other."};
};

std::string Name(const QCommandLineOption& option)
{
    return "--" + option.names().constFirst().toStdString();
}

// The value of an option given once; nothing when it is not given.
std::optional<QString> Value(const QCommandLineParser& parser, const QCommandLineOption& option)
{
    const QStringList values = parser.values(option);
    if (values.isEmpty())
        return std::nullopt;
    if (values.size() > 1)
        throw TUsageError(Name(option) + " is given more than once");
    return values.constFirst();
}

fs::path PathValue(const QCommandLineParser& parser, const QCommandLineOption& option)
{
    const auto value = Value(parser, option);
    if (!value)
        return {};
    if (value->isEmpty())
        throw TUsageError(Name(option) + " needs a file name");
    return ToFileName(*value);
}

double ThresholdValue(const QString& text)
{
    const std::string bytes = text.toStdString();
    double threshold = 0;
    const auto [end, error] = std::from_chars(bytes.data(), bytes.data() + bytes.size(), threshold);
    if (bytes.empty() || error != std::errc() || end != bytes.data() + bytes.size()
        || !std::isfinite(threshold) || threshold < 0 || threshold > MaxThreshold)
        throw TUsageError("--threshold takes a number from 0 to 100, not '" + bytes + "'");
    return threshold;
}

// What a failure tells the user: its text, with the file it concerns in front when the text does
// not name it.
std::string FailureText(const std::exception& error, const fs::path& concerning)
{
    const std::string text = UserErrorText(error);
    const auto* withFile = dynamic_cast<const TError*>(&error);
    const fs::path& file
        = withFile != nullptr && !withFile->File().empty() ? withFile->File() : concerning;
    if (file.empty() || text.find(file.native()) != std::string::npos)
        return text;
    return file.native() + ": " + text;
}

void WriteOutput(const fs::path& file, const std::string& text)
{
    try {
        WriteFileAtomically(file, text);
    } catch (const TFileWriteError& error) {
        throw TError(
            InOutErrorText(
                error.Stage == TFileWriteError::TStage::NotRegular ? EACCES : error.ErrorCode),
            file);
    }
}

class TRun
{
public:
    TRun(const TCommandPlaces& places, std::ostream& out)
        : FPlaces(places)
        , FOut(out)
    { }

    int Run(const QCommandLineParser& parser)
    {
        const std::vector<const QCommandLineOption*> commands
            = {&FOptions.Check, &FOptions.ReferenceScheme, &FOptions.Convert,
                &FOptions.ImportColors, &FOptions.ExportPalette};
        const QCommandLineOption* command = nullptr;
        for (const QCommandLineOption* candidate : commands) {
            if (!parser.isSet(*candidate))
                continue;
            if (command != nullptr)
                throw TUsageError(
                    "one command at a time: " + Name(*command) + " and " + Name(*candidate));
            command = candidate;
        }
        if (command == nullptr)
            throw TUsageError("no command given: --check, --reference-scheme, --convert, "
                              "--import-colors or --export-palette");
        if (!parser.positionalArguments().isEmpty())
            throw TUsageError("unexpected argument '"
                + parser.positionalArguments().constFirst().toStdString() + "'");
        Allow(parser, *command);
        if (command == &FOptions.Check)
            return Check(parser);
        const fs::path output = PathValue(parser, FOptions.Output);
        if (command == &FOptions.ReferenceScheme) {
            RunReferenceScheme(SchemeOrDefault(parser), PathValue(parser, *command));
            return ExitDone;
        }
        if (output.empty())
            throw TUsageError(Name(*command) + " needs --output");
        if (command == &FOptions.Convert) {
            RunConvert(PathValue(parser, *command), SchemeOrDefault(parser), output);
        } else if (command == &FOptions.ImportColors) {
            const fs::path scheme = PathValue(parser, FOptions.Scheme);
            if (scheme.empty())
                throw TUsageError("--import-colors needs --scheme");
            RunImportColors(PathValue(parser, *command), scheme, PreviewOrDefault(parser), output);
        } else {
            RunExportPalette(PathValue(parser, *command), output);
        }
        return ExitDone;
    }

    TOptions& Options() { return FOptions; }

private:
    // Options a command does not read are refused rather than passed over, so that a slip
    // ("--vision" with --convert) does not go unnoticed.
    void Allow(const QCommandLineParser& parser, const QCommandLineOption& command) const
    {
        const auto is = [&](const QCommandLineOption& option) { return &option == &command; };
        const struct
        {
            const QCommandLineOption& Option;
            bool Allowed;
        } rules[] = {
            {FOptions.Preview, is(FOptions.Check) || is(FOptions.ImportColors)},
            {FOptions.Scheme,
                is(FOptions.ReferenceScheme) || is(FOptions.Convert) || is(FOptions.ImportColors)},
            {FOptions.Output, !is(FOptions.ReferenceScheme)},
            {FOptions.Vision, is(FOptions.Check)},
            {FOptions.Threshold, is(FOptions.Check)},
            {FOptions.Format, is(FOptions.Check)},
            {FOptions.IgnoreIntended, is(FOptions.Check)},
        };
        for (const auto& rule : rules)
            if (!rule.Allowed && parser.isSet(rule.Option))
                throw TUsageError(Name(rule.Option) + " does not go with " + Name(command));
    }

    fs::path SchemeOrDefault(const QCommandLineParser& parser) const
    {
        const fs::path scheme = PathValue(parser, FOptions.Scheme);
        return scheme.empty() ? FPlaces.DefaultScheme() : scheme;
    }

    fs::path PreviewOrDefault(const QCommandLineParser& parser) const
    {
        const fs::path preview = PathValue(parser, FOptions.Preview);
        return preview.empty() ? FPlaces.DefaultPreview() : preview;
    }

    int Check(const QCommandLineParser& parser)
    {
        TCheckRequest request;
        request.Scheme = PathValue(parser, FOptions.Check);
        request.Preview = PreviewOrDefault(parser);
        if (const auto vision = Value(parser, FOptions.Vision)) {
            const auto judged = JudgedVisionNamed(vision->toStdString());
            if (!judged)
                throw TUsageError("--vision takes normal, protanopia, deuteranopia, tritanopia, "
                                  "achromatopsia or all, not '"
                    + vision->toStdString() + "'");
            request.Vision = *judged;
        }
        if (const auto threshold = Value(parser, FOptions.Threshold))
            request.Threshold = ThresholdValue(*threshold);
        if (const auto format = Value(parser, FOptions.Format)) {
            if (*format == QLatin1String("json"))
                request.Format = TCheckFormat::Json;
            else if (*format != QLatin1String("text"))
                throw TUsageError(
                    "--format takes text or json, not '" + format->toStdString() + "'");
        }
        request.IgnoreIntended = parser.isSet(FOptions.IgnoreIntended);
        const fs::path output = PathValue(parser, FOptions.Output);

        const TCheckResult result = RunCheck(request, FPlaces.SettingsFile);
        if (output.empty()) {
            FOut << result.Output;
            FOut.flush();
            if (!FOut)
                throw TError("Cannot write the report to standard output");
        } else {
            WriteOutput(output, result.Output);
        }
        return result.Hard > 0 ? ExitProblemsFound : ExitDone;
    }

    const TCommandPlaces& FPlaces;
    std::ostream& FOut;
    TOptions FOptions;
};

} // namespace

int RunCommandLine(const QStringList& arguments, const TCommandPlaces& places, std::ostream& out,
    std::ostream& err)
{
    TRun run(places, out);
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromUtf8(Description));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    TOptions& options = run.Options();
    parser.addOptions({options.Check, options.ReferenceScheme, options.Convert,
        options.ImportColors, options.ExportPalette, options.Preview, options.Scheme,
        options.Output, options.Vision, options.Threshold, options.Format, options.IgnoreIntended});

    const auto fail = [&](const std::string& text, bool usage) {
        err << "tintwright: " << text << '\n';
        if (usage)
            err << "Try 'tintwright --help' for more information.\n";
        err.flush();
        return int(ExitFailed);
    };
    if (!parser.parse(arguments))
        return fail(parser.errorText().toStdString(), true);
    if (parser.isSet(help)) {
        out << parser.helpText().toStdString() << ExitStatusText;
        out.flush();
        return out ? int(ExitDone) : fail("Cannot write to standard output", false);
    }
    if (parser.isSet(version)) {
        out << "tintwright " << TINTWRIGHT_VERSION << '\n';
        out.flush();
        return out ? int(ExitDone) : fail("Cannot write to standard output", false);
    }
    try {
        return run.Run(parser);
    } catch (const TUsageError& error) {
        return fail(error.what(), true);
    } catch (const std::exception& error) {
        return fail(FailureText(error, {}), false);
    }
}
