#pragma once

#include <QColor>
#include <QString>
#include <Qt>

class QGroupBox;
class QWidget;

// What the four windows share in their look: a fixed border with only the system menu,
// the minimise box and the close box, the standard colours, and a place in the middle
// of the screen.
namespace WindowStyle {

inline constexpr Qt::WindowFlags FixedWindow = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
    | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint
    | Qt::MSWindowsFixedSizeDialogHint;

inline const QColor White(255, 255, 255);
inline const QColor Red(255, 0, 0);
inline const QColor Yellow(255, 255, 0);
inline const QColor Grey(128, 128, 128);
inline const QColor Aqua(0, 255, 255);
inline const QColor Fuchsia(255, 0, 255);
inline const QColor Lime(0, 255, 0);
inline const QColor Teal(0, 128, 128);

// The colour of a widget's text (labels, buttons, group captions).
void setTextColour(QWidget *widget, const QColor &colour);

void centreOnScreen(QWidget &window);
// Whether the window's frame stands centred on its screen, to a pixel.
bool isCentred(const QWidget &window);

// Centres the window on its screen, frame included, when it first shows, and shows it again
// where it stood when it was hidden. The window manager frames and places a window only once
// it is on screen, so until the window stands in its place in the frame the window manager
// reports (two seconds at most), it is brought back there whenever it is found elsewhere.
// From then on it stays where the player puts it.
void centreWhenShown(QWidget &window);

// A dialog-like window of the game: its name and title, a fixed size, centred when first
// shown, the game's font and a black background.
void setUpDarkWindow(QWidget &window, const QString &objectName, const QString &title, int width, int height);

// Every label of the window shows its text as it stands: a name such as "<b>Вася</b>"
// is not markup.
void showLabelsAsPlainText(QWidget &window);

// The group's caption sits on its frame's top line, which runs through the caption's middle,
// as the game's windows were laid out for: what the group holds starts right below it.
void putCaptionOnFrame(QGroupBox &group);

// A button's text shown as it stands: '&' is not a shortcut mark.
QString literalButtonText(QString text);

} // namespace WindowStyle
