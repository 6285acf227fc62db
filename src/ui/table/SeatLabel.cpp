#include "ui/table/SeatLabel.h"

#include <QAccessibleWidget>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace {

// A seat as a screen reader sees it: a button, to be pressed only while the vote is open.
class SeatAccessible : public QAccessibleWidget
{
public:
    explicit SeatAccessible(SeatLabel *seat) : QAccessibleWidget(seat, QAccessible::Button) {}

    SeatLabel *seat() const { return static_cast<SeatLabel *>(widget()); }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.disabled = !seat()->isVoteOpen();
        s.focusable = seat()->isVoteOpen();
        return s;
    }

    QStringList actionNames() const override
    {
        return seat()->isVoteOpen() ? QStringList{pressAction()} : QStringList();
    }

    void doAction(const QString &action) override
    {
        if (action == pressAction())
            seat()->press();
    }
};

QAccessibleInterface *seatAccessible(const QString &className, QObject *object)
{
    if (className == u"SeatLabel" && object && object->isWidgetType())
        return new SeatAccessible(static_cast<SeatLabel *>(object));
    return nullptr;
}

} // namespace

SeatLabel::SeatLabel(QWidget *parent) : QLabel(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(seatAccessible);
        return true;
    }();
    Q_UNUSED(installed);
    setFocusPolicy(Qt::NoFocus);
}

void SeatLabel::setNameFont(const QFont &font)
{
    m_nameFont = font;
    setFont(font);
}

void SeatLabel::showName(const QString &name)
{
    // Clear of the plate's edge on both sides, with a pixel to spare for the wider glyphs
    // of larger screen scales.
    constexpr int Padding = 5;
    constexpr int SmallestSize = 9;
    QFont font = m_nameFont;
    const int largest = font.pixelSize() > 0 ? font.pixelSize() : 12;
    for (int size = largest; size >= SmallestSize; --size) {
        font.setPixelSize(size);
        if (QFontMetricsF(font).horizontalAdvance(name) <= width() - 2 * Padding)
            break;
    }
    setFont(font);
    setText(name);
}

void SeatLabel::setVoteOpen(bool open)
{
    if (open == m_voteOpen)
        return;
    m_voteOpen = open;
    setFocusPolicy(open ? Qt::StrongFocus : Qt::NoFocus);
    if (!open && hasFocus())
        clearFocus();
    updateLook();
    QAccessible::State changed;
    changed.disabled = true;
    changed.focusable = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

void SeatLabel::press()
{
    if (m_voteOpen)
        Q_EMIT clicked();
}

void SeatLabel::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
}

void SeatLabel::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (m_voteOpen && (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)) {
        press();
        return;
    }
    QLabel::keyPressEvent(event);
}

void SeatLabel::enterEvent(QEnterEvent *event)
{
    QLabel::enterEvent(event);
    updateLook();
}

void SeatLabel::leaveEvent(QEvent *event)
{
    QLabel::leaveEvent(event);
    updateLook();
}

void SeatLabel::focusInEvent(QFocusEvent *event)
{
    QLabel::focusInEvent(event);
    updateLook();
}

void SeatLabel::focusOutEvent(QFocusEvent *event)
{
    QLabel::focusOutEvent(event);
    updateLook();
}

void SeatLabel::setOvalHovered(bool hovered)
{
    m_ovalHovered = hovered;
    updateLook();
}

void SeatLabel::updateLook()
{
    Look look = Look::Plain;
    if (m_voteOpen && hasFocus())
        look = Look::Focused;
    else if (m_voteOpen && (underMouse() || m_ovalHovered))
        look = Look::Pointed;
    if (look == m_look)
        return;
    m_look = look;
    update();
}

void SeatLabel::paintEvent(QPaintEvent *event)
{
    if (m_look != Look::Plain) {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF plate = QRectF(rect()).adjusted(0.75, 0.75, -0.75, -0.75);
        if (m_look == Look::Focused) {
            // A red plate behind the name: Enter or Space votes this one out.
            p.setPen(QPen(QColor(255, 230, 0), 1.5));
            p.setBrush(QColor(200, 0, 0, 200));
        } else {
            // An outline under the pointer: a click votes this one out. Plainly not the
            // focus's plate, so that two names never look chosen at once.
            p.setPen(QPen(QColor(255, 230, 0), 1.5, Qt::DashLine));
            p.setBrush(QColor(255, 255, 255, 40));
        }
        p.drawRoundedRect(plate, 4, 4);
    }
    QLabel::paintEvent(event);
}
