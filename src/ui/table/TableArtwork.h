#pragma once

#include <QImage>

// The game table's background: the frame, the seats' rings, the narration, the chain
// column and the answer area.
namespace TableArtwork {

QImage background(qreal scale);  // 800 x 600

} // namespace TableArtwork
