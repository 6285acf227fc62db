#include "ui/editor/QuestionListView.h"

#include "ui/editor/CurrentCellDelegate.h"
#include "ui/editor/EditorLook.h"
#include "ui/editor/QuestionTableModel.h"

#include <QHeaderView>
#include <QKeyEvent>

using namespace Qt::StringLiterals;

QuestionListView::QuestionListView(QuestionTableModel *model, QWidget *parent) : QTableView(parent), m_model(model)
{
    setObjectName(u"QuestionList"_s);
    setModel(m_model);
    setItemDelegate(new CurrentCellDelegate(this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    setWordWrap(false);
    setAlternatingRowColors(true);
    setTabKeyNavigation(false);
    // Rows of one height, never measured: a hundred thousand rows cost nothing to lay out.
    QHeaderView *rows = verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(fontMetrics().height() + 6);
    rows->hide();
    QHeaderView *columns = horizontalHeader();
    columns->setSectionResizeMode(QHeaderView::Interactive);
    columns->setSectionResizeMode(QuestionTableModel::QuestionColumn, QHeaderView::Stretch);
    columns->resizeSection(QuestionTableModel::NumberColumn, 64);
    columns->resizeSection(QuestionTableModel::FirstColumn, 180);
    columns->resizeSection(QuestionTableModel::SecondColumn, 180);
    columns->resizeSection(QuestionTableModel::RightColumn, 80);
    columns->setHighlightSections(false);
    QPalette pal = palette();
    pal.setColor(QPalette::Base, EditorLook::Background);
    pal.setColor(QPalette::AlternateBase, EditorLook::AlternateRow);
    pal.setColor(QPalette::Text, WindowStyle::White);
    pal.setColor(QPalette::Highlight, WindowStyle::Teal);
    pal.setColor(QPalette::HighlightedText, WindowStyle::White);
    setPalette(pal);
    setAccessibleName(u"Вопросы базы"_s);
    setAccessibleDescription(u"Enter — к полям вопроса, F2 — править в списке, Del — удалить выбранные, "
                             u"Ctrl+Z — отменить, F8 — следующий испорченный блок"_s);
}

QList<int> QuestionListView::shownBlocks() const
{
    return m_model->blocks();
}

int QuestionListView::currentBlock() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? m_model->blockAt(current.row()) : -1;
}

void QuestionListView::selectBlock(int block)
{
    const int row = m_model->rowOf(block);
    if (row < 0)
        return;
    const QModelIndex index = m_model->index(row, QuestionTableModel::QuestionColumn);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index);
}

void QuestionListView::selectBlocks(const QList<int> &blocks)
{
    QItemSelection selection;
    for (int block : blocks) {
        const int row = m_model->rowOf(block);
        if (row >= 0)
            selection.select(m_model->index(row, 0), m_model->index(row, QuestionTableModel::ColumnCount - 1));
    }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

QList<int> QuestionListView::selectedBlocks() const
{
    QList<int> blocks;
    const QModelIndexList rows = selectionModel()->selectedRows();
    blocks.reserve(rows.size());
    for (const QModelIndex &i : rows)
        blocks.append(m_model->blockAt(i.row()));
    std::sort(blocks.begin(), blocks.end());
    return blocks;
}

bool QuestionListView::movesCurrent(const QKeyEvent *key)
{
    switch (key->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        return true;
    default:
        // Letters jump to the row they begin.
        return !key->text().isEmpty() && key->text().at(0).isPrint();
    }
}
