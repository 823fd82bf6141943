#pragma once

#include "common/AnsiString.h"
#include "help/HelpViewerTexts.h"

#include <QPoint>
#include <QString>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>

class QWidget;
class THtmlHelpViewer;
class TPopupHelpViewer;

// What the help router asks of the help viewers. Each call returns false when it showed
// nothing (a missing file, a context without a topic or text).
class THelpViewers
{
public:
    virtual ~THelpViewers() = default;

    // The contents and index, and topics by context number, of a compiled help file (".chm").
    virtual bool OpenContents(const std::filesystem::path& file) = 0;
    // Positioned on `keyword` when it is not empty.
    virtual bool OpenIndex(const std::filesystem::path& file, TAnsiView keyword) = 0;
    virtual bool OpenTopic(const std::filesystem::path& file, std::uint32_t context) = 0;
    // The popup text of a context number from a popup file (".hlp"), at a screen point.
    virtual bool ShowPopup(
        const std::filesystem::path& file, std::uint32_t context, const QPoint& at)
        = 0;
    // Closes every help window.
    virtual void CloseAll() = 0;
    // The help file changed: an open contents window moves to this compiled help file.
    virtual void FollowHelpfile(const std::filesystem::path& file) { static_cast<void>(file); }
    // The texts of the viewers' windows.
    virtual void SetTexts(const THelpViewerTexts& texts) { static_cast<void>(texts); }
};

// Our two viewers, each created when it is first asked for: the help window (THtmlHelpViewer)
// and the popups (TPopupHelpViewer).
class TProgramHelpViewers : public THelpViewers
{
public:
    // The popup sink goes to the popup viewer (TPopupHelpViewer::TSink; none: the bubble).
    explicit TProgramHelpViewers(std::function<void(const QPoint&, const QString&)> popupSink = {});
    ~TProgramHelpViewers() override;

    bool OpenContents(const std::filesystem::path& file) override;
    bool OpenIndex(const std::filesystem::path& file, TAnsiView keyword) override;
    bool OpenTopic(const std::filesystem::path& file, std::uint32_t context) override;
    bool ShowPopup(
        const std::filesystem::path& file, std::uint32_t context, const QPoint& at) override;
    void CloseAll() override;
    void FollowHelpfile(const std::filesystem::path& file) override;
    void SetTexts(const THelpViewerTexts& texts) override;

    // The help window, once it exists.
    THtmlHelpViewer* HtmlHelpViewer() const { return FHtmlHelp.get(); }

private:
    THtmlHelpViewer& HtmlHelp();

    std::function<void(const QPoint&, const QString&)> FPopupSink;
    THelpViewerTexts FTexts;
    std::unique_ptr<THtmlHelpViewer> FHtmlHelp;
    std::unique_ptr<TPopupHelpViewer> FPopups;
};
