#pragma once

#include <QMargins>
#include <QList>
#include <QSize>

class QWidget;

// The size of every window, as a share of its designed size: 100, 125, 150 or 200 %. It
// is kept in the player's settings and takes effect when the game starts, for every
// window whole (artwork, text and places), drawn sharp at the new size.
namespace WindowScale {

inline constexpr int Choices[] = {100, 125, 150, 200};

// The stored size, or 0 before the first start.
int stored();
void store(int percent);

// The largest size whose main menu fits in two thirds of a screen of `available` size.
int largestFitting(QSize available);

// Whether the game's largest window (the table), with the window manager's frame round it,
// fits on a screen of `available` size at `percent`; sizes and frame in the screen's pixels.
// The smallest size always fits: there is none smaller to offer.
bool fits(int percent, QSize available, QMargins frame);

// The sizes that fit the screen `window` stands on, as fits() tells: its available area and
// the frame the window manager draws round `window`.
QList<int> fittingOn(const QWidget &window);

// Before the application object exists: scales the windows by the stored size. On the first
// start it asks the screen for its size and stores the largest that fits. A scale given in
// the environment (QT_SCALE_FACTOR) is the user's and stays.
void applyAtStart(int &argc, char **argv);

} // namespace WindowScale
