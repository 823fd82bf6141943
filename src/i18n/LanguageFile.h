#pragma once

#include "common/AnsiString.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TProfileFile;

// Language files (.clf): INI text in Windows-1252 in the languages folder beside the executable.

// The file a language value names. The value is a bare name ("English"), a file name
// ("English.clf") or a path: a value without an extension (no "." after its last "/") gets ".clf",
// and a value without a folder part (no "/") lies in programFolder + "languages/"; a value with a
// folder part is used as it stands. programFolder ends in "/".
std::filesystem::path LanguageFilePath(std::string_view language, std::string_view programFolder);

// Reads a language file to apply it. What is not a regular file, or is larger than
// MaxProfileFileSize, is refused with TFileReadError naming the file, before anything changes;
// a file that cannot be read for another reason (not permitted) has no keys.
TProfileFile ReadLanguageFile(const std::filesystem::path& file);

// One value of a language file, or the default when the key is missing. Text from a NUL byte on
// is dropped, as the window system's texts end there.
TAnsiString ReadLanguageText(const TProfileFile& file, std::string_view section,
    std::string_view key, TAnsiView defaultText);

// The locale whose translations Qt's own texts (dialog buttons, file and colour dialogs) take
// with this language: section Language, key Locale, such as "de" or "pt_BR". Empty when the key
// is missing or its value is no locale name (ASCII letters first, then letters, digits, "_" and
// "-", at most 35 in all).
std::string ReadLanguageLocale(const TProfileFile& file);

// The counts the language says in the singular (section Language, key SingularCounts): whole
// numbers separated by commas or blanks, such as "1" or "0, 1"; an empty value names none. None
// when the key is missing or its value is no such list (more than 16 numbers, or one of more
// than 9 digits, is none either).
std::optional<std::vector<std::uint64_t>> ReadSingularCounts(const TProfileFile& file);

// The folder the chooser lists: programFolder + "languages/".
std::filesystem::path LanguagesFolder(std::string_view programFolder);

// One installed language, as the chooser lists it.
struct TLanguageItem
{
    std::string FileName; // as found in the folder, with its extension: the file system's bytes
    TAnsiString LanguageName; // section Language, key Language; else the file name
    TAnsiString Translator; // section Language, key Translator; else empty
};

// Reads the Language section of the file. A file that is missing, not a regular file (a folder,
// FIFO or device is never opened) or unreadable has no keys. When the file names no language, its
// file name stands in, converted from the file system's UTF-8 so it shows as it does on disk.
TLanguageItem ReadLanguageItem(const std::filesystem::path& file);
// The same from a language file already read, found under the given name.
TLanguageItem ReadLanguageItem(const TProfileFile& profile, std::string fileName);

// Every entry of the folder whose name ends in ".clf" in any letter case, folders included, in
// the order the file system gives them. A missing or unreadable folder lists nothing.
std::vector<TLanguageItem> ListLanguageFiles(const std::filesystem::path& folder);

// The index of the first item that is the file a language value names (see LanguageFilePath): a
// bare name ("English") names its ".clf" file, a file name that file, and a path that file when
// its folder is languagesFolder (after "." and ".." are resolved; a path elsewhere names no
// item). File names compare ignoring letter case, accented letters included ("FRANÇAIS.clf" is
// "Français.clf", "Francais.clf" is not), whether a name is UTF-8 or Windows-1252. -1 when no
// item matches.
int FindLanguageItem(const std::vector<TLanguageItem>& items, std::string_view language,
    const std::filesystem::path& languagesFolder);

// One entry of a file dialog's filter list, e.g. {"Bitmaps", "*.bmp"}; the window shows it as
// Qt's "Bitmaps (*.bmp)". A translated name may hold ";;", so the entries go to the dialog as a
// list (QFileDialog::setNameFilters), never joined into one text.
struct TFileFilter
{
    TAnsiString Name;
    std::string Pattern;
};

// The filter list of one of the main window's five file dialogs, by its object name.
struct TDialogFilters
{
    const char* DialogName;
    std::array<TFileFilter, 2> Filters;
};

// The five dialogs' filters from the four filter names (Filter1 to Filter4 of a language file:
// colour files, all files, preview files, bitmaps). The all-files pattern is "*", since "*.*"
// would hide names without a dot.
std::array<TDialogFilters, 5> BuildDialogFilters(const std::array<TAnsiString, 4>& filterNames);
