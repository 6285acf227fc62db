#include "app/Artwork.h"

#include "app/Fonts.h"
#include "game/TableLayout.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

const QColor Green(0, 200, 0);
const QColor LightBlue(120, 190, 255);
const QColor Cyan(0, 255, 255);

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

QImage Artwork::canvas(int width, int height, const QColor &fill, qreal scale)
{
    QImage image(QSize(width, height) * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(fill);
    return image;
}

QImage Artwork::gameBackground(qreal scale)
{
    QImage pm = canvas(800, 600, Qt::black, scale);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);

    // The frame round the edge (its right side falls in the columns the window cuts off).
    p.setPen(QPen(LightBlue, 3));
    p.drawRect(QRectF(2.5, 2.5, 786, 594));

    // The table in the middle: a faint round glow behind the narration.
    QRadialGradient glow(QPointF(440, 300), 260);
    glow.setColorAt(0, QColor(0, 60, 40));
    glow.setColorAt(1, QColor(0, 0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(QPointF(440, 300), 260, 230);

    // One ellipse behind each seat's name and vote label.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Green, 2));
    using namespace TableLayout;
    for (int seat = 1; seat <= 8; ++seat) {
        const QPoint at = NameLabel[seat];
        p.drawEllipse(QRectF(at.x() - 14, at.y() - 9, LabelWidth + 28, LabelHeight + VoteLabelBelow + 18));
    }

    // The narration.
    p.setPen(QPen(Cyan, 2));
    p.drawRect(QRectF(346, 122, 261, 317));

    // The chain and bank column down the left edge.
    p.setPen(QPen(Green, 2));
    p.drawRoundedRect(QRectF(12, 62, 104, 504), 18, 18);
    // The answer choice and the prize bar below it, joined to the column.
    p.drawRect(QRectF(346, 466, 261, 69));
    p.drawRoundedRect(QRectF(384, 546, 185, 33), 14, 14);
    p.setPen(QPen(Green, 1));
    p.drawLine(QPointF(116, 500), QPointF(346, 500));
    p.drawLine(QPointF(116, 562), QPointF(384, 562));
    return pm;
}

QImage Artwork::mainMenuBackground(qreal scale)
{
    QImage pm = canvas(785, 521, Qt::black, scale);
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
    p.setPen(QPen(Green, 2));
    p.drawEllipse(QRectF(232, 200, 321, 270));
    for (int i = 0; i < 8; ++i) {
        const double a = (i + 0.5) * 3.14159265 * 2 / 8;
        const QPointF c(392.5 + 195 * std::cos(a), 335 + 155 * std::sin(a));
        p.drawEllipse(c, 14, 14);
    }
    p.setPen(QPen(LightBlue, 3));
    p.drawRect(QRectF(2.5, 2.5, 780, 516));
    return pm;
}

QIcon Artwork::playGlyph()
{
    return twoStateGlyph([](QPainter &p, const QColor &c) {
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        p.drawPolygon(QPolygonF({QPointF(8, 5), QPointF(27, 16), QPointF(8, 27)}));
    }, QColor(0, 170, 0));
}

QIcon Artwork::settingsGlyph()
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

QIcon Artwork::exitGlyph()
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

QIcon Artwork::applicationIcon()
{
    QPixmap pm = QPixmap::fromImage(canvas(64, 64, Qt::transparent, qApp->devicePixelRatio()));
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::black);
    p.setPen(QPen(LightBlue, 3));
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 10, 10);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 215, 0), 5));
    p.drawEllipse(QRectF(8, 20, 28, 20));
    p.drawEllipse(QRectF(28, 24, 28, 20));
    return QIcon(pm);
}
