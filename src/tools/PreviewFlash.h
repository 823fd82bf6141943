#pragma once

#include <QImage>
#include <QObject>
#include <QTimer>

#include <cstddef>
#include <cstdint>
#include <functional>

class QPaintEvent;
class TPreviewImage;
class TPreviewMap;

// Shows the user where something lies on the preview: a copy of the painted image with some
// pixels changed, drawn over the preview three times in turn with the painted image (three blinks
// of 150 ms, 750 ms in all), so that a glance away does not miss it.
// The preview's own image is never written, so it shows exactly the painted image again
// afterwards; any change of that image (a paint, a load) ends the flash at once.
class TPreviewFlash : public QObject
{
    Q_OBJECT

public:
    // Changes the pixels to flash in rows laid out as the preview's image (3 bytes a pixel, red
    // first), sized as the map; returns how many it changed.
    using TPainter = std::function<std::size_t(std::uint8_t* pixels, std::ptrdiff_t bytesPerLine)>;

    explicit TPreviewFlash(TPreviewImage& preview, QObject* parent = nullptr);

    // Ends a running flash and starts one of the pixels `paint` changes; nothing starts when the
    // image does not match the map or no pixel changed.
    void Start(const TPreviewMap& map, const TPainter& paint);
    // Ends a running flash and shows the painted image again.
    void End();
    bool Flashing() const { return FTimer.isActive(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Step();
    void Stop(bool repaint);
    bool ImageChanged() const;
    bool Paint(const QPaintEvent& event);

    TPreviewImage& FPreview;
    QTimer FTimer;
    int FStep = 0;
    QImage FImage;
    qint64 FImageKey = 0;
};
