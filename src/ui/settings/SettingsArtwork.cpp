#include "ui/settings/SettingsArtwork.h"

#include "ui/look/Artwork.h"
#include "ui/look/Fonts.h"

#include <QPainter>

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
    p.drawRect(QRect(36, 250, 484, 154));

    // Rings behind the OK and "Best" buttons.
    p.setPen(QPen(Qt::yellow, 2));
    p.drawEllipse(QRect(598, 292, 77, 49));
    p.drawEllipse(QRect(598, 348, 77, 49));

    return picture;
}
