#include "help/HelpRouter.h"

#include "common/Error.h"
#include "help/HelpViewers.h"

#include <QCursor>

namespace {

THelpRouter* TheRouter = nullptr;

} // namespace

THelpRouter::THelpRouter(QObject* parent)
    : THelpRouter(std::make_unique<TProgramHelpViewers>(), parent)
{ }

THelpRouter::THelpRouter(std::unique_ptr<THelpViewers> viewers, QObject* parent)
    : QObject(parent)
    , FViewers(std::move(viewers))
{
    if (TheRouter)
        throw TError("Multiple instances of THelpRouter are not allowed");
    TheRouter = this;
    setObjectName("HelpRouter");
}

THelpRouter::~THelpRouter()
{
    if (TheRouter == this)
        TheRouter = nullptr;
}

THelpRouter* THelpRouter::Instance()
{
    return TheRouter;
}

void THelpRouter::SetHelpfile(std::filesystem::path file)
{
    if (file == FHelpfile)
        return;
    FHelpfile = std::move(file);
    FViewers->FollowHelpfile(CompiledHelpFile(FHelpfile));
}

void THelpRouter::SetViewerTexts(const THelpViewerTexts& texts)
{
    FViewers->SetTexts(texts);
}

bool THelpRouter::HelpRequest(THelpCommand command, std::uint32_t data, TAnsiView keyword)
{
    const THelpRoute route = RouteHelpRequest(command, data, keyword, FHelpfile, FHtmlHelpUsed);
    FHtmlHelpUsed = FHtmlHelpUsed || route.UsesHtmlHelp;
    switch (route.Call) {
    case THelpViewerCall::Nothing:
        return true;
    case THelpViewerCall::Fail:
        return false;
    case THelpViewerCall::OpenContents:
        return FViewers->OpenContents(route.File);
    case THelpViewerCall::OpenIndex:
        return FViewers->OpenIndex(route.File, route.Keyword);
    case THelpViewerCall::OpenTopic:
        return FViewers->OpenTopic(route.File, route.Context);
    case THelpViewerCall::CloseAll:
        FViewers->CloseAll();
        return true;
    case THelpViewerCall::SetPopupPosition:
        FPopupPosition = QPoint(route.X, route.Y);
        return true;
    case THelpViewerCall::ShowPopup: {
        // A popup asked for without a position appears at the mouse.
        const QPoint at = FPopupPosition.value_or(QCursor::pos());
        FPopupPosition.reset();
        return FViewers->ShowPopup(route.File, route.Context, at);
    }
    }
    return false;
}
