#include "i18n/LanguageFile.h"

#include "common/FileAccess.h"
#include "common/PathRules.h"
#include "common/ProfileFile.h"
#include "common/TextRules.h"
#include "common/Windows1252.h"

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

bool HasLanguageExtension(std::string_view name)
{
    return name.size() >= LanguageExtension.size()
        && SameTextAscii(name.substr(name.size() - LanguageExtension.size()), LanguageExtension);
}

bool IsRegularFile(const fs::path& file)
{
    std::error_code error;
    return fs::is_regular_file(file, error);
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

fs::path LanguagesFolder(std::string_view programFolder)
{
    return fs::path(std::string(programFolder) + "languages/");
}

fs::path LanguageFilePath(std::string_view language, std::string_view programFolder)
{
    std::string name(language);
    // Any extension is kept, whatever it is; only a name without one becomes a language file.
    if (ExtractFileName(name).find('.') == std::string_view::npos)
        name += LanguageExtension;
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
    // Only a regular file is opened: a device could block or have effects of its own.
    const TProfileFile profile
        = IsRegularFile(file) ? TProfileFile(file) : TProfileFile::FromText(std::string_view());
    return ReadLanguageItem(profile, file.filename().string());
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

int FindLanguageItem(const std::vector<TLanguageItem>& items, std::string_view language)
{
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (SameTextAscii(items[i].FileName, language))
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
