#include "tools/clipboard/ColorClipboard.h"

#include "editing/ColorNotation.h"
#include "editing/QtColors.h"
#include "tools/DocumentSeam.h"
#include "tools/StatusPanel.h"

#include <QAction>
#include <QClipboard>
#include <QColor>
#include <QGuiApplication>
#include <QListWidget>
#include <QMimeData>

namespace {

constexpr const char* Section = "ColorClipboard";

enum TClipboardText { Copied, NoItem, NoColor, NotAColor, TooLong };

// In the order of TClipboardText.
constexpr TTextKey ClipboardTexts[] = {
    {Section, "Copied", "Copied %1"},
    {Section, "NoItem", "No item is selected"},
    {Section, "NoColor", "The clipboard holds no color"},
    {Section, "NotAColor", "Not a color: \"%1\""},
    {Section, "TooLong", "The clipboard holds too much text to be a color"},
};

// How much of a text that is no colour the message quotes.
constexpr int QuotedLength = 40;

QString Quoted(const QString& text)
{
    QString shown = text.simplified();
    if (shown.size() > QuotedLength)
        shown = shown.left(QuotedLength - 1) + QChar(0x2026);
    return shown;
}

} // namespace

TColorClipboard::TColorClipboard(const TToolContext& context, QObject* parent)
    : TTool(context, parent)
{
    // Shortcuts of the list alone, so that the edit fields keep their own copy and paste.
    QListWidget& list = Context().ItemList;
    FCopy = new QAction(&list);
    FCopy->setObjectName("ActionListCopyColor");
    FCopy->setShortcut(QKeySequence::Copy);
    FCopy->setShortcutContext(Qt::WidgetShortcut);
    FPaste = new QAction(&list);
    FPaste->setObjectName("ActionListPasteColor");
    FPaste->setShortcut(QKeySequence::Paste);
    FPaste->setShortcutContext(Qt::WidgetShortcut);
    list.addAction(FCopy);
    list.addAction(FPaste);
    connect(FCopy, &QAction::triggered, this, &TColorClipboard::Copy);
    connect(FPaste, &QAction::triggered, this, &TColorClipboard::Paste);
}

TColorClipboard::~TColorClipboard()
{
    delete FCopy.data();
    delete FPaste.data();
}

std::span<const TTextKey> TColorClipboard::Texts() const
{
    return ClipboardTexts;
}

void TColorClipboard::Copy()
{
    const int item = Document().SelectedItem();
    if (item < 0 || std::size_t(item) >= Document().ItemCount()) {
        Context().Status.ShowMessage(Text(ClipboardTexts[NoItem]));
        return;
    }
    const TRGBTriple& color = Document().Colors()[std::size_t(item)];
    const QString code = QString::fromStdString(HashColorCode(color));
    auto* data = new QMimeData;
    data->setText(code);
    data->setColorData(ItemColorToQColor(color));
    QGuiApplication::clipboard()->setMimeData(data);
    Context().Status.ShowMessage(Text(ClipboardTexts[Copied]).arg(code));
}

std::optional<TRGBTriple> TColorClipboard::ClipboardColor(
    const QMimeData* data, QString& reason) const
{
    if (data != nullptr && data->hasColor()) {
        const QColor color = qvariant_cast<QColor>(data->colorData());
        if (color.isValid())
            return ItemColorFromQColor(color);
    }
    if (data == nullptr || !data->hasText() || data->text().trimmed().isEmpty()) {
        reason = Text(ClipboardTexts[NoColor]);
        return std::nullopt;
    }
    // Outside input: a text longer than any colour is refused before it is looked at.
    const QString text = data->text();
    if (std::size_t(text.size()) > MaxColorNotationLength) {
        reason = Text(ClipboardTexts[TooLong]);
        return std::nullopt;
    }
    if (const auto color = ParseColorNotation(text.toStdString()))
        return color;
    reason = Text(ClipboardTexts[NotAColor]).arg(Quoted(text));
    return std::nullopt;
}

void TColorClipboard::Paste()
{
    const int item = Document().SelectedItem();
    if (item < 0 || std::size_t(item) >= Document().ItemCount()) {
        Context().Status.ShowMessage(Text(ClipboardTexts[NoItem]));
        return;
    }
    QString reason;
    const auto color = ClipboardColor(QGuiApplication::clipboard()->mimeData(), reason);
    if (!color) {
        Context().Status.ShowMessage(reason);
        return;
    }
    // An edit of one item like any other: the history names the item and both colours.
    const TColorChange change {std::size_t(item), *color};
    Document().ApplyColors(std::span<const TColorChange>(&change, 1), {});
}
