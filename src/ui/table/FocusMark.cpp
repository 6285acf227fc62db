#include "ui/table/FocusMark.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace {
constexpr int Margin = 2;
const QColor MarkColour(255, 255, 255);
} // namespace

FocusMark::FocusMark(QWidget *table)
    : QWidget(table)
{
    setObjectName(u"FocusMark"_s);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_TranslucentBackground);
    hide();
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) { follow(now); });
}

void FocusMark::follow(QWidget *focus)
{
    if (m_target)
        m_target->removeEventFilter(this);
    // Only a control of this table; the table itself with the focus is no control.
    QWidget *table = parentWidget();
    m_target = focus && focus != table && table->isAncestorOf(focus) ? focus : nullptr;
    if (m_target)
        m_target->installEventFilter(this);
    place();
}

bool FocusMark::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_target) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
            place();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FocusMark::place()
{
    if (!m_target || !m_target->isVisible()) {
        hide();
        return;
    }
    const QPoint at = m_target->mapTo(parentWidget(), QPoint(0, 0));
    setGeometry(QRect(at, m_target->size()).adjusted(-Margin, -Margin, Margin, Margin));
    raise();
    show();
}

void FocusMark::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(MarkColour, 2));
    p.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 4, 4);
}
