#include "ui/look/WindowScale.h"

#include "ui/look/PlayerSettings.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// The main menu's designed size.
constexpr QSize MainMenu(792, 566);

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
