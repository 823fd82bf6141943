#pragma once

#include "tools/find/ItemSearch.h"
#include "tools/Tool.h"

#include <QPointer>
#include <QString>

#include <cstddef>
#include <vector>

class TAdjustColorsWindow;
class TFindWindow;
class TReplaceColorWindow;

// Finding items and recolouring many at once, each in a non-modal window of its own:
// - Find item: a query (words of the descriptions, an item number, a colour code, "near" and a
//   code) and filters, with the results updated as the user types; Enter or a double-click
//   selects the item in the main window, and Find next and Find previous step through the last
//   results with the window closed;
// - Replace color: every item of exactly one colour takes another, as one step;
// - Adjust colors: the hue, chroma and lightness of the items found (or of all items) shifted in
//   OKLCh, shown on the preview while the window is open and recorded as one step by OK.
//
// The document is prepared for finding once per change (TItemSearch), not per keystroke; the
// results follow every change at once while the find window shows them, and are worked out when
// next needed otherwise.
class TFindAndRecolor : public TTool
{
    Q_OBJECT

public:
    explicit TFindAndRecolor(const TToolContext& context, QObject* parent = nullptr);
    ~TFindAndRecolor() override;

    std::span<const TTextKey> Texts() const override;

    // The query and filters of the find window; results follow.
    QString Query() const { return FQuery; }
    void SetQuery(const QString& text);
    const TFindFilters& Filters() const { return FFilters; }
    void SetFilters(const TFindFilters& filters);
    // True when a query or a filter asks for something.
    bool Searching() const;
    // What the query finds now.
    const std::vector<TFindHit>& Results();
    // Which items the preview shows and which of them touch.
    const TItemNeighbours& PreviewNeighbours() const { return FSearch.Neighbours(); }

    // Selects the result in the main window and makes it the one Find next goes on from.
    void SelectResult(std::size_t position);
    void FindNext();
    void FindPrevious();

    void ShowFindWindow();
    void ShowReplaceWindow();
    void ShowAdjustWindow();

    // The windows, once opened (for checks from outside).
    TFindWindow* FindWindow() const;
    TReplaceColorWindow* ReplaceWindow() const;
    TAdjustColorsWindow* AdjustWindow() const;

signals:
    // The results may differ: the query, a filter or the document changed.
    void ResultsChanged();

private:
    void DocumentLoaded();
    void ColorsChanged(const std::vector<std::size_t>& items);
    void Invalidate();
    void Step(int direction);

    TItemSearch FSearch;
    QString FQuery;
    TFindQuery FParsedQuery;
    TFindFilters FFilters;
    std::vector<TFindHit> FResults;
    bool FResultsStale = false;
    // The result last selected by the tool, where stepping goes on from when the selected item
    // is not among the results.
    int FPosition = -1;

    QPointer<TFindWindow> FFindWindow;
    QPointer<TReplaceColorWindow> FReplaceWindow;
    QPointer<TAdjustColorsWindow> FAdjustWindow;
};
