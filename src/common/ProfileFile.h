#pragma once

#include "common/AnsiString.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>

// Profile (INI) files read and written one key at a time with the Windows profile rules, on raw
// bytes: every byte a write does not have to change stays as it was.

// The largest profile file read or written. Settings files hold a few keys and language files a
// few kilobytes of texts; even every key the program reads, each at the longest value it takes
// (2047 bytes), comes to less than a fifth of this.
inline constexpr std::uint64_t MaxProfileFileSize = std::uint64_t {1} << 20;

// The value of the key in the first section of that name, or the default when the file, the
// section or the key is missing. A missing, unreadable or special file (folder, FIFO), and one
// larger than MaxProfileFileSize, has no keys.
TAnsiString ReadProfileString(const std::filesystem::path& file, std::string_view section,
    std::string_view key, TAnsiView defaultValue);

// Sets the key in the file, changing or inserting one line (a missing file is created; its folder
// must exist). Names that could not be read back, line breaks in the value and a file that would
// grow past MaxProfileFileSize are refused with a TError and the file stays untouched, and so is
// a file that exists but cannot be read (TFileReadError: special, too large or not permitted); a
// failed write throws TFileWriteError.
void WriteProfileString(const std::filesystem::path& file, std::string_view section,
    std::string_view key, TAnsiView value);

// A profile file read once and indexed, for readers that look up many keys (language files).
// Lookups give what ReadProfileString gives for the file as it was read.
class TProfileFile
{
public:
    // Reads the file; a missing, unreadable, special or too large file has no keys.
    explicit TProfileFile(const std::filesystem::path& file);
    // Indexes profile text already in memory.
    static TProfileFile FromText(TAnsiView text);

    TAnsiString ReadString(
        std::string_view section, std::string_view key, TAnsiView defaultValue) const;

private:
    TProfileFile() = default;
    void Index(std::string_view text);

    // Lower-cased section name -> lower-cased key -> value, first occurrences only.
    std::unordered_map<std::string, std::unordered_map<std::string, std::string>> FSections;
};
