#include "ui/editor/EditorLook.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

namespace {

// A button whose focus shows as a thick yellow frame, not only as the style's thin line.
class FocusButton : public QPushButton
{
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QPushButton::paintEvent(event);
        if (!hasFocus())
            return;
        QPainter painter(this);
        painter.setPen(QPen(WindowStyle::Yellow, 2));
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
};

} // namespace

QLineEdit *EditorLook::field(const QString &accessibleName, QWidget *parent)
{
    auto *e = new QLineEdit(parent);
    e->setAccessibleName(accessibleName);
    QPalette pal = e->palette();
    pal.setColor(QPalette::Base, Qt::white);
    pal.setColor(QPalette::Text, Qt::black);
    e->setPalette(pal);
    return e;
}

QLabel *EditorLook::label(const QString &text, QWidget *parent, const QColor &colour)
{
    auto *l = new QLabel(text, parent);
    l->setTextFormat(Qt::PlainText);
    WindowStyle::setTextColour(l, colour);
    return l;
}

QPushButton *EditorLook::button(QStyle::StandardPixmap glyph, const QString &text, QWidget *parent)
{
    return new FocusButton(parent->style()->standardIcon(glyph), text, parent);
}
