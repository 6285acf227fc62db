#include "ui/look/WindowScale.h"

#include "ui/look/PlayerSettings.h"
#include "ui/look/WindowFrame.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// The main menu's designed size.
constexpr QSize MainMenu(792, 566);
// The largest window's: the game table.
constexpr QSize GameTable(792, 600);
// A frame as window managers commonly draw one, for a window whose frame is not known yet.
constexpr QMargins UsualFrame(4, 28, 4, 4);

const QString Key = u"window/scale"_s;

} // namespace

int WindowScale::stored()
{
    const int percent = playerSettings().value(Key, 0).toInt();
    return std::find(std::begin(Choices), std::end(Choices), percent) != std::end(Choices) ? percent : 0;
}

void WindowScale::store(int percent)
{
    QSettings s = playerSettings();
    s.setValue(Key, percent);
}

int WindowScale::largestFitting(QSize available)
{
    int best = Choices[0];
    for (int percent : Choices) {
        if (MainMenu.width() * percent * 3 <= available.width() * 2 * 100
            && MainMenu.height() * percent * 3 <= available.height() * 2 * 100)
            best = percent;
    }
    return best;
}

bool WindowScale::fits(int percent, QSize available, QMargins frame)
{
    if (percent == Choices[0])
        return true;
    const QSize window = GameTable * percent / 100;
    return window.width() + frame.left() + frame.right() <= available.width()
        && window.height() + frame.top() + frame.bottom() <= available.height();
}

QList<int> WindowScale::fittingOn(const QWidget &window)
{
    // Qt's sizes are divided by the scale the game runs at; the screen's pixels are not.
    const qreal scale = qEnvironmentVariableIsSet("QT_SCALE_FACTOR") ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble() : 1.0;
    const QScreen *screen = window.screen();
    const QSize available = screen ? screen->availableGeometry().size() * (scale > 0 ? scale : 1.0) : QSize();
    const QMargins known = WindowFrame::margins(window);
    const QMargins frame = known.isNull() ? UsualFrame : known * scale;
    QList<int> fitting;
    for (int percent : Choices) {
        if (fits(percent, available, frame))
            fitting.append(percent);
    }
    return fitting;
}

void WindowScale::applyAtStart(int &argc, char **argv)
{
    if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR"))
        return;
    int percent = stored();
    if (percent == 0) {
        // The first start: the screen's size needs a connection to the display, which the
        // scale must be set before; a short-lived one tells it.
        QSize available;
        {
            QGuiApplication probe(argc, argv);
            if (const QScreen *screen = QGuiApplication::primaryScreen())
                available = screen->availableGeometry().size();
        }
        percent = available.isValid() ? largestFitting(available) : Choices[0];
        store(percent);
    }
    if (percent != 100)
        qputenv("QT_SCALE_FACTOR", QByteArray::number(percent / 100.0));
}
