#pragma once

class QWidget;

// Every window of the game stands centred on its screen when it is shown.
namespace WindowPlacement {

void centreOnScreen(QWidget &window);

} // namespace WindowPlacement
