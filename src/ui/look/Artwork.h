#pragma once

#include <QIcon>
#include <QImage>
#include <QColor>

// What the windows' pictures share: the canvas they are painted on, their colours, and
// the program's icon. Each window's own pictures live with the window.
namespace Artwork {

// A picture of `width` x `height` in the windows' own pixels, with `scale` device pixels
// to each (the screen's scale), so that what is painted on it stays sharp at any window
// size. Pictures are images, so that they can be painted on any thread. Qt paints fastest on
// four bytes a pixel; an opaque picture that is painted off the player's way can take three.
QImage canvas(int width, int height, const QColor &fill, qreal scale,
              QImage::Format format = QImage::Format_ARGB32_Premultiplied);

QIcon applicationIcon();

// The colours the windows' pictures share.
inline const QColor Green(0, 200, 0);
inline const QColor LightBlue(120, 190, 255);
inline const QColor Cyan(0, 255, 255);

} // namespace Artwork
