#pragma once

#include <stdexcept>
#include <string>

// A failure whose text is exactly what the user reads in the message box. The text is UTF-8:
// file names go in as the file system's bytes, Windows-1252 texts are converted before they are
// put into a message (Utf8FromAnsi in common/Windows1252.h). The one guard in the ui shows it.
class TError : public std::runtime_error
{
public:
    explicit TError(const std::string& message)
        : std::runtime_error(message)
    { }
};
