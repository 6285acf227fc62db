#include "ui/look/Artwork.h"

#include <QGuiApplication>
#include <QPainter>

QImage Artwork::canvas(int width, int height, const QColor &fill, qreal scale, QImage::Format format)
{
    QImage image(QSize(width, height) * scale, format);
    image.setDevicePixelRatio(scale);
    image.fill(fill);
    return image;
}

QIcon Artwork::applicationIcon()
{
    QPixmap pm = QPixmap::fromImage(canvas(64, 64, Qt::transparent, qApp->devicePixelRatio()));
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::black);
    p.setPen(QPen(Artwork::LightBlue, 3));
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 10, 10);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 215, 0), 5));
    p.drawEllipse(QRectF(8, 20, 28, 20));
    p.drawEllipse(QRectF(28, 24, 28, 20));
    return QIcon(pm);
}
