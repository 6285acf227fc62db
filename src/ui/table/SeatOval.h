#pragma once

#include <QWidget>

class SeatLabel;

// The oval the table's picture draws round a seat's name and vote label, as the seat's
// target during the vote: the pointer over any of it lights the name, and a click anywhere
// in it votes as a click on the name does. It draws nothing itself and stands under the
// labels, which let the pointer through to it except where the name takes it.
class SeatOval : public QWidget
{
    Q_OBJECT
public:
    SeatOval(SeatLabel &seat, const QRect &oval, QWidget *parent);

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    SeatLabel &m_seat;
};
