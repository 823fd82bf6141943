#include "tools/StatusPanel.h"

#include <QLabel>
#include <QStringList>

#include <algorithm>

TStatusPanel::TStatusPanel(QLabel& panel, QObject* parent)
    : QObject(parent)
    , FPanel(panel)
{
    FPanel.setTextFormat(Qt::PlainText);
    FMessageTimer.setSingleShot(true);
    connect(&FMessageTimer, &QTimer::timeout, this, [this] {
        FMessage.clear();
        Show();
    });
}

void TStatusPanel::SetText(const QObject* owner, const QString& text)
{
    const auto found = std::find_if(
        FTexts.begin(), FTexts.end(), [owner](const auto& entry) { return entry.first == owner; });
    if (found != FTexts.end()) {
        if (text.isEmpty())
            FTexts.erase(found);
        else
            found->second = text;
    } else if (!text.isEmpty()) {
        FTexts.emplace_back(owner, text);
    }
    Show();
}

void TStatusPanel::ShowMessage(const QString& text, int milliseconds)
{
    FMessage = text;
    FMessageTimer.start(milliseconds);
    Show();
}

QString TStatusPanel::Text() const
{
    if (!FMessage.isEmpty())
        return FMessage;
    QStringList texts;
    for (const auto& entry : FTexts)
        texts.append(entry.second);
    return texts.join(QStringLiteral("  |  "));
}

void TStatusPanel::Show()
{
    FPanel.setText(Text());
}
