#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <utility>
#include <vector>

class QLabel;

// Status-bar panel 1, shared by the tools: each may keep a lasting text there while a mode of
// its is on (a simulation, the saved colours), and any may show a short message for a few
// seconds over them.
class TStatusPanel : public QObject
{
    Q_OBJECT

public:
    explicit TStatusPanel(QLabel& panel, QObject* parent = nullptr);

    // The owner's lasting text; an empty text takes it away.
    void SetText(const QObject* owner, const QString& text);
    void ShowMessage(const QString& text, int milliseconds = 4000);
    QString Text() const;

private:
    void Show();

    QLabel& FPanel;
    std::vector<std::pair<const QObject*, QString>> FTexts;
    QString FMessage;
    QTimer FMessageTimer;
};
