#pragma once

class QWidget;

// What a window of fixed size does when the desktop changes its state.
namespace WindowStates {

// A window of fixed size offers no maximise box, but a desktop may maximise it all the same:
// under Wayland the title bar that Qt draws itself has the box on every window, and the
// compositor then holds the window to the size it gives (a window that keeps its own size
// is cut off for breaking the protocol). So a maximised or full-screen window takes the size
// it is given, its content where it was, and gets its own size back when restored.
void fitWhenMaximised(QWidget &window);

} // namespace WindowStates
