#include "app/WindowStyle.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QWidget>

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

void WindowStyle::centreOnScreen(QWidget &window)
{
    const QScreen *screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}
