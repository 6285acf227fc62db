#include "ui/editor/QuestionTableModel.h"

#include "core/questions/QuestionEditing.h"
#include "ui/look/WindowStyle.h"

#include <QColor>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const QColor BrokenText(255, 110, 110);

QString rightName(int right)
{
    return right == 0 ? u"первый"_s : right == 1 ? u"второй"_s : QString();
}

} // namespace

QuestionTableModel::QuestionTableModel(QuestionEditing &editing, QObject *parent)
    : QAbstractTableModel(parent), m_editing(editing)
{
}

void QuestionTableModel::setBlocks(QList<int> blocks)
{
    beginResetModel();
    m_blocks = std::move(blocks);
    endResetModel();
}

int QuestionTableModel::rowOf(int block) const
{
    // The blocks are shown in file order.
    const auto it = std::lower_bound(m_blocks.cbegin(), m_blocks.cend(), block);
    return it != m_blocks.cend() && *it == block ? int(it - m_blocks.cbegin()) : -1;
}

void QuestionTableModel::rowChanged(int row)
{
    Q_EMIT dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

int QuestionTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_blocks.size());
}

int QuestionTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant QuestionTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_blocks.size())
        return {};
    const int block = m_blocks.at(index.row());
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return display(block, column);
    case Qt::AccessibleTextRole:
        return accessibleText(block, column);
    case Qt::ToolTipRole:
        if (!m_editing.block(block).playable)
            return m_editing.problem(block);
        return column == NumberColumn || column == RightColumn ? QVariant() : display(block, column);
    case Qt::ForegroundRole: {
        if (!m_editing.block(block).playable)
            return BrokenText;
        const int right = m_editing.question(block).right;
        // The right answer stands out.
        if ((column == FirstColumn && right == 0) || (column == SecondColumn && right == 1))
            return WindowStyle::Lime;
        return {};
    }
    case Qt::TextAlignmentRole:
        return column == NumberColumn ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    default:
        return {};
    }
}

QVariant QuestionTableModel::display(int block, int column) const
{
    if (column == NumberColumn)
        return block + 1;
    const QuestionBase::Question q = m_editing.question(block);
    switch (column) {
    case QuestionColumn:
        return q.text;
    case FirstColumn:
        return q.first;
    case SecondColumn:
        return q.second;
    case RightColumn:
        return m_editing.block(block).playable ? rightName(q.right) : u"испорчен"_s;
    default:
        return {};
    }
}

QString QuestionTableModel::accessibleText(int block, int column) const
{
    // What a screen reader says for a cell: what it is, then its value, as the table says
    // "Ответ 1: …".
    const QuestionBase::Question q = m_editing.question(block);
    const bool playable = m_editing.block(block).playable;
    switch (column) {
    case NumberColumn:
        return playable ? u"Вопрос %1 из %2"_s.arg(block + 1).arg(m_editing.count())
                        : u"Вопрос %1 из %2, испорчен: %3"_s.arg(block + 1).arg(m_editing.count()).arg(m_editing.problem(block));
    case QuestionColumn:
        return u"Вопрос: %1"_s.arg(q.text);
    case FirstColumn:
        return u"Первый ответ: %1%2"_s.arg(q.first, q.right == 0 ? u", верный"_s : QString());
    case SecondColumn:
        return u"Второй ответ: %1%2"_s.arg(q.second, q.right == 1 ? u", верный"_s : QString());
    case RightColumn:
        return playable ? u"Верный ответ: %1"_s.arg(rightName(q.right)) : u"Блок испорчен"_s;
    default:
        return {};
    }
}

QVariant QuestionTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const QString titles[ColumnCount] = {u"№"_s, u"Вопрос"_s, u"Первый ответ"_s, u"Второй ответ"_s, u"Верный"_s};
    return section >= 0 && section < ColumnCount ? titles[section] : QString();
}

Qt::ItemFlags QuestionTableModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() >= QuestionColumn && index.column() <= SecondColumn)
        f |= Qt::ItemIsEditable;
    return f;
}

bool QuestionTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || !m_commit || !(flags(index) & Qt::ItemIsEditable))
        return false;
    const int block = m_blocks.at(index.row());
    QuestionBase::Question q = m_editing.question(block);
    const QString text = value.toString();
    (index.column() == QuestionColumn ? q.text : index.column() == FirstColumn ? q.first : q.second) = text;
    return m_commit(block, q);
}
