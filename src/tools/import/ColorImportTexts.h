#pragma once

#include "i18n/OwnTexts.h"

// The texts of "Import colors", in the language file section [ColorImport]. Formats take Qt's
// %1, %2 ... in the order their comments give.
namespace ImportTexts {

inline constexpr const char* Section = "ColorImport";

inline constexpr TTextKey WindowTitle {Section, "WindowTitle", "Import colors"};
// The picture dialog.
inline constexpr TTextKey DialogTitle {Section, "DialogTitle", "Import colors from screenshot"};
inline constexpr TTextKey PictureFilter {Section, "PictureFilter", "Pictures"};
// The clipboard's picture, as the window and the step name it, and as messages do.
inline constexpr TTextKey Clipboard {Section, "Clipboard", "clipboard"};
inline constexpr TTextKey ClipboardPicture {
    Section, "ClipboardPicture", "The picture on the clipboard"};

// Name, width, height.
inline constexpr TTextKey Source {Section, "Source", "Picture: %1 (%2 x %3 pixels)"};
// Name, width, height, how many times the preview's size.
inline constexpr TTextKey SourceScaled {
    Section, "SourceScaled", "Picture: %1 (%2 x %3 pixels, %4 times the preview's size)"};
inline constexpr TTextKey JpegNote {Section, "JpegNote",
    "This picture is a JPEG. JPEG compression changes colors (chroma subsampling), so thin "
    "lines may be read off. A PNG or BMP screenshot reads exactly."};
// Items that would change, items of the document, items not on the preview.
inline constexpr TTextKey Summary {Section, "Summary",
    "Items that would change: %1 of %2. Not on this preview: %3. Thin items and readings below "
    "90% confidence start unchecked."};

inline constexpr TTextKey ColumnNumber {Section, "ColumnNumber", "No."};
inline constexpr TTextKey ColumnItem {Section, "ColumnItem", "Item"};
inline constexpr TTextKey ColumnNow {Section, "ColumnNow", "Now"};
inline constexpr TTextKey ColumnRead {Section, "ColumnRead", "From picture"};
inline constexpr TTextKey ColumnDifference {Section, "ColumnDifference", "Difference"};
inline constexpr TTextKey ColumnConfidence {Section, "ColumnConfidence", "Confidence"};
inline constexpr TTextKey ColumnNote {Section, "ColumnNote", "Note"};
inline constexpr TTextKey DifferenceHint {
    Section, "DifferenceHint", "The color difference CIEDE2000: below 1 is hardly visible"};
inline constexpr TTextKey ConfidenceHint {Section, "ConfidenceHint",
    "The share of the item's pixels within a difference of 2 of the color read"};
// A percentage.
inline constexpr TTextKey Percent {Section, "Percent", "%1%"};
inline constexpr TTextKey Thin {Section, "Thin", "thin: read from its edges"};
inline constexpr TTextKey NotOnPreview {Section, "NotOnPreview", "not on this preview"};

inline constexpr TTextKey CheckAll {Section, "CheckAll", "Check a&ll"};
inline constexpr TTextKey CheckNone {Section, "CheckNone", "Check &none"};
inline constexpr TTextKey Apply {Section, "Apply", "&Apply"};
inline constexpr TTextKey Close {Section, "Close", "&Close"};
// Item count.
inline constexpr TTextKey AppliedOne {Section, "AppliedOne", "Colors of %1 item imported"};
inline constexpr TTextKey Applied {Section, "Applied", "Colors of %1 items imported"};

// Picture width and height, preview width and height.
inline constexpr TTextKey WrongSize {Section, "WrongSize",
    "The picture is %1 x %2 pixels, but the preview is %3 x %4 pixels. Use a screenshot of the "
    "preview's screen at the preview's size or a whole multiple of it."};
inline constexpr TTextKey NoPreviewLoaded {
    Section, "NoPreviewLoaded", "No preview is loaded. Open a preview before importing colors."};
// The most items.
inline constexpr TTextKey TooManyItems {
    Section, "TooManyItems", "The preview shows more than %1 items; their colors cannot be read."};
// File name, the system's reason.
inline constexpr TTextKey CannotOpen {Section, "CannotOpen", "Cannot open %1. %2"};
inline constexpr TTextKey NotRegularFile {Section, "NotRegularFile", "%1 is not a regular file."};
// File name, size in MB, largest size in MB.
inline constexpr TTextKey TooManyBytes {
    Section, "TooManyBytes", "%1 is too large to import (%2 MB; at most %3 MB)."};
// File name, width, height.
inline constexpr TTextKey TooManyPixels {
    Section, "TooManyPixels", "%1 is too large to import (%2 x %3 pixels)."};
inline constexpr TTextKey NotAPicture {
    Section, "NotAPicture", "%1 is not a complete BMP, PNG or JPEG picture."};
inline constexpr TTextKey NoClipboardPicture {
    Section, "NoClipboardPicture", "The clipboard does not hold a picture."};

inline constexpr TTextKey All[] = {WindowTitle, DialogTitle, PictureFilter, Clipboard,
    ClipboardPicture, Source, SourceScaled, JpegNote, Summary, ColumnNumber, ColumnItem, ColumnNow,
    ColumnRead, ColumnDifference, ColumnConfidence, ColumnNote, DifferenceHint, ConfidenceHint,
    Percent, Thin, NotOnPreview, CheckAll, CheckNone, Apply, Close, AppliedOne, Applied, WrongSize,
    NoPreviewLoaded, TooManyItems, CannotOpen, NotRegularFile, TooManyBytes, TooManyPixels,
    NotAPicture, NoClipboardPicture};

} // namespace ImportTexts
