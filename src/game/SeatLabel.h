#pragma once

#include <QLabel>

// A seat's name label: a transparent label that reports clicks.
class SeatLabel : public QLabel
{
    Q_OBJECT
public:
    using QLabel::QLabel;

Q_SIGNALS:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};
