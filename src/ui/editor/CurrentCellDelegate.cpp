#include "ui/editor/CurrentCellDelegate.h"

#include "ui/look/WindowStyle.h"

#include <QAbstractItemView>
#include <QPainter>

void CurrentCellDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem cell(option);
    cell.state &= ~QStyle::State_HasFocus;
    QStyledItemDelegate::paint(painter, cell, index);
    const auto *view = qobject_cast<const QAbstractItemView *>(option.widget);
    if (view && view->currentIndex() == index) {
        painter->save();
        painter->setPen(view->window()->focusWidget() == view ? WindowStyle::White : WindowStyle::Grey);
        painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
        painter->restore();
    }
}
