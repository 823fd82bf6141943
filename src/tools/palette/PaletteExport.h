#pragma once

#include "tools/Tool.h"

#include <filesystem>
#include <optional>

// File > "Export as palette...": writes the scheme's colours as a GIMP palette (.gpl) for other
// programs (GimpPalette.h), each colour named by its item's number and description. The document
// does not change.
class TPaletteExport : public TTool
{
    Q_OBJECT

public:
    explicit TPaletteExport(const TToolContext& context, QObject* parent = nullptr);

    std::span<const TTextKey> Texts() const override;

    // The command: asks where to write, then writes.
    void ChooseAndExport();
    // Writes the palette of the document as it stands to the file; throws as the writer does.
    void ExportTo(const std::filesystem::path& file) const;

private:
    // Where the dialog starts: beside the scheme, named after it, or where the last palette went.
    std::filesystem::path Proposed() const;

    std::filesystem::path FFolder;
};
