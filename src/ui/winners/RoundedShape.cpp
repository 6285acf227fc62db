#include "ui/winners/RoundedShape.h"

#include <QPainter>

#include <algorithm>

RoundedShape::RoundedShape(QColor fill, QColor outline, QWidget *parent)
    : QWidget(parent), m_fill(fill), m_outline(outline)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void RoundedShape::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(m_outline, 1));
    p.setBrush(m_fill);
    // Corners a quarter of the shorter side across, as a classic rounded-rectangle shape.
    const qreal radius = std::min(width(), height()) / 8.0;
    p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}
