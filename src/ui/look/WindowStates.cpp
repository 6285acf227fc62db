#include "ui/look/WindowStates.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace {

class MaximisedFit : public QObject
{
public:
    explicit MaximisedFit(QWidget &window) : QObject(&window), m_window(window) { window.installEventFilter(this); }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == &m_window && event->type() == QEvent::Show && !m_handle) {
            m_handle = m_window.windowHandle();
            // The window's own request (the title bar's maximise box) reaches the desktop
            // before the window hears of it: the limit goes at once, so that the size the
            // desktop answers with is taken.
            if (m_handle)
                connect(m_handle, &QWindow::windowStateChanged, this, &MaximisedFit::fit);
        } else if (watched == &m_window && event->type() == QEvent::WindowStateChange) {
            fit();
        }
        return false;
    }

private:
    void fit()
    {
        const bool given = m_window.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)
            || (m_handle && m_handle->windowStates() & (Qt::WindowMaximized | Qt::WindowFullScreen));
        if (given)
            m_window.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        else
            m_window.setMaximumSize(m_window.minimumSize());
    }

    QWidget &m_window;
    QWindow *m_handle = nullptr;
};

} // namespace

void WindowStates::fitWhenMaximised(QWidget &window)
{
    new MaximisedFit(window);
}
