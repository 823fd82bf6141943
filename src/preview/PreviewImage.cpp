#include "preview/PreviewImage.h"

#include <QMouseEvent>
#include <QPainter>

TPreviewImage::TPreviewImage(QWidget* parent)
    : QWidget(parent)
{ }

void TPreviewImage::paintEvent(QPaintEvent* event)
{
    if (FImage.isNull())
        return;
    QPainter painter(this);
    const QRect area = event->rect() & FImage.rect();
    painter.drawImage(area.topLeft(), FImage, area);
}

void TPreviewImage::mousePressEvent(QMouseEvent* event)
{
    const QPoint position = event->position().toPoint();
    emit MouseDown(event->button(), event->modifiers(), position.x(), position.y());
}
