#include "ui/look/LazyWindow.h"

LazyWindow::LazyWindow(QWidget *parent, Qt::WindowFlags flags)
    : QWidget(parent, flags)
{
}

void LazyWindow::ensureBuilt()
{
    if (m_built)
        return;
    m_built = true;
    build();
}

void LazyWindow::setVisible(bool visible)
{
    if (visible)
        ensureBuilt();
    QWidget::setVisible(visible);
}
