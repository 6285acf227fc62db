#include "ui/table/TableArtwork.h"

#include "ui/look/Artwork.h"
#include "ui/table/TableLayout.h"

#include <QPainter>
#include <QRadialGradient>

QImage TableArtwork::background(qreal scale)
{
    QImage pm = Artwork::canvas(800, 600, Qt::black, scale);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);

    // The frame round the edge (its right side falls in the columns the window cuts off).
    p.setPen(QPen(Artwork::LightBlue, 3));
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
    p.setPen(QPen(Artwork::Green, 2));
    using namespace TableLayout;
    for (int seat = 1; seat <= 8; ++seat)
        p.drawEllipse(seatOval(seat));

    // The narration.
    p.setPen(QPen(Artwork::Cyan, 2));
    p.drawRect(NarrationFrame);

    // The chain and bank column down the left edge.
    p.setPen(QPen(Artwork::Green, 2));
    p.drawRoundedRect(ChainFrame, 18, 18);
    // The answer choice and the prize bar below it, joined to the column.
    p.drawRect(AnswerFrame);
    p.drawRoundedRect(PrizeFrame, 14, 14);
    p.setPen(QPen(Artwork::Green, 1));
    p.drawLine(QPointF(ChainFrame.right(), 500), QPointF(AnswerFrame.left(), 500));
    p.drawLine(QPointF(ChainFrame.right(), 562), QPointF(PrizeFrame.left(), 562));
    return pm;
}
