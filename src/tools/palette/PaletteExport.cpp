#include "tools/palette/PaletteExport.h"

#include "common/UiText.h"
#include "i18n/ShownText.h"
#include "tools/DocumentSeam.h"
#include "tools/OpenFileDialog.h"
#include "tools/palette/GimpPalette.h"

#include <vector>

namespace {

constexpr const char* Section = "ExportPalette";

enum TText { DialogTitle, Filter };

const TTextKey PaletteTexts[] = {
    {Section, "DialogTitle", "Export as palette"},
    {Section, "Filter", "GIMP Palettes"},
};

QString Text(TText text)
{
    return ::Text(PaletteTexts[text]);
}

} // namespace

TPaletteExport::TPaletteExport(const TToolContext& context, QObject* parent)
    : TTool(context, parent)
{
    SetCommands({
        {.Text = {"ActionFileExportPalette", "E&xport as palette...",
             "Save the colors as a palette for GIMP, Inkscape, Krita and other programs", "",
             Section, "Export", "ExportHint"},
            .Run = [this] { ChooseAndExport(); }},
    });
}

std::span<const TTextKey> TPaletteExport::Texts() const
{
    return PaletteTexts;
}

std::filesystem::path TPaletteExport::Proposed() const
{
    const std::filesystem::path scheme = Document().FileName();
    const std::filesystem::path name = PaletteName(scheme) + ".gpl";
    if (!FFolder.empty())
        return FFolder / name;
    return scheme.has_parent_path() ? scheme.parent_path() / name : name;
}

void TPaletteExport::ChooseAndExport()
{
    const auto file = ChooseFileToSave(&Context().Window, "ExportPaletteDialog", Text(DialogTitle),
        Text(Filter) + QStringLiteral(" (*.gpl)"), QStringLiteral("gpl"), Proposed());
    if (!file)
        return;
    FFolder = file->parent_path();
    ExportTo(*file);
}

void TPaletteExport::ExportTo(const std::filesystem::path& file) const
{
    std::vector<TSchemeItem> items;
    items.reserve(Document().ItemCount());
    for (std::size_t item = 0; item < Document().ItemCount(); ++item)
        items.push_back({Document().Colors()[item], Document().Description(item)});
    WriteGimpPalette(file, Document().FileName(), items);
}
