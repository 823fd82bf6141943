#pragma once

#include <stdexcept>
#include <string>

// A failure whose text is exactly what the user reads in the message box.
class TError : public std::runtime_error
{
public:
    explicit TError(const std::string& message)
        : std::runtime_error(message)
    { }
};
