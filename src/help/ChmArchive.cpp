#include "help/ChmArchive.h"

#include "common/BusyCursor.h"
#include "common/UiText.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QEventLoop>
#include <QCursor>
#include <QGuiApplication>
#include <QProcess>
#include <QStringList>
#include <QTimer>

#include <cstdint>
#include <map>
#include <sys/stat.h>
#include <utility>

namespace fs = std::filesystem;

namespace {

// How long a reader that was killed for its time limit may take to go.
constexpr int EndingTime = 1000;

void Append(std::string& output, const QByteArray& bytes)
{
    output.append(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

enum class TRunResult { Output, NotStarted, Failed };

// Runs the reader and collects its output. The window is not held meanwhile: its events run
// (painting, timers, the bus), and only the user's input waits until the reader is done, so that
// no help request starts while this one runs. The output counts when the reader ran to its end
// within the time limit, exited 0 and wrote no more than a stream may hold.
TRunResult RunReader(const fs::path& reader, const fs::path& file,
    std::chrono::milliseconds timeLimit, std::string& output)
{
    // QProcess would search PATH for a bare name. A name that does not survive the conversion
    // to QString (not UTF-8) would reach the reader changed, naming another file.
    const QString program = FromFileName(reader);
    const QString argument = FromFileName(file);
    if (!reader.is_absolute() || ToFileName(program) != reader || ToFileName(argument) != file)
        return TRunResult::NotStarted;

    QProcess process;
    process.setProgram(program);
    process.setArguments({argument});
    process.setStandardInputFile(QProcess::nullDevice());
    // Anything the reader says on stderr goes to ours rather than into memory.
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);

    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    bool tooMuch = false;
    bool started = true;
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            started = false;
            loop.quit();
        }
    });
    QObject::connect(&process, &QProcess::readyReadStandardOutput, &loop, [&] {
        Append(output, process.readAllStandardOutput());
        if (output.size() > MaxChmStreamSize) {
            tooMuch = true;
            loop.quit();
        }
    });
    const TBusyCursor busy;
    deadline.start(timeLimit);
    process.start(QIODevice::ReadOnly);
    if (process.state() != QProcess::NotRunning)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!started)
        return TRunResult::NotStarted;
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(EndingTime);
        return TRunResult::Failed;
    }
    Append(output, process.readAllStandardOutput());
    if (tooMuch || output.size() > MaxChmStreamSize || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0)
        return TRunResult::Failed;
    return TRunResult::Output;
}

// What tells a file from the file it is replaced with.
struct TFileIdentity
{
    dev_t Device = 0;
    ino_t Inode = 0;
    off_t Size = 0;
    std::int64_t ModifiedSeconds = 0;
    long ModifiedNanoseconds = 0;

    bool operator==(const TFileIdentity&) const = default;
};

TFileIdentity IdentityOf(const struct stat& info)
{
    return TFileIdentity {
        info.st_dev, info.st_ino, info.st_size, info.st_mtim.tv_sec, info.st_mtim.tv_nsec};
}

// The files a reader ran on and failed, as they were then: a reader that hangs would otherwise
// hold every help request for its whole time limit. Such a file is read again once it changed.
std::map<std::pair<fs::path, fs::path>, TFileIdentity>& FailedFiles()
{
    static std::map<std::pair<fs::path, fs::path>, TFileIdentity> failed;
    return failed;
}

} // namespace

TChmArchive::TChmArchive(const fs::path& file)
    : TChmArchive(file, ReaderBesideProgram())
{ }

TChmArchive::TChmArchive(
    const fs::path& file, const fs::path& reader, std::chrono::milliseconds timeLimit)
{
    // The reader refuses these too; this spares starting it for a file that is not there, and
    // tells the viewers why a file was refused.
    struct stat info
    {
    };
    if (::stat(file.c_str(), &info) != 0)
        return;
    if (!S_ISREG(info.st_mode)) {
        FRefusal = TRefusal::NotRegular;
        return;
    }
    if (std::uintmax_t(info.st_size) > MaxFileSize) {
        FRefusal = TRefusal::TooLarge;
        return;
    }
    const TFileIdentity identity = IdentityOf(info);
    const auto key = std::make_pair(reader, file);
    auto& failed = FailedFiles();
    if (const auto known = failed.find(key); known != failed.end() && known->second == identity)
        return;
    std::string stream;
    const TRunResult result = RunReader(reader, file, timeLimit, stream);
    std::optional<std::vector<TChmStreamEntry>> entries;
    if (result == TRunResult::Output)
        entries = ReadChmEntryStream(stream);
    if (!entries) {
        if (result != TRunResult::NotStarted)
            failed.insert_or_assign(key, identity);
        return;
    }
    failed.erase(key);
    FEntries.reserve(entries->size());
    for (const TChmStreamEntry& entry : *entries) {
        TEntry& kept = FEntries.emplace_back();
        kept.Path = entry.Path;
        if (entry.Content) {
            kept.ContentOffset = static_cast<std::size_t>(entry.Content->data() - stream.data());
            kept.ContentLength = entry.Content->size();
        }
    }
    std::vector<std::string_view> paths;
    paths.reserve(FEntries.size());
    for (const TEntry& entry : FEntries)
        paths.push_back(entry.Path);
    FIndex = TChmPathIndex(paths);
    FStream = std::move(stream);
    FOpen = true;
}

TChmArchive::TChmArchive(TChmArchive&& other) noexcept
    : FOpen(std::exchange(other.FOpen, false))
    , FRefusal(std::exchange(other.FRefusal, TRefusal::None))
    , FStream(std::exchange(other.FStream, {}))
    , FEntries(std::exchange(other.FEntries, {}))
    , FIndex(std::exchange(other.FIndex, {}))
{ }

TChmArchive& TChmArchive::operator=(TChmArchive&& other) noexcept
{
    if (this != &other) {
        FOpen = std::exchange(other.FOpen, false);
        FRefusal = std::exchange(other.FRefusal, TRefusal::None);
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
