#include "app/DroppedFiles.h"

#include "common/PathRules.h"
#include "common/TextRules.h"

#include <string>

namespace {

bool StartsWithAscii(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && SameTextAscii(text.substr(0, prefix.size()), prefix);
}

} // namespace

std::optional<std::filesystem::path> LocalFileOfUrl(std::string_view url)
{
    if (!StartsWithAscii(url, "file:"))
        return std::nullopt;
    url.remove_prefix(5);
    if (url.starts_with("//")) {
        url.remove_prefix(2);
        const std::size_t slash = url.find('/');
        if (slash == std::string_view::npos)
            return std::nullopt;
        const std::string_view host = url.substr(0, slash);
        if (!host.empty() && !SameTextAscii(host, "localhost"))
            return std::nullopt;
        url.remove_prefix(slash);
    }
    // "file:/home/a.clr", without the empty host, is how some programs write a local file.
    if (!url.starts_with('/'))
        return std::nullopt;
    // A query or fragment is no part of the file's name (a "#" or "?" in a name is escaped).
    url = url.substr(0, url.find_first_of("?#"));

    std::string path;
    path.reserve(url.size());
    for (std::size_t i = 0; i < url.size(); ++i) {
        if (url[i] == '%' && i + 2 < url.size() && HexDigitValue(url[i + 1]) >= 0
            && HexDigitValue(url[i + 2]) >= 0) {
            path += static_cast<char>(HexDigitValue(url[i + 1]) * 16 + HexDigitValue(url[i + 2]));
            i += 2;
        } else {
            path += url[i]; // a "%" that starts no escape stands for itself
        }
    }
    // No file name holds a zero byte; the system would read such a path only up to it.
    if (path.find('\0') != std::string::npos)
        return std::nullopt;
    return std::filesystem::path(std::move(path));
}

std::string FileUrlOfPath(const std::filesystem::path& absolutePath)
{
    constexpr std::string_view HexDigits = "0123456789ABCDEF";
    std::string url = "file://";
    for (const char c : absolutePath.native()) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z')
            || (byte >= '0' && byte <= '9')
            || std::string_view("-._~/").find(c) != std::string_view::npos) {
            url += c;
        } else {
            url += '%';
            url += HexDigits[byte >> 4];
            url += HexDigits[byte & 0x0F];
        }
    }
    return url;
}

std::optional<std::filesystem::path> FirstLocalFileOfUriList(std::string_view uriList)
{
    std::size_t start = 0;
    while (start < uriList.size()) {
        std::size_t end = uriList.find('\n', start);
        if (end == std::string_view::npos)
            end = uriList.size();
        // Lines end in CR LF; a lone LF, as some programs send, ends one as well.
        const std::string_view line = TrimControls(uriList.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line.front() == '#')
            continue;
        if (std::optional<std::filesystem::path> path = LocalFileOfUrl(line))
            return path;
    }
    return std::nullopt;
}

TDroppedFileKind DroppedFileKind(const std::filesystem::path& file)
{
    const std::string_view ext = ExtractFileExt(file.native());
    if (SameTextAscii(ext, ".clr"))
        return TDroppedFileKind::ColorScheme;
    if (SameTextAscii(ext, ".cpf"))
        return TDroppedFileKind::Preview;
    if (SameTextAscii(ext, ".clf"))
        return TDroppedFileKind::Language;
    return TDroppedFileKind::None;
}
