#include "help/HelpViewers.h"

#include "help/HtmlHelpViewer.h"
#include "help/PopupHelpViewer.h"

TProgramHelpViewers::TProgramHelpViewers(
    std::function<void(const QPoint&, const QString&)> popupSink)
    : FPopupSink(std::move(popupSink))
{ }

TProgramHelpViewers::~TProgramHelpViewers() = default;

THtmlHelpViewer& TProgramHelpViewers::HtmlHelp()
{
    if (!FHtmlHelp) {
        FHtmlHelp = std::make_unique<THtmlHelpViewer>();
        FHtmlHelp->SetTexts(FTexts);
    }
    return *FHtmlHelp;
}

bool TProgramHelpViewers::OpenContents(const std::filesystem::path& file)
{
    return HtmlHelp().OpenContents(file);
}

bool TProgramHelpViewers::OpenIndex(const std::filesystem::path& file, TAnsiView keyword)
{
    return HtmlHelp().OpenIndex(file, keyword);
}

bool TProgramHelpViewers::OpenTopic(const std::filesystem::path& file, std::uint32_t context)
{
    return HtmlHelp().OpenTopic(file, context);
}

bool TProgramHelpViewers::ShowPopup(
    const std::filesystem::path& file, std::uint32_t context, const QPoint& at)
{
    if (!FPopups) {
        FPopups = std::make_unique<TPopupHelpViewer>(FPopupSink);
        FPopups->SetTexts(FTexts);
    }
    return FPopups->ShowPopup(file, context, at);
}

void TProgramHelpViewers::CloseAll()
{
    if (FHtmlHelp)
        FHtmlHelp->CloseAll();
}

void TProgramHelpViewers::FollowHelpfile(const std::filesystem::path& file)
{
    // A closed window opens on the right file when it is next asked for.
    if (FHtmlHelp && FHtmlHelp->isVisible())
        FHtmlHelp->Follow(file);
}

void TProgramHelpViewers::SetTexts(const THelpViewerTexts& texts)
{
    FTexts = texts;
    if (FHtmlHelp)
        FHtmlHelp->SetTexts(texts);
    if (FPopups)
        FPopups->SetTexts(texts);
}
