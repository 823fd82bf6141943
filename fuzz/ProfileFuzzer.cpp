// Profile (INI) files: any bytes and any section and key read as the profile rules say, and a
// write either is refused with the file untouched or changes exactly the one line the rules
// name, after which the key reads back as the value written.
//
// Input: a separator byte, then section, key, value and the file's bytes, separated by it.
// Without a third separator there is no file at all.

#include "FuzzCheck.h"
#include "common/Error.h"
#include "common/ProfileFile.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// The rules again, written plainly over a list of lines, as the measure for the real reader.

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t MaxValueLength = 2047;
// The default passed to the reader; a value that happens to be the same still compares equal.
constexpr std::string_view Absent = "\x01<absent>\x02";

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A';
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

char Fold(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Fold(a[i]) != Fold(b[i]))
            return false;
    return true;
}

struct TTextLine
{
    std::string Text;
    std::string End; // "\r\n", "\r", "\n", or empty for a last line without one
};

std::vector<TTextLine> SplitLines(std::string_view text)
{
    std::vector<TTextLine> lines;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find_first_of("\r\n"), text.size());
        std::size_t next = end;
        if (end < text.size())
            next = text.substr(end, 2) == "\r\n" ? end + 2 : end + 1;
        lines.push_back(
            {std::string(text.substr(0, end)), std::string(text.substr(end, next - end))});
        text.remove_prefix(next);
    }
    return lines;
}

// Line indexes of the first header of the section, of its last entry line and of the key.
struct TFound
{
    std::optional<std::size_t> Header, LastEntry, Entry;
    std::string Value; // of the key, quotes removed and cut
};

TFound Find(const std::vector<TTextLine>& lines, std::string_view section, std::string_view key)
{
    TFound found;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view text = Trim(lines[i].Text);
        if (text.empty())
            continue;
        if (text.front() == '[') {
            if (found.Header)
                break;
            const std::string_view rest = text.substr(1);
            if (SameName(Trim(rest.substr(0, rest.find(']'))), section))
                found.Header = i;
            continue;
        }
        if (!found.Header || text.front() == ';')
            continue;
        const std::size_t equals = text.find('=');
        if (equals == std::string_view::npos)
            continue;
        const std::string_view name = Trim(text.substr(0, equals));
        if (!name.empty() && SameName(name, key)) {
            found.Entry = i;
            std::string_view value = Trim(text.substr(equals + 1));
            if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'')
                && value.back() == value.front())
                value = value.substr(1, value.size() - 2);
            found.Value = std::string(value.substr(0, MaxValueLength));
            break;
        }
        found.LastEntry = i;
    }
    return found;
}

std::string_view Body(std::string_view text)
{
    return text.starts_with(ByteOrderMark) ? text.substr(ByteOrderMark.size()) : text;
}

std::optional<std::string> ExpectedRead(
    std::string_view text, std::string_view section, std::string_view key)
{
    // A file past the size limit is not read at all.
    if (text.size() > MaxProfileFileSize)
        return std::nullopt;
    const TFound found = Find(SplitLines(Body(text)), section, key);
    if (!found.Entry)
        return std::nullopt;
    return found.Value;
}

// The file after the key is set: one line replaced, or one inserted, or a section appended.
std::string ExpectedWrite(
    std::string_view text, std::string_view section, std::string_view key, std::string_view value)
{
    const std::string_view body = Body(text);
    std::vector<TTextLine> lines = SplitLines(body);
    const TFound found = Find(lines, section, key);
    const std::string entry = std::string(key) + "=" + std::string(value);
    if (found.Entry) {
        TTextLine& line = lines[*found.Entry];
        std::size_t keep = line.Text.find('=') + 1;
        while (keep < line.Text.size() && (line.Text[keep] == ' ' || line.Text[keep] == '\t'))
            ++keep;
        line.Text = line.Text.substr(0, keep) + std::string(value);
        if (line.End.empty())
            line.End = "\r\n";
    } else if (found.Header) {
        const std::size_t anchor = found.LastEntry.value_or(*found.Header);
        if (lines[anchor].End.empty())
            lines[anchor].End = "\r\n";
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(anchor) + 1, {entry, "\r\n"});
    } else {
        if (!lines.empty() && lines.back().End.empty())
            lines.back().End = "\r\n";
        lines.push_back({"[" + std::string(section) + "]", "\r\n"});
        lines.push_back({entry, "\r\n"});
    }
    std::string result(text.substr(0, text.size() - body.size()));
    for (const TTextLine& line : lines)
        result += line.Text + line.End;
    return result;
}

bool HasLineBreak(std::string_view text)
{
    return text.find_first_of("\r\n") != std::string_view::npos;
}

bool IsPadded(std::string_view text)
{
    return !text.empty() && (IsBlank(text.front()) || IsBlank(text.back()));
}

// Names the reader could not find again, values that would split the line, and a file that is,
// or would become, too large to read.
bool WriteIsRefused(
    std::string_view text, std::string_view section, std::string_view key, std::string_view value)
{
    if (text.size() > MaxProfileFileSize)
        return true;
    return section.empty() || HasLineBreak(section) || section.find(']') != std::string_view::npos
        || IsPadded(section) || key.empty() || HasLineBreak(key)
        || key.find('=') != std::string_view::npos || key.front() == ';' || key.front() == '['
        || IsPadded(key) || HasLineBreak(value)
        || ExpectedWrite(text, section, key, value).size() > MaxProfileFileSize;
}

fs::path Folder;

std::optional<std::string> FileBytes(const fs::path& file)
{
    std::ifstream stream(file, std::ios::binary);
    if (!stream)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(stream), {});
}

std::size_t FolderEntries()
{
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(Folder), fs::directory_iterator()));
}

// The caller's temporary folder, else a RAM-backed one, which keeps the atomic writes (fsync,
// rename) cheap.
fs::path TemporaryBase()
{
    if (const char* folder = std::getenv("TMPDIR"); folder != nullptr && *folder != '\0')
        return folder;
    return fs::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
}

void RemoveFolder()
{
    std::error_code ignored;
    fs::remove_all(Folder, ignored);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    std::string pattern = (TemporaryBase() / "tintwright-fuzz-profile-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        std::perror("mkdtemp");
        std::abort();
    }
    Folder = pattern;
    std::atexit(RemoveFolder);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
    const char separator = static_cast<char>(data[0]);
    std::string_view fields[3];
    int fieldCount = 0;
    for (; fieldCount < 3; ++fieldCount) {
        const std::size_t at = input.find(separator);
        fields[fieldCount] = input.substr(0, at);
        if (at == std::string_view::npos)
            break;
        input.remove_prefix(at + 1);
    }
    const std::string_view section = fields[0], key = fields[1], value = fields[2];
    std::optional<std::string> before;
    if (fieldCount == 3)
        before = std::string(input);

    const fs::path file = Folder / "fuzz.ini";
    if (before) {
        std::ofstream stream(file, std::ios::binary | std::ios::trunc);
        stream.write(before->data(), static_cast<std::streamsize>(before->size()));
        FUZZ_CHECK(stream.flush());
    } else {
        fs::remove(file);
    }

    const std::string text = before.value_or("");
    const std::string expected = ExpectedRead(text, section, key).value_or(std::string(Absent));
    FUZZ_CHECK(ReadProfileString(file, section, key, Absent) == expected);
    FUZZ_CHECK(TProfileFile(file).ReadString(section, key, Absent) == expected);
    FUZZ_CHECK(TProfileFile::FromText(text).ReadString(section, key, Absent) == expected);

    if (WriteIsRefused(text, section, key, value)) {
        bool refused = false;
        try {
            WriteProfileString(file, section, key, value);
        } catch (const TError&) {
            refused = true;
        }
        FUZZ_CHECK(refused);
        FUZZ_CHECK(FileBytes(file) == before);
        FUZZ_CHECK(FolderEntries() == (before ? 1u : 0u));
        return 0;
    }

    try {
        WriteProfileString(file, section, key, value);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "write failed: %s\n", error.what());
        std::abort();
    }
    const std::optional<std::string> after = FileBytes(file);
    FUZZ_CHECK(after == ExpectedWrite(text, section, key, value));
    FUZZ_CHECK(FolderEntries() == 1);
    // What the reader makes of the value as written: blanks trimmed, one pair of quotes removed.
    const std::optional<std::string> found = ExpectedRead(*after, section, key);
    FUZZ_CHECK(found.has_value());
    const std::string& readBack = *found;
    FUZZ_CHECK(ReadProfileString(file, section, key, Absent) == readBack);
    FUZZ_CHECK(TProfileFile::FromText(*after).ReadString(section, key, Absent) == readBack);
    std::string_view written = Trim(value);
    if (written.size() >= 2 && (written.front() == '"' || written.front() == '\'')
        && written.back() == written.front())
        written = written.substr(1, written.size() - 2);
    FUZZ_CHECK(readBack == written.substr(0, MaxValueLength));
    return 0;
}
