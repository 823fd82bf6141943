#include "tools/ToolWindow.h"

#include "preview/PreviewImage.h"
#include "tools/DocumentSeam.h"
#include "tools/Tool.h"
#include "tools/ToolPreferences.h"
#include "tools/WindowPlacement.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

#include <vector>

namespace {

TPlaceRect ToPlace(const QRect& rect)
{
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}

} // namespace

TToolWindow::TToolWindow(const TToolContext& context, const char* name)
    : QDialog(&context.Window, Qt::Tool)
    , FDocument(context.Document)
    , FPreferences(context.Preferences)
    , FOwner(context.Window)
    , FPreview(context.Preview)
{
    setObjectName(name);
    setModal(false);
    connect(&FDocument, &TDocumentSeam::LanguageApplied, this, [this] { Retranslate(); });
}

TToolWindow::~TToolWindow() = default;

void TToolWindow::Open()
{
    show();
    raise();
    activateWindow();
    setFocus();
}

bool TToolWindow::Following()
{
    if (isVisible())
        return true;
    FStale = true;
    return false;
}

QDialogButtonBox& TToolWindow::Buttons()
{
    if (FButtons == nullptr)
        FButtons = new QDialogButtonBox(this);
    return *FButtons;
}

void TToolWindow::showEvent(QShowEvent* event)
{
    // Enter in a list or a field means that control's own action, never a button's, unless the
    // window made one the default.
    if (FButtons != nullptr) {
        for (QAbstractButton* button : FButtons->buttons()) {
            if (auto* push = qobject_cast<QPushButton*>(button); push && !push->isDefault())
                push->setAutoDefault(false);
        }
    }
    if (!FPlaced) {
        FPlaced = true;
        Place();
    }
    if (FStale) {
        FStale = false;
        CatchUp();
    }
    QDialog::showEvent(event);
}

void TToolWindow::moveEvent(QMoveEvent* event)
{
    QDialog::moveEvent(event);
    KeepPlace();
}

void TToolWindow::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    KeepPlace();
}

void TToolWindow::KeepPlace()
{
    // Moves and resizes before the first placing are the window's own making, not the user's.
    if (FPlaced && isVisible())
        FPreferences.SetWindowPlace(objectName().toStdString(), ToPlace(frameGeometry()));
}

void TToolWindow::Place()
{
    // The window's frame is not known before it is first shown; the main window's is of the same
    // kind.
    const QSize frame = FOwner.frameGeometry().size() - FOwner.geometry().size();
    const QSize least = minimumSize().expandedTo(minimumSizeHint()) + frame;
    const TPlaceSize minimum {least.width(), least.height()};
    std::vector<TPlaceRect> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas.push_back(ToPlace(screen->availableGeometry()));

    TPlaceRect place;
    if (const auto kept = FPreferences.WindowPlace(objectName().toStdString());
        kept && PlaceFits(*kept, areas, minimum)) {
        place = *kept;
    } else if (const QScreen* screen = FOwner.screen()) {
        // The part of the preview in sight, wherever it is scrolled to.
        const QRect seen = FPreview.visibleRegion().boundingRect();
        const QRect preview = seen.isEmpty() ? FPreview.rect() : seen;
        const QSize wanted = size() + frame;
        place
            = PlaceToolWindow(ToPlace(screen->availableGeometry()), ToPlace(FOwner.frameGeometry()),
                ToPlace(QRect(FPreview.mapToGlobal(preview.topLeft()), preview.size())),
                {wanted.width(), wanted.height()}, minimum);
    } else {
        return;
    }
    move(place.Left, place.Top);
    resize(QSize(place.Width, place.Height) - frame);
}
