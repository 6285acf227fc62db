#include "ui/look/ErrorReport.h"

#include <QMessageBox>

using namespace Qt::StringLiterals;

namespace {

ErrorReport::Handler &handler()
{
    static ErrorReport::Handler h;
    return h;
}

} // namespace

void ErrorReport::show(QWidget *parent, const Status &status)
{
    if (status.ok())
        return;
    if (handler()) {
        handler()(parent, status);
        return;
    }
    QMessageBox box(QMessageBox::Warning, u"Зыбкоцепье"_s, status.message, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.setInformativeText(status.detail);
    box.exec();
}

ErrorReport::Handler ErrorReport::setHandler(Handler h)
{
    return std::exchange(handler(), std::move(h));
}
