#pragma once

#include <QStyledItemDelegate>

// The question list's cells as the style draws them, and a frame round the current cell (the
// one F2 edits): white while the list holds the window's focus, grey while another control
// does. The style's own frame hardly shows on the marked row. The frame follows the window's
// focus control, not whether the window is active, so that the list's first paint, before the
// window is activated, is its last.
class CurrentCellDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};
