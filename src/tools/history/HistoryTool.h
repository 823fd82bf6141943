#pragma once

#include "tools/Tool.h"

#include <QPointer>

class THistoryWindow;

// Edit > "History..." (Ctrl+H): shows every step of the undo and redo stacks in a window of its
// own (THistoryWindow), through which the user moves to any of them.
class THistoryTool : public TTool
{
    Q_OBJECT

public:
    explicit THistoryTool(const TToolContext& context, QObject* parent = nullptr);
    ~THistoryTool() override;

    std::span<const TTextKey> Texts() const override;

    // The command: shows the window (made on first use) and gives it the focus.
    void ShowWindow();
    THistoryWindow* Window() const;

private:
    QPointer<THistoryWindow> FWindow;
};
