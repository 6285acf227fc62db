#include "ui/look/Backdrop.h"

#include "ui/look/AccessibleRoles.h"

#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>

Backdrop::Backdrop(Painter painter, QWidget *parent)
    : QWidget(parent)
    , m_painter(std::move(painter))
{
    AccessibleRoles::install();
    setAttribute(Qt::WA_OpaquePaintEvent);
}

Backdrop::~Backdrop()
{
    if (m_ahead.valid())
        m_ahead.wait();
}

void Backdrop::paintAhead()
{
    if (m_picture.isNull() && !m_ahead.valid() && m_painter)
        m_ahead = std::async(std::launch::async, m_painter, qApp->devicePixelRatio());
}

const QImage &Backdrop::picture()
{
    if (m_picture.isNull()) {
        if (m_ahead.valid())
            m_picture = m_ahead.get();
        else if (m_painter)
            m_picture = m_painter(devicePixelRatioF());
    }
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
    p.drawImage(area, picture(), QRectF(area.topLeft() * scale, area.size() * scale));
}
