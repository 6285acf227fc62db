#pragma once

#include <QIcon>
#include <QPixmap>

// The pictures of the windows, drawn when first shown.
namespace Artwork {

// A picture of `width` x `height` in the windows' own pixels, with as many device pixels
// as the screen's scale needs, so that what is painted on it stays sharp at any window size.
QPixmap canvas(int width, int height, const QColor &fill);

QPixmap mainMenuBackground();  // 785 x 521
QPixmap gameBackground();      // 800 x 600, the game table
QIcon playGlyph();
QIcon settingsGlyph();
QIcon exitGlyph();
QIcon applicationIcon();

} // namespace Artwork
