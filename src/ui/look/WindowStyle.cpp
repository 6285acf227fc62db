#include "ui/look/WindowStyle.h"

#include "ui/look/WindowFrame.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

void WindowStyle::setTextColour(QWidget *widget, const QColor &colour)
{
    QPalette pal = widget->palette();
    pal.setColor(QPalette::WindowText, colour);
    pal.setColor(QPalette::Text, colour);
    pal.setColor(QPalette::ButtonText, colour);
    widget->setPalette(pal);
}

void WindowStyle::showLabelsAsPlainText(QWidget &window)
{
    const QList<QLabel *> labels = window.findChildren<QLabel *>();
    for (QLabel *label : labels)
        label->setTextFormat(Qt::PlainText);
}

QString WindowStyle::literalButtonText(QString text)
{
    return text.replace(u'&', QStringLiteral("&&"));
}

namespace {

// Centres a window when it first shows, and keeps it centred while the window manager frames
// and places it. Once the window stands centred in its frame, it is the player's: a move, a
// hide and a show again leave it where it is.
class Centring : public QObject
{
public:
    explicit Centring(QWidget &window) : QObject(&window), m_window(window) { window.installEventFilter(this); }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == &m_window && event->type() == QEvent::Show && !event->spontaneous()) {
            if (m_settling.isValid())
                return false;
            WindowStyle::centreOnScreen(m_window);
            m_settling.start();
            // A frame that arrives without a report of its own is seen to as well.
            for (int ms : {500, SettlingMs - 200})
                QTimer::singleShot(ms, this, [this] { keepCentred(); });
            if (QWindow *handle = m_window.windowHandle())
                handle->installEventFilter(this);
        } else if (event->spontaneous() && !m_settled && m_settling.isValid() && !m_settling.hasExpired(SettlingMs)
                   && (event->type() == QEvent::Expose || event->type() == QEvent::Move
                       || event->type() == QEvent::WindowActivate)) {
            // The window manager frames a new window and places it a moment after it is
            // mapped, where it likes (under the pointer, say), and the frame changes the
            // size to centre. Until the window has settled, each report of where it is
            // brings it back to the centre.
            keepCentred();
        }
        return false;
    }

private:
    void keepCentred()
    {
        if (m_settled || !m_window.isVisible())
            return;
        if (!WindowStyle::isCentred(m_window))
            WindowStyle::centreOnScreen(m_window);
        else if (WindowFrame::isKnown(m_window))
            // Centred in the frame the window manager reports: whatever moves it from now
            // on is the player.
            m_settled = true;
    }

    static constexpr int SettlingMs = 2000;
    QWidget &m_window;
    QElapsedTimer m_settling;
    bool m_settled = false;
};

} // namespace

void WindowStyle::centreWhenShown(QWidget &window)
{
    new Centring(window);
}

namespace {

// Where the window itself (its frame aside) stands when its frame is centred on its screen;
// where it stands now when there is no screen.
QPoint centredPlace(const QWidget &window)
{
    const QScreen *screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return window.geometry().topLeft();
    const QMargins frame = WindowFrame::margins(window);
    QRect framed = window.geometry().marginsAdded(frame);
    framed.moveCenter(screen->availableGeometry().center());
    return framed.marginsRemoved(frame).topLeft();
}

} // namespace

void WindowStyle::centreOnScreen(QWidget &window)
{
    // The window's own place, not its frame's: Qt would place the frame by its own figure of
    // the frame, which can lag behind the window manager's.
    window.setGeometry(QRect(centredPlace(window), window.size()));
}

bool WindowStyle::isCentred(const QWidget &window)
{
    return (centredPlace(window) - window.geometry().topLeft()).manhattanLength() <= 1;
}
