#pragma once

#include <exception>
#include <filesystem>
#include <stdexcept>
#include <string>

// A failure whose text is exactly what the user reads in the message box. The text is UTF-8:
// file names go in as the file system's bytes, Windows-1252 texts are converted before they are
// put into a message (Utf8FromAnsi in common/Windows1252.h). The one guard in the ui shows it,
// naming the file concerned, when there is one, below the text.
class TError : public std::runtime_error
{
public:
    explicit TError(const std::string& message)
        : std::runtime_error(message)
    { }
    TError(const std::string& message, std::filesystem::path file)
        : std::runtime_error(message)
        , FFile(std::move(file))
    { }

    // The file the failure concerns; empty when it concerns none.
    const std::filesystem::path& File() const { return FFile; }

private:
    std::filesystem::path FFile;
};

// Runs `work`; a TError it throws that names no file is thrown again naming `file`.
template <typename TWork>
decltype(auto) ConcerningFile(const std::filesystem::path& file, TWork&& work)
{
    try {
        return work();
    } catch (const TError& error) {
        if (!error.File().empty())
            throw;
        throw TError(error.what(), file);
    }
}

// The text the user reads for a failure: the program's own messages (TError, a failed write) as
// they stand; a sentence for the standard library's failures, whose texts are type names or
// implementation details ("std::bad_alloc", "basic_string::_M_create"): "Out of memory" when
// memory or a container's size ran out, the system's reason for a system error, and a plain
// statement of an internal error for the rest.
std::string UserErrorText(const std::exception& error);
