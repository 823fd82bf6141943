#include "help/ChmArchive.h"

#include "common/UiText.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <QStringList>

#include <algorithm>
#include <system_error>
#include <utility>

namespace fs = std::filesystem;

namespace {

// How long a reader that was killed for its time limit may take to go.
constexpr int EndingTime = 1000;

int RemainingTime(const QDeadlineTimer& deadline)
{
    return static_cast<int>(std::max<qint64>(deadline.remainingTime(), 0));
}

void Append(std::string& output, const QByteArray& bytes)
{
    output.append(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// The reader's output when it ran to its end within the time limit, exited 0 and wrote no more
// than a stream may hold.
std::optional<std::string> RunReader(
    const fs::path& reader, const fs::path& file, std::chrono::milliseconds timeLimit)
{
    // QProcess would search PATH for a bare name. A name that does not survive the conversion
    // to QString (not UTF-8) would reach the reader changed, naming another file.
    const QString program = FromFileName(reader);
    const QString argument = FromFileName(file);
    if (!reader.is_absolute() || ToFileName(program) != reader || ToFileName(argument) != file)
        return std::nullopt;

    QProcess process;
    process.setProgram(program);
    process.setArguments({argument});
    process.setStandardInputFile(QProcess::nullDevice());
    // Anything the reader says on stderr goes to ours rather than into memory.
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const QDeadlineTimer deadline(timeLimit);
    process.start(QIODevice::ReadOnly);
    if (!process.waitForStarted(RemainingTime(deadline))) {
        process.kill();
        process.waitForFinished(EndingTime);
        return std::nullopt;
    }

    std::string output;
    bool tooMuch = false;
    while (process.state() != QProcess::NotRunning && !tooMuch) {
        if (!process.waitForReadyRead(RemainingTime(deadline))) {
            // No more output: the reader has ended, closed its output or run out of time.
            process.waitForFinished(RemainingTime(deadline));
            break;
        }
        Append(output, process.readAllStandardOutput());
        tooMuch = output.size() > MaxChmStreamSize;
    }
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(EndingTime);
        return std::nullopt;
    }
    Append(output, process.readAllStandardOutput());
    if (tooMuch || output.size() > MaxChmStreamSize || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0)
        return std::nullopt;
    return output;
}

} // namespace

TChmArchive::TChmArchive(const fs::path& file)
    : TChmArchive(file, ReaderBesideProgram())
{ }

TChmArchive::TChmArchive(
    const fs::path& file, const fs::path& reader, std::chrono::milliseconds timeLimit)
{
    // The reader refuses these too; this only spares starting it for a file that is not there.
    std::error_code error;
    if (!fs::is_regular_file(file, error) || fs::file_size(file, error) > MaxFileSize || error)
        return;
    std::optional<std::string> stream = RunReader(reader, file, timeLimit);
    if (!stream)
        return;
    const std::optional<std::vector<TChmStreamEntry>> entries = ReadChmEntryStream(*stream);
    if (!entries)
        return;
    FEntries.reserve(entries->size());
    for (const TChmStreamEntry& entry : *entries) {
        TEntry& kept = FEntries.emplace_back();
        kept.Path = entry.Path;
        if (entry.Content) {
            kept.ContentOffset = static_cast<std::size_t>(entry.Content->data() - stream->data());
            kept.ContentLength = entry.Content->size();
        }
    }
    std::vector<std::string_view> paths;
    paths.reserve(FEntries.size());
    for (const TEntry& entry : FEntries)
        paths.push_back(entry.Path);
    FIndex = TChmPathIndex(paths);
    FStream = std::move(*stream);
    FOpen = true;
}

TChmArchive::TChmArchive(TChmArchive&& other) noexcept
    : FOpen(std::exchange(other.FOpen, false))
    , FStream(std::exchange(other.FStream, {}))
    , FEntries(std::exchange(other.FEntries, {}))
    , FIndex(std::exchange(other.FIndex, {}))
{ }

TChmArchive& TChmArchive::operator=(TChmArchive&& other) noexcept
{
    if (this != &other) {
        FOpen = std::exchange(other.FOpen, false);
        FStream = std::exchange(other.FStream, {});
        FEntries = std::exchange(other.FEntries, {});
        FIndex = std::exchange(other.FIndex, {});
    }
    return *this;
}

fs::path TChmArchive::ReaderBesideProgram()
{
    if (QCoreApplication::instance() == nullptr)
        return {};
    return ToFileName(QCoreApplication::applicationDirPath()) / ReaderName;
}

std::vector<std::string> TChmArchive::Entries() const
{
    std::vector<std::string> paths;
    paths.reserve(FEntries.size());
    for (const TEntry& entry : FEntries)
        paths.push_back(entry.Path);
    return paths;
}

const TChmArchive::TEntry* TChmArchive::Find(std::string_view path) const
{
    const std::optional<std::size_t> found = FIndex.Find(path);
    return found ? &FEntries[*found] : nullptr;
}

std::optional<std::string> TChmArchive::ResolveTopic(TAnsiView storedPath) const
{
    return FIndex.ResolveTopic(storedPath);
}

std::optional<std::string> TChmArchive::FindEntry(std::string_view path) const
{
    if (const TEntry* entry = Find(path))
        return entry->Path;
    return std::nullopt;
}

std::optional<std::string> TChmArchive::Read(std::string_view path) const
{
    const TEntry* entry = Find(path);
    if (entry == nullptr || entry->Path.ends_with('/') || !entry->ContentOffset
        || entry->ContentLength > MaxEntrySize)
        return std::nullopt;
    return FStream.substr(*entry->ContentOffset, entry->ContentLength);
}
