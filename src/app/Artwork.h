#pragma once

#include <QIcon>
#include <QPixmap>

// The pictures of the windows, drawn at start-up.
namespace Artwork {

QPixmap mainMenuBackground();  // 785 x 521
QPixmap gameBackground();      // 800 x 600, the game table
QIcon playGlyph();
QIcon settingsGlyph();
QIcon exitGlyph();
QIcon applicationIcon();

} // namespace Artwork
