#include "i18n/LanguageFile.h"

#include "common/FileAccess.h"
#include "common/PathRules.h"
#include "common/ProfileFile.h"
#include "common/TextRules.h"
#include "common/Windows1252.h"

#include <algorithm>
#include <optional>
#include <system_error>
#include <utility>

namespace fs = std::filesystem;

namespace {

constexpr std::string_view LanguageExtension = ".clf";

// The next code point of strict UTF-8 (no overlong forms, surrogates or values past U+10FFFF).
std::optional<char32_t> NextUtf8(std::string_view text, std::size_t& at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    int length = 0;
    char32_t c = 0;
    if (lead < 0x80) {
        ++at;
        return lead;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        c = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        c = lead & 0x07;
    } else {
        return std::nullopt;
    }
    if (at + static_cast<std::size_t>(length) > text.size())
        return std::nullopt;
    for (int i = 1; i < length; ++i) {
        const unsigned char next = byte(at + static_cast<std::size_t>(i));
        if ((next & 0xC0) != 0x80)
            return std::nullopt;
        c = c << 6 | (next & 0x3F);
    }
    if ((length == 3 && c < 0x800) || (length == 4 && c < 0x10000) || c > 0x10FFFF
        || (c >= 0xD800 && c <= 0xDFFF))
        return std::nullopt;
    at += static_cast<std::size_t>(length);
    return c;
}

// A file name as Windows-1252 text for display: UTF-8 is converted ("?" for what the code page
// cannot hold); a name that is not UTF-8 is taken byte for byte.
TAnsiString AnsiFromFileName(std::string_view name)
{
    TAnsiString result;
    result.reserve(name.size());
    for (std::size_t at = 0; at < name.size();) {
        const std::optional<char32_t> c = NextUtf8(name, at);
        if (!c)
            return TAnsiString(name);
        const std::optional<unsigned char> ansi = UnicodeToWindows1252(*c);
        result.push_back(ansi ? static_cast<char>(*ansi) : '?');
    }
    return result;
}

// A file name's characters: UTF-8 when it is valid UTF-8 (as the file system gives names),
// otherwise Windows-1252 byte by byte (as a settings file holds them).
std::u32string NameCharacters(std::string_view name)
{
    std::u32string characters;
    for (std::size_t at = 0; at < name.size();) {
        const std::optional<char32_t> c = NextUtf8(name, at);
        if (!c) {
            characters.clear();
            for (const char byte : name)
                characters.push_back(Windows1252ToUnicode(static_cast<unsigned char>(byte)));
            return characters;
        }
        characters.push_back(*c);
    }
    return characters;
}

// Lower case for the capitals Windows-1252 holds: A-Z, the Latin-1 ones (not the multiplication
// sign) and S, OE, Z and Y with their marks. Accents stay: E and É are different letters.
char32_t FoldCase(char32_t c)
{
    if ((c >= U'A' && c <= U'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return c + 0x20;
    switch (c) {
    case 0x160: // S with caron
    case 0x152: // OE
    case 0x17D: // Z with caron
        return c + 1;
    case 0x178: // Y with diaeresis
        return 0xFF;
    default:
        return c;
    }
}

bool SameFileNameIgnoringCase(std::string_view a, std::string_view b)
{
    const std::u32string x = NameCharacters(a);
    const std::u32string y = NameCharacters(b);
    return x.size() == y.size()
        && std::equal(x.begin(), x.end(), y.begin(),
            [](char32_t p, char32_t q) { return FoldCase(p) == FoldCase(q); });
}

// A folder as it is compared: "." and ".." resolved, one trailing "/".
fs::path ComparableFolder(const fs::path& folder)
{
    return (folder / "").lexically_normal();
}

// The value with ".clf" added when its file-name part has no extension.
std::string WithLanguageExtension(std::string_view language)
{
    std::string name(language);
    // Any extension is kept, whatever it is; only a name without one becomes a language file.
    if (ExtractFileName(name).find('.') == std::string_view::npos)
        name += LanguageExtension;
    return name;
}

bool HasLanguageExtension(std::string_view name)
{
    return name.size() >= LanguageExtension.size()
        && SameTextAscii(name.substr(name.size() - LanguageExtension.size()), LanguageExtension);
}

} // namespace

TAnsiString ReadLanguageText(
    const TProfileFile& file, std::string_view section, std::string_view key, TAnsiView defaultText)
{
    TAnsiString value = file.ReadString(section, key, defaultText);
    if (const std::size_t nul = value.find('\0'); nul != TAnsiString::npos)
        value.resize(nul);
    return value;
}

std::string ReadLanguageLocale(const TProfileFile& file)
{
    constexpr std::size_t longestLocale = 35; // the longest BCP 47 tag a system is asked to keep
    const std::string value = ReadLanguageText(file, "Language", "Locale", "");
    const auto isLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    const auto isPart
        = [&](char c) { return isLetter(c) || (c >= '0' && c <= '9') || c == '_' || c == '-'; };
    if (value.empty() || value.size() > longestLocale || !isLetter(value.front())
        || !std::all_of(value.begin(), value.end(), isPart))
        return {};
    return value;
}

std::optional<std::vector<std::uint64_t>> ReadSingularCounts(const TProfileFile& file)
{
    constexpr std::size_t mostCounts = 16;
    constexpr std::size_t mostDigits = 9;
    constexpr TAnsiView missing = "\x01";
    const std::string value = ReadLanguageText(file, "Language", "SingularCounts", missing);
    if (value == missing)
        return std::nullopt;
    std::vector<std::uint64_t> counts;
    std::size_t digits = 0;
    bool inNumber = false;
    for (const char c : value) {
        if (c >= '0' && c <= '9') {
            if (!inNumber)
                counts.push_back(0);
            if (counts.size() > mostCounts)
                return std::nullopt;
            inNumber = true;
            if (++digits > mostDigits)
                return std::nullopt;
            counts.back() = counts.back() * 10 + std::uint64_t(c - '0');
        } else if (c == ',' || c == ' ' || c == '\t') {
            inNumber = false;
            digits = 0;
        } else {
            return std::nullopt;
        }
    }
    return counts;
}

fs::path LanguagesFolder(std::string_view programFolder)
{
    return fs::path(std::string(programFolder) + "languages/");
}

fs::path LanguageFilePath(std::string_view language, std::string_view programFolder)
{
    std::string name = WithLanguageExtension(language);
    if (!HasFolderPart(name))
        name = std::string(programFolder) + "languages/" + name;
    return fs::path(name);
}

TLanguageItem ReadLanguageItem(const TProfileFile& profile, std::string fileName)
{
    TLanguageItem item;
    item.FileName = std::move(fileName);
    item.LanguageName
        = ReadLanguageText(profile, "Language", "Language", AnsiFromFileName(item.FileName));
    item.Translator = ReadLanguageText(profile, "Language", "Translator", "");
    return item;
}

TProfileFile ReadLanguageFile(const fs::path& file)
{
    try {
        return TProfileFile::FromText(ReadWholeFile(file, MaxProfileFileSize));
    } catch (const TFileReadError& error) {
        if (error.Reason != TFileReadError::TReason::Unreadable)
            throw;
        return TProfileFile::FromText(std::string_view());
    }
}

TLanguageItem ReadLanguageItem(const fs::path& file)
{
    // The reader opens only a regular file (a device could block or have effects of its own);
    // anything else reads as a file without keys.
    return ReadLanguageItem(TProfileFile(file), file.filename().string());
}

std::vector<TLanguageItem> ListLanguageFiles(const fs::path& folder)
{
    std::vector<TLanguageItem> items;
    std::error_code error;
    fs::directory_iterator entry(folder, error);
    for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
        if (HasLanguageExtension(entry->path().filename().string()))
            items.push_back(ReadLanguageItem(entry->path()));
    }
    return items;
}

int FindLanguageItem(const std::vector<TLanguageItem>& items, std::string_view language,
    const fs::path& languagesFolder)
{
    // The file the value names, as applying it finds it.
    const std::string name = WithLanguageExtension(language);
    if (HasFolderPart(name)
        && ComparableFolder(std::string(ExtractFilePath(name)))
            != ComparableFolder(languagesFolder))
        return -1;
    const std::string_view fileName = ExtractFileName(name);
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (SameFileNameIgnoringCase(items[i].FileName, fileName))
            return static_cast<int>(i);
    }
    return -1;
}

std::array<TDialogFilters, 5> BuildDialogFilters(const std::array<TAnsiString, 4>& filterNames)
{
    const TFileFilter colorFiles {filterNames[0], "*.clr"};
    const TFileFilter allFiles {filterNames[1], "*"};
    const TFileFilter previewFiles {filterNames[2], "*.cpf"};
    const TFileFilter bitmaps {filterNames[3], "*.bmp"};
    return {{
        {"OpenDialogColorFile", {colorFiles, allFiles}},
        {"SaveDialogColorFile", {colorFiles, allFiles}},
        {"OpenDialogPreviewFile", {previewFiles, allFiles}},
        {"SaveDialogPreviewFile", {previewFiles, allFiles}},
        {"OpenPictureDialogPreviewBitmap", {bitmaps, allFiles}},
    }};
}
