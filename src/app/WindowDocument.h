#pragma once

#include "tools/DocumentSeam.h"

#include <utility>
#include <vector>

class TMainForm;

// The document seam over the main window: tools read the window's items, descriptions, map,
// saved state and selection through it, change colours only as whole steps, and paint the preview
// through their transforms.
class TWindowDocument : public TDocumentSeam
{
    Q_OBJECT

public:
    explicit TWindowDocument(TMainForm& form);

    std::span<const TRGBTriple> Colors() const override;
    TAnsiString Description(std::size_t item) const override;
    const TSavedScheme& Saved() const override;
    const TColorHistory& History() const override;
    std::filesystem::path FileName() const override;
    const TPreviewMap& PreviewMap() const override;
    int SelectedItem() const override;

    void SelectItem(std::size_t item) override;
    std::vector<std::size_t> ApplyColors(
        std::span<const TColorChange> changes, const TStepFacts& facts) override;
    void MoveInHistory(int steps) override;

    void SetPaintTransform(const QObject* owner, TPaintTransform transform) override;
    void ClearPaintTransform(const QObject* owner) override;
    TRGBTriple PaintedColor(const TRGBTriple& color) const override;

    // Paints the map into the pixels in the item colours given, through the transforms set.
    void Paint(const TPreviewMap& map, const std::vector<TRGBTriple>& itemColors,
        std::uint8_t* pixels, std::ptrdiff_t bytesPerLine) const;

private:
    TMainForm& FForm;
    std::vector<std::pair<const QObject*, TPaintTransform>> FTransforms;
};
