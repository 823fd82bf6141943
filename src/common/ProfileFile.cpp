#include "common/ProfileFile.h"

#include "common/Error.h"
#include "common/FileAccess.h"
#include "common/TextRules.h"

#include <optional>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
// The profile functions return at most this many bytes of a value.
constexpr std::size_t MaxValueLength = 2047;

// Where the lines begin: a UTF-8 byte-order mark is skipped, nothing else is decoded.
std::size_t FirstLineOffset(std::string_view text)
{
    return text.starts_with(ByteOrderMark) ? ByteOrderMark.size() : 0;
}

// The profile functions trim SP, HT, VT, FF and SUB; NUL and the other controls are text.
bool IsProfileBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A';
}

std::string_view TrimProfileBlanks(std::string_view text)
{
    while (!text.empty() && IsProfileBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsProfileBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool IsLineBreak(char c)
{
    return c == '\r' || c == '\n';
}

enum class TLineKind { Blank, Header, Comment, Entry, Other };

// One line of profile text: its text is [Begin, End), its terminator [End, Next), which is empty
// for a last line without one.
struct TLine
{
    std::size_t Begin = 0;
    std::size_t End = 0;
    std::size_t Next = 0;
    TLineKind Kind = TLineKind::Blank;
    std::string_view Name; // of a header or an entry, trimmed
    std::string_view Value; // of an entry, trimmed, quotes still on
    std::size_t AfterEquals = 0; // of an entry: the offset just after its first "="
};

// Walks the lines of profile text once, classifying each.
class TLineScanner
{
public:
    explicit TLineScanner(std::string_view text)
        : FText(text)
        , FPos(FirstLineOffset(text))
    { }

    bool Next(TLine& line)
    {
        if (FPos >= FText.size())
            return false;
        line = TLine();
        line.Begin = FPos;
        line.End = FText.find_first_of("\r\n", FPos);
        if (line.End == std::string_view::npos)
            line.End = line.Next = FText.size();
        else if (FText[line.End] == '\r' && line.End + 1 < FText.size()
            && FText[line.End + 1] == '\n')
            line.Next = line.End + 2;
        else
            line.Next = line.End + 1;
        FPos = line.Next;
        Classify(line);
        return true;
    }

private:
    void Classify(TLine& line) const
    {
        const std::string_view text
            = TrimProfileBlanks(FText.substr(line.Begin, line.End - line.Begin));
        if (text.empty()) {
            line.Kind = TLineKind::Blank;
        } else if (text.front() == '[') {
            // The name runs to the first "]" or to the end of the line; the rest is ignored.
            const std::string_view rest = text.substr(1);
            line.Kind = TLineKind::Header;
            line.Name = TrimProfileBlanks(rest.substr(0, rest.find(']')));
        } else if (text.front() == ';') {
            line.Kind = TLineKind::Comment;
        } else if (const std::size_t equals = text.find('='); equals != std::string_view::npos) {
            line.Kind = TLineKind::Entry;
            line.Name = TrimProfileBlanks(text.substr(0, equals));
            line.Value = TrimProfileBlanks(text.substr(equals + 1));
            line.AfterEquals = static_cast<std::size_t>(text.data() - FText.data()) + equals + 1;
        } else {
            line.Kind = TLineKind::Other;
        }
    }

    std::string_view FText;
    std::size_t FPos;
};

// What a lookup finds: the first header of the section and the first matching entry in it. The
// anchor is the line a new entry goes after: the section's last entry line, else its header.
struct TKeyPlace
{
    bool SectionFound = false;
    TLine Anchor;
    std::optional<TLine> Entry;
};

TKeyPlace LocateKey(std::string_view text, std::string_view section, std::string_view key)
{
    TKeyPlace place;
    TLineScanner lines(text);
    TLine line;
    while (lines.Next(line)) {
        if (line.Kind == TLineKind::Header) {
            // Only the first header of the name counts; its entries end at any next header.
            if (place.SectionFound)
                break;
            if (SameTextAscii(line.Name, section)) {
                place.SectionFound = true;
                place.Anchor = line;
            }
        } else if (place.SectionFound && line.Kind == TLineKind::Entry) {
            if (!line.Name.empty() && SameTextAscii(line.Name, key)) {
                place.Entry = line;
                break;
            }
            place.Anchor = line;
        }
    }
    return place;
}

// One pair of matching quotes around the whole value is removed, then the value is cut.
std::string_view EntryValue(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'')
        && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return value.substr(0, MaxValueLength);
}

// A missing or unreadable file reads as one without keys.
std::string ReadTextOrNothing(const fs::path& file)
{
    try {
        return ReadWholeFile(file, MaxProfileFileSize);
    } catch (const TError&) {
        return std::string();
    }
}

// The file about to be updated: a missing one counts as empty, but one that exists and cannot be
// read is an error, since rewriting it from nothing would lose its content.
std::string ReadTextToUpdate(const fs::path& file)
{
    try {
        return ReadWholeFile(file, MaxProfileFileSize);
    } catch (const TError&) {
        std::error_code error;
        if (!fs::exists(file, error) && !error)
            return std::string();
        throw;
    }
}

bool HasLineBreak(std::string_view text)
{
    return text.find_first_of("\r\n") != std::string_view::npos;
}

bool IsPadded(std::string_view text)
{
    return IsProfileBlank(text.front()) || IsProfileBlank(text.back());
}

// Why the names or the value cannot be written, or nullptr. Padded names are refused as well:
// lookups trim the file's names, so such a key could never be read or found again.
const char* WriteProblem(std::string_view section, std::string_view key, std::string_view value)
{
    if (section.empty())
        return "the section name is empty";
    if (HasLineBreak(section))
        return "the section name holds a line break";
    if (section.find(']') != std::string_view::npos)
        return "the section name holds \"]\"";
    if (IsPadded(section))
        return "the section name begins or ends with a blank";
    if (key.empty())
        return "the key is empty";
    if (HasLineBreak(key))
        return "the key holds a line break";
    if (key.find('=') != std::string_view::npos)
        return "the key holds \"=\"";
    if (key.front() == ';' || key.front() == '[')
        return "the key begins with \";\" or \"[\"";
    if (IsPadded(key))
        return "the key begins or ends with a blank";
    if (HasLineBreak(value))
        return "the value holds a line break";
    return nullptr;
}

// The text with the key set, every other byte kept.
std::string TextWithValue(
    std::string_view text, std::string_view section, std::string_view key, std::string_view value)
{
    const TKeyPlace place = LocateKey(text, section, key);
    std::string result;
    result.reserve(text.size() + section.size() + key.size() + value.size() + 8);
    if (place.Entry) {
        // The line keeps its name, its "=" and the blanks after it, and its own terminator.
        const TLine& entry = *place.Entry;
        std::size_t keep = entry.AfterEquals;
        while (keep < entry.End && (text[keep] == ' ' || text[keep] == '\t'))
            ++keep;
        result.append(text.substr(0, keep)).append(value);
        if (entry.Next > entry.End)
            result.append(text.substr(entry.End, entry.Next - entry.End));
        else
            result.append("\r\n");
        result.append(text.substr(entry.Next));
    } else if (place.SectionFound) {
        const TLine& anchor = place.Anchor;
        result.append(text.substr(0, anchor.Next));
        if (anchor.Next == anchor.End)
            result.append("\r\n");
        result.append(key).append("=").append(value).append("\r\n");
        result.append(text.substr(anchor.Next));
    } else {
        result.append(text);
        if (text.size() > FirstLineOffset(text) && !IsLineBreak(text.back()))
            result.append("\r\n");
        result.append("[").append(section).append("]\r\n");
        result.append(key).append("=").append(value).append("\r\n");
    }
    return result;
}

} // namespace

TAnsiString ReadProfileString(
    const fs::path& file, std::string_view section, std::string_view key, TAnsiView defaultValue)
{
    const std::string text = ReadTextOrNothing(file);
    const TKeyPlace place = LocateKey(text, section, key);
    return std::string(place.Entry ? EntryValue(place.Entry->Value) : defaultValue);
}

void WriteProfileString(
    const fs::path& file, std::string_view section, std::string_view key, TAnsiView value)
{
    if (const char* problem = WriteProblem(section, key, value))
        throw TError(FormatText("Cannot write to \"%s\": %s", file.c_str(), problem));
    const std::string text = TextWithValue(ReadTextToUpdate(file), section, key, value);
    // A file this program could not read again is not written.
    if (text.size() > MaxProfileFileSize)
        throw TError(FormatText("Cannot write to \"%s\": the file would be larger than %s",
                         file.c_str(), ByteSizeText(MaxProfileFileSize).c_str()),
            file);
    WriteFileAtomically(file, text);
}

TProfileFile::TProfileFile(const fs::path& file)
{
    Index(ReadTextOrNothing(file));
}

TProfileFile TProfileFile::FromText(TAnsiView text)
{
    TProfileFile profile;
    profile.Index(text);
    return profile;
}

void TProfileFile::Index(std::string_view text)
{
    // Entries of a repeated section name, and of lines before any header, are never read.
    std::unordered_map<std::string, std::string>* entries = nullptr;
    TLineScanner lines(text);
    TLine line;
    while (lines.Next(line)) {
        if (line.Kind == TLineKind::Header) {
            const auto [place, inserted] = FSections.try_emplace(AsciiLowerCase(line.Name));
            entries = inserted ? &place->second : nullptr;
        } else if (entries && line.Kind == TLineKind::Entry && !line.Name.empty()) {
            entries->try_emplace(AsciiLowerCase(line.Name), EntryValue(line.Value));
        }
    }
}

TAnsiString TProfileFile::ReadString(
    std::string_view section, std::string_view key, TAnsiView defaultValue) const
{
    const auto entries = FSections.find(AsciiLowerCase(section));
    if (entries == FSections.end())
        return std::string(defaultValue);
    const auto entry = entries->second.find(AsciiLowerCase(key));
    return entry == entries->second.end() ? std::string(defaultValue) : entry->second;
}
