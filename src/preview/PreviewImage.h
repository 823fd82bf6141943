#pragma once

#include <QImage>
#include <QWidget>

// The preview control: draws its image at natural size from the top-left corner, cut off where
// the image is larger and showing the parent's background where it is smaller. Reports every
// mouse press with the position in image coordinates.
class TPreviewImage : public QWidget
{
    Q_OBJECT

public:
    explicit TPreviewImage(QWidget* parent = nullptr);

    QImage& Image() { return FImage; }
    const QImage& Image() const { return FImage; }

signals:
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QImage FImage;
};
