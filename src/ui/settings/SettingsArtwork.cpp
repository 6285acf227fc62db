#include "ui/settings/SettingsArtwork.h"

#include "ui/look/Artwork.h"
#include "ui/look/Fonts.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>

using namespace Qt::StringLiterals;

QImage SettingsArtwork::background(qreal scale)
{
    QImage picture = Artwork::canvas(Width, Height, Qt::black, scale);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);

    // The heading over a thin rule across the top.
    p.setPen(Qt::cyan);
    p.setFont(Fonts::font(Fonts::Family::MsSansSerif, 28, true));
    p.drawText(QRect(0, 14, Width, 40), Qt::AlignCenter, u"Настройка функций игры"_s);
    p.setPen(QPen(Qt::white, 1));
    p.drawLine(16, 62, Width - 17, 62);

    // Frames around the player's name, the names base and the questions.
    p.setPen(QPen(Qt::green, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(16, 76, 228, 162));
    p.drawRect(QRect(252, 76, 406, 166));
    // The questions' frame reaches right to hold «Редактор вопросов...» beside the count.
    p.drawRect(QRect(36, 250, 552, 154));
    p.drawRect(SoundAndScreenFrame);

    // Rings behind the OK and "Best" buttons.
    p.setPen(QPen(Qt::yellow, 2));
    p.drawEllipse(QRect(598, 292, 77, 49));
    p.drawEllipse(QRect(598, 348, 77, 49));

    return picture;
}

QIcon SettingsArtwork::winnersGlyph()
{
    // Drawn for the screen's scale, as the style's own glyphs are.
    QPixmap glyph = QPixmap::fromImage(Artwork::canvas(16, 16, Qt::transparent, qApp->devicePixelRatio()));
    QPainter p(&glyph);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor gold(255, 200, 0);
    const QColor outline(140, 90, 0);

    // The handles, then the bowl over them, the stem and the foot.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(gold.darker(115), 1.6));
    p.drawArc(QRectF(1.2, 2.5, 5, 6), 90 * 16, 180 * 16);
    p.drawArc(QRectF(9.8, 2.5, 5, 6), -90 * 16, 180 * 16);
    QPainterPath bowl;
    bowl.moveTo(3.5, 1.5);
    bowl.lineTo(12.5, 1.5);
    bowl.cubicTo(12.5, 7.5, 10.5, 9.5, 8, 9.5);
    bowl.cubicTo(5.5, 9.5, 3.5, 7.5, 3.5, 1.5);
    p.setPen(QPen(outline, 1));
    p.setBrush(gold);
    p.drawPath(bowl);
    p.drawRect(QRectF(7, 9.5, 2, 3));
    p.drawRoundedRect(QRectF(4.5, 12.5, 7, 2.5), 1, 1);
    // A glint on the bowl.
    p.setPen(QPen(QColor(255, 245, 190), 1.2));
    p.drawLine(QPointF(5.5, 3), QPointF(6, 6.5));
    return QIcon(glyph);
}
