#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>

// The pictures of the windows, drawn when first shown.
namespace Artwork {

// A picture of `width` x `height` in the windows' own pixels, with `scale` device pixels
// to each (the screen's scale), so that what is painted on it stays sharp at any window
// size. Pictures are images, so that they can be painted on any thread.
QImage canvas(int width, int height, const QColor &fill, qreal scale);

QImage mainMenuBackground(qreal scale);  // 785 x 521
QImage gameBackground(qreal scale);      // 800 x 600, the game table
QIcon playGlyph();
QIcon settingsGlyph();
QIcon exitGlyph();
QIcon applicationIcon();

} // namespace Artwork
