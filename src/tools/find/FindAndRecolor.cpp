#include "tools/find/FindAndRecolor.h"

#include "common/UiText.h"
#include "i18n/ShownText.h"
#include "tools/find/AdjustColorsWindow.h"
#include "tools/DocumentSeam.h"
#include "tools/find/FindAndRecolorTexts.h"
#include "tools/find/FindWindow.h"
#include "tools/find/ReplaceColorWindow.h"
#include "tools/StatusPanel.h"
#include "tools/ToolPreferences.h"

#include <QWidget>

#include <algorithm>

namespace {

constexpr const char* Section = "FindAndRecolor";

// A change of more items than this is taken in by preparing the whole document again, which
// costs less than item by item.
constexpr std::size_t ItemByItemLimit = 64;

// The query as the search folds it: accents a typed character carries that Windows-1252 cannot
// hold are dropped first ("ő" is found as "o"), so that they do not turn into "?".
TAnsiString QueryBytes(const QString& text)
{
    const QString decomposed = text.normalized(QString::NormalizationForm_KD);
    QString kept;
    kept.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() != QChar::Mark_NonSpacing)
            kept.append(c);
    }
    return ToWindows1252(kept.normalized(QString::NormalizationForm_C));
}

} // namespace

TFindAndRecolor::TFindAndRecolor(const TToolContext& context, QObject* parent)
    : TTool(context, parent)
{
    const auto searching = [this] { return Searching(); };
    SetCommands({
        {.Text
            = {"ActionEditFindItem", "&Find item...", "Find items by description, number or color",
                "Ctrl+F", Section, "FindItem", "FindItemHint"},
            .Run = [this] { ShowFindWindow(); }},
        {.Text = {"ActionEditFindNext", "Find &next", "Select the next item found", "F3", Section,
             "FindNext", "FindNextHint"},
            .Run = [this] { FindNext(); },
            .Enabled = searching},
        {.Text = {"ActionEditFindPrevious", "Find &previous", "Select the previous item found",
             "Shift+F3", Section, "FindPrevious", "FindPreviousHint"},
            .Run = [this] { FindPrevious(); },
            .Enabled = searching},
        {.Text = {"ActionEditReplaceColor", "Replace &color...",
             "Give every item of one color another color", "", Section, "ReplaceColor",
             "ReplaceColorHint"},
            .Run = [this] { ShowReplaceWindow(); }},
        {.Text = {"ActionEditAdjustColors", "&Adjust colors...",
             "Shift the hue, chroma or lightness of many items at once", "", Section,
             "AdjustColors", "AdjustColorsHint"},
            .Run = [this] { ShowAdjustWindow(); }},
    });
    FSearch.SetThreshold(Context().Preferences.LegibilityThreshold());
    FSearch.SetNeighbours(Document().Neighbours());
    DocumentLoaded();

    connect(&Document(), &TDocumentSeam::DocumentLoaded, this, &TFindAndRecolor::DocumentLoaded);
    connect(&Document(), &TDocumentSeam::ColorsChanged, this, &TFindAndRecolor::ColorsChanged);
    connect(&Document(), &TDocumentSeam::DescriptionChanged, this, [this](std::size_t item) {
        FSearch.SetDescription(item, Document().Description(item));
        Invalidate();
    });
    connect(&Document(), &TDocumentSeam::PreviewLoaded, this, [this] {
        FSearch.SetNeighbours(Document().Neighbours());
        Invalidate();
    });
    // What changed since saved is measured against the file just written.
    connect(&Document(), &TDocumentSeam::DocumentSaved, this, &TFindAndRecolor::Invalidate);
    connect(&Context().Preferences, &TToolPreferences::LegibilityThresholdChanged, this,
        [this](double threshold) {
            FSearch.SetThreshold(threshold);
            Invalidate();
        });
}

TFindAndRecolor::~TFindAndRecolor()
{
    // The windows are the main window's children, for their place on the screen; they go with
    // the tool, the adjustment's paint transform with them.
    delete FAdjustWindow.data();
    delete FReplaceWindow.data();
    delete FFindWindow.data();
}

std::span<const TTextKey> TFindAndRecolor::Texts() const
{
    return FindTextKeys();
}

void TFindAndRecolor::SetQuery(const QString& text)
{
    if (text == FQuery)
        return;
    FQuery = text;
    FParsedQuery = ParseFindQuery(
        QueryBytes(text), OwnText(FindTextKeys()[std::size_t(TFindText::NearWords)]));
    FPosition = -1;
    Invalidate();
}

void TFindAndRecolor::SetFilters(const TFindFilters& filters)
{
    FFilters = filters;
    FPosition = -1;
    Invalidate();
}

bool TFindAndRecolor::Searching() const
{
    return !FParsedQuery.IsEmpty() || FFilters.Any();
}

const std::vector<TFindHit>& TFindAndRecolor::Results()
{
    if (FResultsStale) {
        FResults = FSearch.Find(FParsedQuery, FFilters, Document().Saved());
        FResultsStale = false;
    }
    return FResults;
}

void TFindAndRecolor::Invalidate()
{
    FResultsStale = true;
    emit ResultsChanged();
}

void TFindAndRecolor::DocumentLoaded()
{
    FSearch.SetItems(
        Document().Colors(), [this](std::size_t item) { return Document().Description(item); });
    FPosition = -1;
    Invalidate();
}

void TFindAndRecolor::ColorsChanged(const std::vector<std::size_t>& items)
{
    if (items.size() > ItemByItemLimit) {
        FSearch.SetColors(Document().Colors());
    } else {
        for (const std::size_t item : items)
            FSearch.SetColor(item, Document().Colors()[item]);
    }
    Invalidate();
}

void TFindAndRecolor::SelectResult(std::size_t position)
{
    const std::vector<TFindHit>& results = Results();
    if (position >= results.size())
        return;
    FPosition = int(position);
    Document().SelectItem(results[position].Item);
}

void TFindAndRecolor::FindNext()
{
    Step(1);
}

void TFindAndRecolor::FindPrevious()
{
    Step(-1);
}

void TFindAndRecolor::Step(int direction)
{
    const std::vector<TFindHit>& results = Results();
    if (results.empty()) {
        Context().Status.ShowMessage(FindText(TFindText::FoundNone));
        return;
    }
    // From the selected item when it is a result, else from the result last stepped to.
    const int selected = Document().SelectedItem();
    int from = FPosition;
    if (selected >= 0) {
        const auto found = std::find_if(results.begin(), results.end(),
            [selected](const TFindHit& hit) { return hit.Item == std::size_t(selected); });
        if (found != results.end())
            from = int(found - results.begin());
    }
    const int count = int(results.size());
    int next;
    if (from < 0 || from >= count)
        next = direction > 0 ? 0 : count - 1;
    else
        next = (from + direction + count) % count;
    SelectResult(std::size_t(next));
    if (FFindWindow)
        FFindWindow->ShowCurrent(std::size_t(next));
    Context().Status.ShowMessage(
        FindText(TFindText::FoundPosition).arg(CountNumber(next + 1), CountNumber(count)));
}

TFindWindow* TFindAndRecolor::FindWindow() const
{
    return FFindWindow;
}

TReplaceColorWindow* TFindAndRecolor::ReplaceWindow() const
{
    return FReplaceWindow;
}

TAdjustColorsWindow* TFindAndRecolor::AdjustWindow() const
{
    return FAdjustWindow;
}

void TFindAndRecolor::ShowFindWindow()
{
    // A tool window keeps the main window's shortcuts working, F3 and Shift+F3 among them.
    if (!FFindWindow)
        FFindWindow = new TFindWindow(*this, Document(), Context().Window);
    FFindWindow->Open();
}

void TFindAndRecolor::ShowReplaceWindow()
{
    if (!FReplaceWindow)
        FReplaceWindow = new TReplaceColorWindow(Document(), Context().Window);
    FReplaceWindow->Open();
}

void TFindAndRecolor::ShowAdjustWindow()
{
    if (!FAdjustWindow)
        FAdjustWindow
            = new TAdjustColorsWindow(*this, Document(), Context().Status, Context().Window);
    FAdjustWindow->Open();
}
