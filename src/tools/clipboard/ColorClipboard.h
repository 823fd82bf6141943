#pragma once

#include "scheme/SchemeFile.h"
#include "tools/Tool.h"

#include <QPointer>

#include <optional>

class QAction;
class QMimeData;

// Colours by the clipboard, with the item list focused: Ctrl+C copies the selected item's colour
// as "#RRGGBB" text and as a colour (application/x-color); Ctrl+V gives the selected item the
// colour on the clipboard, written in any common notation (editing/ColorNotation.h) or as a
// colour, as one step. What is no colour changes nothing, and status-bar panel 1 says why for a
// few seconds. The keys are the list's own: in the edit fields they copy and paste text as ever.
class TColorClipboard : public TTool
{
    Q_OBJECT

public:
    explicit TColorClipboard(const TToolContext& context, QObject* parent = nullptr);
    ~TColorClipboard() override;

    std::span<const TTextKey> Texts() const override;

    void Copy();
    void Paste();

private:
    // The colour the clipboard holds; nothing, and why in `reason`, when it holds none.
    std::optional<TRGBTriple> ClipboardColor(const QMimeData* data, QString& reason) const;

    QPointer<QAction> FCopy;
    QPointer<QAction> FPaste;
};
