#include "common/PathRules.h"

#include "common/TextRules.h"

bool HasFolderPart(std::string_view path)
{
    return path.find('/') != std::string_view::npos;
}

std::string_view ExtractFileName(std::string_view path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view ExtractFilePath(std::string_view path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? std::string_view() : path.substr(0, slash + 1);
}

std::string_view ExtractFileExt(std::string_view path)
{
    const std::string_view name = ExtractFileName(path);
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

std::string ChangeFileNameCase(std::string_view path, bool toLower)
{
    const std::string_view folder = ExtractFilePath(path);
    const std::string_view name = ExtractFileName(path);
    return std::string(folder) + (toLower ? AsciiLowerCase(name) : AsciiUpperCase(name));
}
