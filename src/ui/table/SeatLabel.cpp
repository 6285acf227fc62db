#include "ui/table/SeatLabel.h"

#include <QMouseEvent>
#include <QPainter>

void SeatLabel::setVoteOpen(bool open)
{
    m_voteOpen = open;
    setLit(open && underMouse());
}

void SeatLabel::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
}

void SeatLabel::enterEvent(QEnterEvent *event)
{
    QLabel::enterEvent(event);
    setLit(m_voteOpen);
}

void SeatLabel::leaveEvent(QEvent *event)
{
    QLabel::leaveEvent(event);
    setLit(false);
}

void SeatLabel::setLit(bool lit)
{
    if (lit == m_lit)
        return;
    m_lit = lit;
    update();
}

void SeatLabel::paintEvent(QPaintEvent *event)
{
    if (m_lit) {
        // A red plate behind the name: this is the one the click votes out.
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(255, 230, 0), 1.5));
        p.setBrush(QColor(200, 0, 0, 200));
        p.drawRoundedRect(QRectF(rect()).adjusted(0.75, 0.75, -0.75, -0.75), 4, 4);
    }
    QLabel::paintEvent(event);
}
