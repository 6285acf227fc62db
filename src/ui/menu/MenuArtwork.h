#pragma once

#include <QIcon>
#include <QImage>

// The main menu's pictures: its background and the glyphs of its three buttons.
namespace MenuArtwork {

QImage background(qreal scale);  // 785 x 521
QIcon playGlyph();
QIcon settingsGlyph();
QIcon exitGlyph();

} // namespace MenuArtwork
