#include "tools/legibility/LegibilityRows.h"

#include "common/UiText.h"
#include "editing/QtColors.h"
#include "i18n/ShownText.h"
#include "preview/ColorContrast.h"

#include <QColor>
#include <QFont>

#include <utility>

void TLegibilityRows::Reset(std::vector<TTouchingPair> pairs, std::span<const TRGBTriple> colors,
    std::span<const TRGBTriple> judged, QStringList descriptions, double threshold)
{
    beginResetModel();
    FLegibility = TLegibility(std::move(pairs), judged, threshold);
    FColors.assign(colors.begin(), colors.end());
    FDescriptions = std::move(descriptions);
    endResetModel();
}

void TLegibilityRows::SetColors(
    std::span<const TColorChange> colors, std::span<const TColorChange> judged)
{
    beginResetModel();
    for (const TColorChange& change : colors)
        if (change.Item < FColors.size())
            FColors[change.Item] = change.Color;
    FLegibility.ChangeColors(judged);
    endResetModel();
}

void TLegibilityRows::SetDescription(std::size_t item, const QString& description)
{
    if (item >= std::size_t(FDescriptions.size()))
        return;
    FDescriptions[qsizetype(item)] = description;
    if (rowCount() > 0)
        emit dataChanged(index(0, ColumnFirst), index(rowCount() - 1, ColumnSecond));
}

void TLegibilityRows::SetThreshold(double threshold)
{
    if (threshold == FLegibility.Threshold())
        return;
    beginResetModel();
    FLegibility.SetThreshold(threshold);
    endResetModel();
}

void TLegibilityRows::SetTexts(const QStringList& headings, const QString& hardToTellApart)
{
    FHeadings = headings;
    FHardToTellApart = hardToTellApart;
    // The figures too: the language's locale writes them.
    FNumbers = ShownNumberFormat();
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
}

int TLegibilityRows::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(FLegibility.Rows().size());
}

int TLegibilityRows::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString TLegibilityRows::ItemText(std::size_t item) const
{
    // Numbered from 1, as the file's lines are; the description is the user's plain text.
    const QString number = QString::number(item + 1);
    const QString description
        = item < std::size_t(FDescriptions.size()) ? FDescriptions[qsizetype(item)] : QString();
    return description.isEmpty() ? number : number + QStringLiteral("  ") + description;
}

QVariant TLegibilityRows::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const TLegibilityRow& row = Row(index.row());
    const std::size_t item = index.column() == ColumnFirst ? row.First : row.Second;
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case ColumnFirst:
        case ColumnSecond:
            return ItemText(item);
        case ColumnBorder:
            return CountNumber(row.BorderLength);
        case ColumnDeltaE:
            return FromWindows1252(DeltaEText(row.DeltaE, FNumbers));
        case ColumnContrast:
            return FromWindows1252(ContrastRatioText(row.ContrastRatio, 2, FNumbers));
        default:
            return {};
        }
    case Qt::DecorationRole:
        if ((index.column() == ColumnFirst || index.column() == ColumnSecond)
            && item < FColors.size()) {
            const TRGBTriple& color = FColors[item];
            return ItemColorToQColor(color);
        }
        return {};
    case Qt::TextAlignmentRole:
        if (index.column() >= ColumnBorder)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    case Qt::FontRole:
        if (row.HardToTellApart) {
            QFont font;
            font.setBold(true);
            return font;
        }
        return {};
    case Qt::ToolTipRole:
        if (row.HardToTellApart)
            return FHardToTellApart;
        return {};
    default:
        return {};
    }
}

QVariant TLegibilityRows::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0
        || section >= FHeadings.size())
        return {};
    return FHeadings[section];
}
