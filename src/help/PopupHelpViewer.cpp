#include "help/PopupHelpViewer.h"

#include "common/UiText.h"
#include "help/HelpFileRefusal.h"
#include "help/HelpRequests.h"

#include <QTextDocument>
#include <QWhatsThis>

namespace {

void ShowWhatsThisText(const QPoint& at, const QString& text)
{
    // Without a widget the bubble stays at the point given. The text is plain: its line breaks
    // are kept and nothing in it is read as markup.
    QWhatsThis::showText(at, Qt::convertFromPlainText(text, Qt::WhiteSpaceNormal));
}

} // namespace

TPopupHelpViewer::TPopupHelpViewer(TSink sink)
    : FSink(sink ? std::move(sink) : TSink(ShowWhatsThisText))
{ }

bool TPopupHelpViewer::ShowPopup(
    const std::filesystem::path& popupFile, std::uint32_t context, const QPoint& at)
{
    if (context == 0)
        return false;
    const std::filesystem::path helpFile = ChangeFileExt(popupFile, ".chm");
    if (helpFile != FFileName || !FHelp.IsOpen()) {
        FHelp = THelpFile(helpFile);
        FFileName = helpFile;
        if (FHelp.Refusal() != TChmArchive::TRefusal::None) {
            ReportHelpFileRefusal(FTexts, helpFile, FHelp.Refusal());
            return false;
        }
    }
    const std::optional<TAnsiString> text = FHelp.PopupText(context);
    if (!text || text->empty())
        return false;
    FSink(at, FromWindows1252(*text));
    return true;
}
