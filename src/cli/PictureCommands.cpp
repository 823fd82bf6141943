#include "cli/PictureCommands.h"

#include "cli/Commands.h"
#include "common/Error.h"
#include "common/TextRules.h"
#include "common/UiText.h"
#include "preview/ImportPicture.h"
#include "preview/PreviewFile.h"
#include "preview/ReferenceImage.h"
#include "tools/import/ColorImportTexts.h"

#include <QString>

#include <charconv>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// With one decimal and a point, whatever the locale says.
std::string MegaBytes(qint64 bytes)
{
    char text[32];
    const auto result = std::to_chars(
        text, text + sizeof text, double(bytes) / 1048576.0, std::chars_format::fixed, 1);
    return std::string(text, result.ptr);
}

// The import window's words for a refused picture, in English.
TError Refused(const TPictureRefusal& refusal, const fs::path& file)
{
    using R = TPictureRefusal::TReason;
    const std::string name = file.native();
    std::string text;
    switch (refusal.Reason()) {
    case R::CannotOpen:
        text = FillText(ImportTexts::CannotOpen.English, {name, refusal.SystemReason()});
        break;
    case R::NotRegularFile:
        text = FillText(ImportTexts::NotRegularFile.English, {name});
        break;
    case R::TooManyBytes:
        text = FillText(ImportTexts::TooManyBytes.English,
            {name, MegaBytes(refusal.Bytes()), MegaBytes(MaxImportPictureBytes)});
        break;
    case R::TooManyPixels:
        text = FillText(ImportTexts::TooManyPixels.English,
            {name, std::to_string(refusal.Size().width()),
                std::to_string(refusal.Size().height())});
        break;
    case R::NotAPicture:
        text = FillText(ImportTexts::NotAPicture.English, {name});
        break;
    case R::NoClipboardPicture:
        text = refusal.what();
        break;
    }
    return TError(text, file);
}

} // namespace

void RunConvert(const fs::path& screenshot, const fs::path& scheme, const fs::path& output)
{
    const std::size_t itemCount
        = ConcerningFile(scheme, [&] { return ReadSchemeFile(scheme); }).size();
    TPreviewMap map;
    {
        // As the menu command: the picture is let go once it is scanned.
        const QImage image = LoadReferenceBitmap(FromFileName(screenshot));
        map = ConcerningFile(screenshot, [&] { return ScanReferenceQImage(image, itemCount); });
    }
    SavePreviewFile(output, map);
}

std::size_t RunImportColors(const fs::path& screenshot, const fs::path& scheme,
    const fs::path& preview, const fs::path& output)
{
    std::vector<TSchemeItem> items = ConcerningFile(scheme, [&] { return ReadSchemeFile(scheme); });
    const TPreviewMap map = ConcerningFile(preview, [&] { return ReadPreviewFile(preview); });
    TImportPicture picture;
    try {
        picture = LoadImportPicture(screenshot);
    } catch (const TPictureRefusal& refusal) {
        throw Refused(refusal, screenshot);
    }
    std::size_t changed = 0;
    const QImage& pixels = picture.Pixels;
    items = ConcerningFile(screenshot, [&] {
        return ImportScreenshotColors(std::move(items), map, pixels.constBits(), pixels.width(),
            pixels.height(), pixels.bytesPerLine(), picture.Lossy, changed);
    });
    WriteSchemeFile(output, items);
    return changed;
}
