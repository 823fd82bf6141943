#pragma once

#include "tools/Tool.h"

#include <QPointer>
#include <QString>

#include <filesystem>
#include <optional>

class TColorImportWindow;
struct TImportPicture;

// Tools > "Import colors from screenshot..." and "Import colors from clipboard": reads every
// item's colour from a screenshot of the preview's navigator screen taken in another scheme (the
// preview map says which pixel is which item) and shows what would change in the "Import colors"
// window, which applies the user's choice as one step. The picture must have the preview's size
// or a whole multiple of it; nothing changes until the user applies.
class TColorImport : public TTool
{
    Q_OBJECT

public:
    explicit TColorImport(const TToolContext& context, QObject* parent = nullptr);
    ~TColorImport() override;

    std::span<const TTextKey> Texts() const override;

    // The two commands. The file command asks for a picture first.
    void ImportFromFile();
    void ImportFromClipboard();
    // Reads a picture file; what the picture dialog's OK leads to.
    void ImportFile(const std::filesystem::path& file);

    // The window, once a picture has been read; it lives until the tool goes.
    TColorImportWindow* Window() const;

private:
    std::optional<std::filesystem::path> AskForPicture();
    // Shows the picture in the window when it fits the preview; otherwise says why it does not.
    void Show(TImportPicture picture, const QString& name);
    void ShowError(const QString& text) const;

    // Whether the clipboard holds a picture, as it last said when its contents changed.
    bool FClipboardHoldsPicture = false;
    QPointer<TColorImportWindow> FWindow;
    // Where the picture dialog opens next: the folder of the last picture chosen.
    std::filesystem::path FFolder;
};
