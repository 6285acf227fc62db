#include "ui/look/WindowStyle.h"

#include "ui/look/AccessibleRoles.h"
#include "ui/look/Fonts.h"
#include "ui/look/WindowFrame.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QApplication>
#include <QGroupBox>
#include <QGuiApplication>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOption>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <optional>

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

// Centres a window when it first shows, and brings it back where it stood when it shows
// again; either place is kept while the window manager frames and places the window. Once
// the window stands there in its frame, it is the player's to move.
class Placing : public QObject
{
public:
    explicit Placing(QWidget &window) : QObject(&window), m_window(window) { window.installEventFilter(this); }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == &m_window && event->type() == QEvent::Show && !event->spontaneous()) {
            m_settled = false;
            keepPlaced();
            m_settling.start();
            // A frame that arrives without a report of its own is seen to as well.
            for (int ms : {500, SettlingMs - 200})
                QTimer::singleShot(ms, this, [this] { keepPlaced(); });
            if (QWindow *handle = m_window.windowHandle(); handle && handle != m_handle) {
                m_handle = handle;
                handle->installEventFilter(this);
            }
        } else if (watched == &m_window && event->type() == QEvent::Hide && !event->spontaneous()) {
            // Where the player left it. Some window managers (metacity) hand a window they
            // no longer show back at its frame's place, a title bar higher.
            m_place = m_window.geometry().topLeft();
        } else if (event->spontaneous() && !m_settled && m_settling.isValid() && !m_settling.hasExpired(SettlingMs)
                   && (event->type() == QEvent::Expose || event->type() == QEvent::Move
                       || event->type() == QEvent::WindowActivate)) {
            // The window manager frames a window and places it a moment after it is
            // mapped, where it likes (under the pointer, say), and the frame changes the
            // size to centre. Until the window has settled, each report of where it is
            // brings it back to its place.
            keepPlaced();
        }
        return false;
    }

private:
    void keepPlaced()
    {
        if (m_settled || !m_window.isVisible())
            return;
        const QPoint place = m_place ? *m_place : centredPlace(m_window);
        if ((place - m_window.geometry().topLeft()).manhattanLength() > 1)
            m_window.setGeometry(QRect(place, m_window.size()));
        else if (WindowFrame::isKnown(m_window))
            // In its place, in the frame the window manager reports: whatever moves it from
            // now on is the player.
            m_settled = true;
    }

    static constexpr int SettlingMs = 2000;
    QWidget &m_window;
    QWindow *m_handle = nullptr;
    std::optional<QPoint> m_place;
    QElapsedTimer m_settling;
    bool m_settled = false;
};

} // namespace

void WindowStyle::centreWhenShown(QWidget &window)
{
    new Placing(window);
}

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

void WindowStyle::setUpDarkWindow(QWidget &window, const QString &objectName, const QString &title, int width,
                                  int height)
{
    window.setObjectName(objectName);
    window.setWindowTitle(title);
    window.setFixedSize(width, height);
    centreWhenShown(window);
    AccessibleRoles::install();
    window.setFont(Fonts::font(Fonts::Family::MsSansSerif, 11));
    QPalette pal = window.palette();
    pal.setColor(QPalette::Window, Qt::black);
    window.setPalette(pal);
    window.setAutoFillBackground(true);
}

namespace {

// The application's style with the group's frame drawn here, its top line through the
// caption's middle and broken where the caption stands (the style's own frame starts below
// the caption).
class CaptionOnFrameStyle : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                            const QWidget *widget) const override
    {
        const auto *box = qstyleoption_cast<const QStyleOptionGroupBox *>(option);
        if (control != CC_GroupBox || !box || !(box->subControls & SC_GroupBoxFrame) || box->text.isEmpty()) {
            QProxyStyle::drawComplexControl(control, option, painter, widget);
            return;
        }
        const QRect caption = subControlRect(CC_GroupBox, box, SC_GroupBoxLabel, widget);
        painter->save();
        painter->setClipRegion(QRegion(box->rect) - caption.adjusted(-2, 0, 2, 0));
        painter->setPen(WindowStyle::Grey);
        painter->drawRect(QRectF(box->rect.adjusted(0, caption.center().y() - box->rect.top(), -1, -1)).translated(0.5, 0.5));
        painter->restore();
        QStyleOptionGroupBox captionOnly(*box);
        captionOnly.subControls &= ~SC_GroupBoxFrame;
        QProxyStyle::drawComplexControl(control, &captionOnly, painter, widget);
    }
};

} // namespace

void WindowStyle::putCaptionOnFrame(QGroupBox &group)
{
    // The proxy takes the application's style as its base; the group owns it.
    auto *style = new CaptionOnFrameStyle(QApplication::style()->name());
    style->setParent(&group);
    group.setStyle(style);
}
