#pragma once

#include <QImage>

// The settings window's background: a plain diagram on black with the heading, a rule
// under it, frames around the three areas of the window and rings behind OK and "Best".
namespace SettingsArtwork {

inline constexpr int Width = 676;
inline constexpr int Height = 414;

QImage background(qreal scale);

} // namespace SettingsArtwork
