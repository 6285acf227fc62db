#include "ui/table/TurnRing.h"

#include <QPainter>
#include <QRadialGradient>

namespace {
constexpr int MarginX = 16;
constexpr int MarginY = 9;
} // namespace

TurnRing::TurnRing(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_TranslucentBackground);
    hide();
}

void TurnRing::surround(const QRect &nameLabel)
{
    setGeometry(nameLabel.adjusted(-MarginX, -MarginY, MarginX, MarginY));
}

void TurnRing::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(2, 2, -2, -2);
    QRadialGradient glow(r.center(), r.width() / 2);
    glow.setColorAt(0.0, QColor(255, 200, 0, 150));
    glow.setColorAt(0.7, QColor(255, 160, 0, 90));
    glow.setColorAt(1.0, QColor(255, 140, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(r);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 215, 0), 2.5));
    p.drawEllipse(r.adjusted(3, 3, -3, -3));
}
