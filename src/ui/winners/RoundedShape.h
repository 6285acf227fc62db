#pragma once

#include <QColor>
#include <QWidget>

// A filled rounded rectangle with a thin outline, drawn to fill the widget.
class RoundedShape : public QWidget
{
    Q_OBJECT

public:
    RoundedShape(QColor fill, QColor outline, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_fill;
    QColor m_outline;
};
