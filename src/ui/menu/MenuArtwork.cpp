#include "ui/menu/MenuArtwork.h"

#include "ui/look/Artwork.h"
#include "ui/look/Fonts.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>

#include <cmath>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

QPixmap glyph(const std::function<void(QPainter &, const QColor &)> &draw, const QColor &colour)
{
    QPixmap pm = QPixmap::fromImage(Artwork::canvas(32, 32, Qt::transparent, qApp->devicePixelRatio()));
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p, colour);
    return pm;
}

// A glyph with the two states of a button: bright when it can be pressed, grey when not.
QIcon twoStateGlyph(const std::function<void(QPainter &, const QColor &)> &draw, const QColor &colour)
{
    QIcon icon;
    icon.addPixmap(glyph(draw, colour), QIcon::Normal);
    icon.addPixmap(glyph(draw, QColor(128, 128, 128)), QIcon::Disabled);
    return icon;
}

} // namespace

QImage MenuArtwork::background(qreal scale)
{
    // Kept as long as the program runs and painted on another thread while the program starts:
    // three bytes a pixel, 0.4 MiB less at the main menu for 2 ms more on that thread.
    QImage pm = Artwork::canvas(785, 521, Qt::black, scale, QImage::Format_RGB888);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);

    // A chain of rings across the top: the game's emblem.
    p.setPen(QPen(QColor(255, 215, 0), 5));
    for (int i = 0; i < 9; ++i) {
        const QRectF ring(140 + i * 56, 48 + (i % 2) * 10, 78, 46);
        p.drawEllipse(ring);
    }
    QFont title = Fonts::font(Fonts::Family::CenturyGothic, 54, true);
    p.setFont(title);
    QLinearGradient gold(0, 110, 0, 170);
    gold.setColorAt(0, QColor(255, 240, 120));
    gold.setColorAt(1, QColor(220, 140, 0));
    p.setPen(QPen(QBrush(gold), 1));
    p.drawText(QRectF(0, 100, 785, 70), Qt::AlignCenter, u"ЗЫБКОЦЕПЬЕ"_s);

    // Eight seats round a table under the buttons.
    p.setPen(QPen(Artwork::Green, 2));
    p.drawEllipse(QRectF(232, 200, 321, 270));
    for (int i = 0; i < 8; ++i) {
        const double a = (i + 0.5) * 3.14159265 * 2 / 8;
        const QPointF c(392.5 + 195 * std::cos(a), 335 + 155 * std::sin(a));
        p.drawEllipse(c, 14, 14);
    }
    p.setPen(QPen(Artwork::LightBlue, 3));
    p.drawRect(QRectF(2.5, 2.5, 780, 516));
    return pm;
}

QIcon MenuArtwork::playGlyph()
{
    return twoStateGlyph([](QPainter &p, const QColor &c) {
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        p.drawPolygon(QPolygonF({QPointF(8, 5), QPointF(27, 16), QPointF(8, 27)}));
    }, QColor(0, 170, 0));
}

QIcon MenuArtwork::settingsGlyph()
{
    return twoStateGlyph([](QPainter &p, const QColor &c) {
        p.setPen(QPen(c, 4));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(16, 16), 7, 7);
        for (int i = 0; i < 8; ++i) {
            const double a = i * 3.14159265 / 4;
            p.drawLine(QPointF(16 + 9 * std::cos(a), 16 + 9 * std::sin(a)), QPointF(16 + 14 * std::cos(a), 16 + 14 * std::sin(a)));
        }
    }, QColor(0, 90, 200));
}

QIcon MenuArtwork::exitGlyph()
{
    return twoStateGlyph([](QPainter &p, const QColor &c) {
        p.setPen(QPen(c, 3));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(5, 4, 14, 24));
        p.drawLine(QPointF(13, 16), QPointF(29, 16));
        p.drawLine(QPointF(29, 16), QPointF(23, 10));
        p.drawLine(QPointF(29, 16), QPointF(23, 22));
    }, QColor(200, 0, 0));
}
