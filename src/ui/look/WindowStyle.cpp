#include "ui/look/WindowStyle.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
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

class Centring : public QObject
{
public:
    explicit Centring(QWidget &window) : QObject(&window), m_window(window) { window.installEventFilter(this); }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == &m_window && event->type() == QEvent::Show && !event->spontaneous()) {
            WindowStyle::centreOnScreen(m_window);
            m_placedByWindowManager = false;
            if (QWindow *handle = m_window.windowHandle(); handle && handle != m_handle) {
                m_handle = handle;
                handle->installEventFilter(this);
            }
        } else if (!m_placedByWindowManager && event->spontaneous()
                   && (event->type() == QEvent::Expose || event->type() == QEvent::Move
                       || event->type() == QEvent::WindowActivate)) {
            // Once the window manager has framed the window, its frame is known: centred
            // again then, once. Until then each of these events may be the first to know.
            if (m_window.frameGeometry() != m_window.geometry()) {
                m_placedByWindowManager = true;
                WindowStyle::centreOnScreen(m_window);
            }
        }
        return false;
    }

private:
    QWidget &m_window;
    QWindow *m_handle = nullptr;
    bool m_placedByWindowManager = true;
};

} // namespace

void WindowStyle::centreWhenShown(QWidget &window)
{
    new Centring(window);
}

void WindowStyle::centreOnScreen(QWidget &window)
{
    const QScreen *screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}
