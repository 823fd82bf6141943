#include "app/MessageService.h"

#include "common/PathRules.h"

#include <cstddef>

namespace {

constexpr std::string_view ServicePrefix = "org.tintwright.";
// A bus name holds at most 255 characters.
constexpr std::size_t MaxElementLength = 255 - ServicePrefix.size();

bool IsAsciiLetterOrDigit(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

} // namespace

std::string MessageServiceName(std::string_view executableFileName)
{
    std::string_view name = ExtractFileName(executableFileName);
    name = name.substr(0, name.find('.'));

    // An element of a bus name holds ASCII letters, digits and "_", and starts with no digit.
    std::string element;
    if (name.empty() || (name.front() >= '0' && name.front() <= '9'))
        element = "_";
    for (const char c : name) {
        if (element.size() == MaxElementLength)
            break;
        element += IsAsciiLetterOrDigit(c) ? c : '_';
    }
    return std::string(ServicePrefix) + element;
}

std::string ApplicationObjectPath(std::string_view serviceName)
{
    std::string path = "/";
    for (const char c : serviceName)
        path += c == '.' ? '/' : c;
    return path;
}
