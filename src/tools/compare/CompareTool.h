#pragma once

#include "tools/Tool.h"

#include <QPointer>

#include <filesystem>

class TCompareWindow;

// File > "Compare with file...": asks for another colour file and shows, in a window of its own,
// where the open document differs from it (TCompareWindow). A file that cannot be read is
// reported as Open reports it, and nothing of the document or an open compare window changes.
class TCompareTool : public TTool
{
    Q_OBJECT

public:
    explicit TCompareTool(const TToolContext& context, QObject* parent = nullptr);
    ~TCompareTool() override;

    std::span<const TTextKey> Texts() const override;

    // The command: asks for a file, then compares with it.
    void ChooseAndCompare();
    // Reads the file and shows the window comparing with it; false when it could not be read.
    bool CompareWith(const std::filesystem::path& file);
    // The window, once a file was compared with; it lasts as long as the tool.
    TCompareWindow* Window() const;

private:
    QPointer<TCompareWindow> FWindow;
    std::filesystem::path FFolder;
};
