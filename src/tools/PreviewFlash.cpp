#include "tools/PreviewFlash.h"

#include "preview/PreviewImage.h"
#include "preview/PreviewMap.h"

#include <QPaintEvent>
#include <QPainter>

#include <utility>

namespace {

// The flash in the even steps, the painted image in the odd ones: three blinks, 750 ms in all.
constexpr int FlashSteps = 5;
constexpr int FlashStepMilliseconds = 150;

} // namespace

TPreviewFlash::TPreviewFlash(TPreviewImage& preview, QObject* parent)
    : QObject(parent)
    , FPreview(preview)
{
    FTimer.setInterval(FlashStepMilliseconds);
    connect(&FTimer, &QTimer::timeout, this, &TPreviewFlash::Step);
    FPreview.installEventFilter(this);
}

void TPreviewFlash::Start(const TPreviewMap& map, const TPainter& paint)
{
    Stop(true);
    const QImage& image = std::as_const(FPreview).Image();
    if (image.isNull() || image.format() != QImage::Format_RGB888 || image.width() != map.Width()
        || image.height() != map.Height())
        return;
    // The flash is drawn from a copy; the preview's own image stays as it was painted.
    QImage flash = image.copy();
    if (flash.isNull() || paint(flash.bits(), flash.bytesPerLine()) == 0)
        return;
    FImage = std::move(flash);
    FImageKey = image.cacheKey();
    FStep = 0;
    FTimer.start();
    FPreview.update();
}

void TPreviewFlash::End()
{
    Stop(true);
}

void TPreviewFlash::Step()
{
    if (ImageChanged() || ++FStep >= FlashSteps) {
        Stop(true);
        return;
    }
    FPreview.update();
}

void TPreviewFlash::Stop(bool repaint)
{
    if (!Flashing())
        return;
    FTimer.stop();
    FImage = QImage();
    if (repaint)
        FPreview.update();
}

bool TPreviewFlash::ImageChanged() const
{
    // The key changes with every write to the image's pixels and with a new image, so a paint
    // or a load nobody told us about still ends the flash.
    return std::as_const(FPreview).Image().cacheKey() != FImageKey;
}

bool TPreviewFlash::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &FPreview && event->type() == QEvent::Paint)
        return Paint(*static_cast<QPaintEvent*>(event));
    return QObject::eventFilter(watched, event);
}

bool TPreviewFlash::Paint(const QPaintEvent& event)
{
    if (!Flashing())
        return false;
    if (ImageChanged()) {
        // This very paint shows the new image.
        Stop(false);
        return false;
    }
    if (FStep % 2 != 0)
        return false;
    QPainter painter(&FPreview);
    const QRect area = event.rect() & FImage.rect();
    painter.drawImage(area.topLeft(), FImage, area);
    return true;
}
