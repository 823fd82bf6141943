#pragma once

#include <string>
#include <string_view>

// Path texts of the program's settings and documents, with "/" as the only folder delimiter.

// True when the value names a folder, so it is used as it stands and not completed.
bool HasFolderPart(std::string_view path);

// The part after the last "/" (the whole text when there is none).
std::string_view ExtractFileName(std::string_view path);

// Everything up to and including the last "/" (empty when there is none).
std::string_view ExtractFilePath(std::string_view path);

// The extension with its dot, taken from the last "." of the file-name part; empty when none.
std::string_view ExtractFileExt(std::string_view path);

// The path with only its file-name part lower-cased (toLower) or upper-cased, ASCII letters only.
std::string ChangeFileNameCase(std::string_view path, bool toLower);
