#include "ui/look/Announcer.h"

#include "ui/look/AccessibleRoles.h"

Announcer::Announcer(QWidget *parent)
    : QWidget(parent)
{
    AccessibleRoles::install();
    setObjectName(QStringLiteral("Announcer"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    resize(1, 1);
    hide();
}

void Announcer::say(const QString &line)
{
    if (line.isEmpty())
        return;
    hide();
    setAccessibleName(line);
    show();
}
