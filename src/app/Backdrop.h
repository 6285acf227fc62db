#pragma once

#include <QPixmap>
#include <QWidget>

#include <functional>

// A window's background picture. It is drawn the first time it is needed, so that
// windows that are not shown yet cost nothing at start-up, and then kept.
class Backdrop : public QWidget
{
public:
    using Painter = std::function<QPixmap()>;

    Backdrop(Painter painter, QWidget *parent);

    // The picture, drawn now if it has not been yet.
    const QPixmap &picture();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Painter m_painter;
    QPixmap m_picture;
};
