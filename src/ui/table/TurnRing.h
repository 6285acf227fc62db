#pragma once

#include <QWidget>

// A glow drawn over the table's picture behind the name of the seat being asked, so that
// a glance at the table tells whose turn it is. It lets every click through to the name.
class TurnRing : public QWidget
{
public:
    explicit TurnRing(QWidget *parent);

    // Puts the ring round a name label's rectangle.
    void surround(const QRect &nameLabel);

protected:
    void paintEvent(QPaintEvent *event) override;
};
