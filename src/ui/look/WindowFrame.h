#pragma once

#include <QMargins>

class QWidget;

// The frame the window manager draws round a top-level window.
namespace WindowFrame {

// The frame's margins as the window manager reports them to the X server now
// (_NET_FRAME_EXTENTS); Qt's own figure where there is no such report (another platform,
// or a window not framed yet). Qt keeps the figure it read last until the window next
// moves, so right after a window manager frames a new window its figure can still be none.
QMargins margins(const QWidget &window);

// Whether the frame is known as the window manager has it: on X once the window manager has
// reported it; elsewhere Qt's own figure is all there is.
bool isKnown(const QWidget &window);

} // namespace WindowFrame
