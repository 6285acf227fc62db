#include "ui/table/SeatLabel.h"

#include <QAccessibleWidget>
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

void SeatLabel::setVoteOpen(bool open)
{
    if (open == m_voteOpen)
        return;
    m_voteOpen = open;
    setFocusPolicy(open ? Qt::StrongFocus : Qt::NoFocus);
    if (!open && hasFocus())
        clearFocus();
    updateLit();
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
    updateLit();
}

void SeatLabel::leaveEvent(QEvent *event)
{
    QLabel::leaveEvent(event);
    updateLit();
}

void SeatLabel::focusInEvent(QFocusEvent *event)
{
    QLabel::focusInEvent(event);
    updateLit();
}

void SeatLabel::focusOutEvent(QFocusEvent *event)
{
    QLabel::focusOutEvent(event);
    updateLit();
}

void SeatLabel::updateLit()
{
    const bool lit = m_voteOpen && (underMouse() || hasFocus());
    if (lit == m_lit)
        return;
    m_lit = lit;
    update();
}

void SeatLabel::paintEvent(QPaintEvent *event)
{
    if (m_lit) {
        // A red plate behind the name: this is the one the click votes out.
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(255, 230, 0), 1.5));
        p.setBrush(QColor(200, 0, 0, 200));
        p.drawRoundedRect(QRectF(rect()).adjusted(0.75, 0.75, -0.75, -0.75), 4, 4);
    }
    QLabel::paintEvent(event);
}
