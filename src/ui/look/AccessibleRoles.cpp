#include "ui/look/AccessibleRoles.h"

#include "ui/look/Backdrop.h"

#include <QAccessibleWidget>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace {

class HiddenAccessible : public QAccessibleWidget
{
public:
    explicit HiddenAccessible(QWidget *widget) : QAccessibleWidget(widget, QAccessible::NoRole) {}

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.invisible = true;
        s.focusable = false;
        return s;
    }
};

QAccessibleInterface *roleFor(const QString &className, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    if (className == u"GameWindow" || className == u"SettingsWindow" || className == u"WinnersWindow"
        || className == u"MainMenuWindow" || className == u"QuestionEditorWindow")
        return widget->isWindow() ? new QAccessibleWidget(widget, QAccessible::Window) : nullptr;
    if (className == u"Announcer")
        return new QAccessibleWidget(widget, QAccessible::Notification);
    // Backdrop has no meta-object of its own: it is asked for as a QWidget.
    if (className == u"QWidget" && dynamic_cast<Backdrop *>(widget))
        return new HiddenAccessible(widget);
    return nullptr;
}

} // namespace

void AccessibleRoles::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(roleFor);
        return true;
    }();
    Q_UNUSED(installed);
}
