#pragma once

#include "i18n/OwnTexts.h"

// The texts every file dialog of ours shows, whichever command opened it; formats take %1, %2.
namespace FileDialogText {
inline constexpr TTextKey Folder {"FileDialogs", "Folder", "Folder"};
inline constexpr TTextKey File {"FileDialogs", "File", "File"};
// The upper-case extension.
inline constexpr TTextKey TypedFile {"FileDialogs", "TypedFile", "%1 File"};
inline constexpr TTextKey NoPreview {"FileDialogs", "NoPreview", "No preview"};
// Width, height.
inline constexpr TTextKey PictureSize {"FileDialogs", "PictureSize", "%1 x %2 pixels"};
inline constexpr TTextKey AllFiles {"FileDialogs", "AllFiles", "All Files"};
} // namespace FileDialogText
