#pragma once

#include "core/data/QuestionBase.h"

#include <QAbstractTableModel>
#include <QList>

#include <functional>

class QuestionEditing;

// The question editor's list: one row for each block of the base that the search lets
// through, in file order, with the block's number, the question, both answers and which
// answer is right. Rows are read from the base when drawn, never copied into items, so a
// base of a hundred thousand questions scrolls as fast as one of ten.
//
// A block the game cannot play shows in red, with the reason in its tooltip. The three
// texts can be edited in place (F2 or a double click); the window's commit function checks
// and writes such an edit.
class QuestionTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { NumberColumn, QuestionColumn, FirstColumn, SecondColumn, RightColumn, ColumnCount };

    explicit QuestionTableModel(QuestionEditing &editing, QObject *parent = nullptr);

    // Writes an edit made in place; false when it was refused or failed.
    using Commit = std::function<bool(int block, const QuestionBase::Question &question)>;
    void setCommit(Commit commit) { m_commit = std::move(commit); }

    // Shows these blocks (numbers of QuestionEditing's blocks, in order).
    void setBlocks(QList<int> blocks);
    const QList<int> &blocks() const { return m_blocks; }
    // The block shown in `row`, and the row of `block` (-1 when it is not shown).
    int blockAt(int row) const { return m_blocks.at(row); }
    int rowOf(int block) const;
    // The row's texts changed in place.
    void rowChanged(int row);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

private:
    QVariant display(int block, int column) const;
    QString accessibleText(int block, int column) const;

    QuestionEditing &m_editing;
    QList<int> m_blocks;
    Commit m_commit;
};
