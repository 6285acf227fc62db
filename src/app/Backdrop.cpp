#include "app/Backdrop.h"

#include <QPainter>
#include <QPaintEvent>

Backdrop::Backdrop(Painter painter, QWidget *parent)
    : QWidget(parent)
    , m_painter(std::move(painter))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

const QPixmap &Backdrop::picture()
{
    if (m_picture.isNull() && m_painter)
        m_picture = m_painter();
    return m_picture;
}

void Backdrop::paintEvent(QPaintEvent *event)
{
    QPainter p(this);
    p.fillRect(event->rect(), Qt::black);
    // The picture may have more device pixels than the window has pixels (a scaled window):
    // the part to draw is taken in the picture's own pixels.
    const QRectF area(event->rect());
    const qreal scale = picture().devicePixelRatio();
    p.drawPixmap(area, picture(), QRectF(area.topLeft() * scale, area.size() * scale));
}
