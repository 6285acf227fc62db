#pragma once

#include <QImage>
#include <QWidget>

#include <functional>
#include <future>

// A window's background picture. It is painted the first time it is needed, so that
// windows that are not shown yet cost nothing at start-up, and then kept; the first
// window's picture can be painted ahead, on another core, while the window is made.
class Backdrop : public QWidget
{
public:
    // Paints the picture with `scale` device pixels to each of the window's pixels.
    using Painter = std::function<QImage(qreal scale)>;

    Backdrop(Painter painter, QWidget *parent);
    ~Backdrop() override;

    // Starts painting the picture on another thread now.
    void paintAhead();

    // The picture, painted now if it has not been yet.
    const QImage &picture();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Painter m_painter;
    std::future<QImage> m_ahead;
    QImage m_picture;
};
