#pragma once

#include "common/NumberText.h"
#include "editing/ColorHistory.h"
#include "preview/Legibility.h"
#include "scheme/SchemeFile.h"

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>

#include <span>
#include <vector>

// The legibility window's rows: one touching pair a row, in the order of the check, showing
// both items' swatches (their real colours), numbers and descriptions, the border's length, and
// the difference and contrast ratio of the colours judged (the real ones, or as a simulation
// sees them). The descriptions are kept here and changed one at a time, so a colour change costs
// the check's update and one reset of the rows, not a new look at every item.
class TLegibilityRows : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum TColumn {
        ColumnFirst,
        ColumnSecond,
        ColumnBorder,
        ColumnDeltaE,
        ColumnContrast,
        ColumnCount
    };

    using QAbstractTableModel::QAbstractTableModel;

    // A new document or map, or another way of judging: every row anew. `judged` holds the
    // colours the check compares, one per item like `colors`.
    void Reset(std::vector<TTouchingPair> pairs, std::span<const TRGBTriple> colors,
        std::span<const TRGBTriple> judged, QStringList descriptions, double threshold);
    // Items took new colours: real ones for the swatches, judged ones for the check, item for
    // item.
    void SetColors(std::span<const TColorChange> colors, std::span<const TColorChange> judged);
    void SetDescription(std::size_t item, const QString& description);
    void SetThreshold(double threshold);
    // The column headings and the flagged rows' tooltip, in the current language, whose number
    // format the figures take too.
    void SetTexts(const QStringList& headings, const QString& hardToTellApart);

    const TLegibility& Legibility() const { return FLegibility; }
    const TLegibilityRow& Row(int row) const { return FLegibility.Rows()[std::size_t(row)]; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QString ItemText(std::size_t item) const;

    TLegibility FLegibility;
    std::vector<TRGBTriple> FColors;
    QStringList FDescriptions;
    QStringList FHeadings;
    QString FHardToTellApart;
    TNumberFormat FNumbers;
};
