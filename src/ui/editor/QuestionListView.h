#pragma once

#include <QTableView>

class QKeyEvent;
class QuestionTableModel;

// The question editor's list: one row of fixed height for each block the search lets through,
// rows selected whole, the current cell framed. Tells and sets the current and the selected
// blocks by their numbers in the base.
class QuestionListView : public QTableView
{
    Q_OBJECT

public:
    QuestionListView(QuestionTableModel *model, QWidget *parent);

    // The blocks shown now, in order.
    QList<int> shownBlocks() const;
    // The block of the current row, or -1.
    int currentBlock() const;
    // Makes `block` the current (and only selected) row, if the list shows it.
    void selectBlock(int block);
    // Selects these blocks (those the list shows).
    void selectBlocks(const QList<int> &blocks);
    QList<int> selectedBlocks() const;

    // Whether the key would make another row current.
    static bool movesCurrent(const QKeyEvent *key);

private:
    QuestionTableModel *m_model;
};
