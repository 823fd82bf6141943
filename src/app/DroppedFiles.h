#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

// Files dropped onto the main window: which one is taken and what it is opened as.

// The local file a "file:" URL names ("file:///...", "file://localhost/..." or "file:/...",
// percent escapes decoded to the file system's bytes); nothing for another host or scheme.
std::optional<std::filesystem::path> LocalFileOfUrl(std::string_view url);

// The "file:///..." URL of an absolute path: every byte but ASCII letters, digits and "-._~/"
// percent-escaped, so any file name, in any encoding, comes back whole from LocalFileOfUrl.
std::string FileUrlOfPath(const std::filesystem::path& absolutePath);

// The first local file of a text/uri-list ("file:///..." or "file://localhost/...", percent
// escapes decoded to the file system's bytes); lines starting with "#" are comments, and URLs of
// other hosts or schemes are passed over. Nothing when the list names no local file.
std::optional<std::filesystem::path> FirstLocalFileOfUriList(std::string_view uriList);

enum class TDroppedFileKind {
    None, // any other extension, or none: the drop is ignored
    ColorScheme, // ".clr"
    Preview, // ".cpf"
    Language, // ".clf"
};

// The kind of a dropped file by the extension of its name, in any letter case.
TDroppedFileKind DroppedFileKind(const std::filesystem::path& file);
