#include "ui/table/SeatOval.h"

#include "ui/table/SeatLabel.h"

#include <QMouseEvent>
#include <QRegion>

SeatOval::SeatOval(SeatLabel &seat, const QRect &oval, QWidget *parent)
    : QWidget(parent)
    , m_seat(seat)
{
    setGeometry(oval);
    // Only the oval itself, not the corners of its box, which belong to the table.
    setMask(QRegion(rect(), QRegion::Ellipse));
}

void SeatOval::enterEvent(QEnterEvent *event)
{
    QWidget::enterEvent(event);
    m_seat.setOvalHovered(true);
}

void SeatOval::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    m_seat.setOvalHovered(false);
}

void SeatOval::mouseReleaseEvent(QMouseEvent *event)
{
    QWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && mask().contains(event->position().toPoint()))
        m_seat.press();
}
