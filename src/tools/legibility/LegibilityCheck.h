#pragma once

#include "tools/Tool.h"

#include <QPointer>

#include <memory>

class TLegibilityWindow;

// "Check legibility...": opens the legibility window, which lists the items that touch on the
// preview and flags those hard to tell apart by the shared threshold. The window is made when
// first opened and lives as long as the tool.
class TLegibilityCheck : public TTool
{
    Q_OBJECT

public:
    explicit TLegibilityCheck(const TToolContext& context, QObject* parent = nullptr);
    ~TLegibilityCheck() override;

    std::span<const TTextKey> Texts() const override;

    // Shows the window, making it first if need be.
    void Open();
    // The window, once opened; null before.
    TLegibilityWindow* Window() const { return FWindow.get(); }

private:
    std::unique_ptr<TLegibilityWindow> FWindow;
};
