#pragma once

#include <QIcon>
#include <QImage>
#include <QRect>

// The settings window's pictures. The background is a plain diagram on black with the
// heading, a rule under it, frames around the window's areas and rings behind OK and "Best".
namespace SettingsArtwork {

// The window's client area, which the background fills.
inline constexpr int Width = 676;
inline constexpr int Height = 541;

// The frame of the group «Звук и экран», below the other areas.
inline constexpr QRect SoundAndScreenFrame{16, 412, 642, 120};

QImage background(qreal scale);

// The glyph of "Best": a winner's cup.
QIcon winnersGlyph();

} // namespace SettingsArtwork
