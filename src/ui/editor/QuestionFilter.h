#pragma once

#include <QObject>
#include <QString>

class QLabel;
class QLineEdit;
class QVBoxLayout;
class QWidget;
class QuestionEditing;
class QuestionTableModel;

// The question editor's search: the list shows the blocks that hold every word typed in the
// search field (QuestionEditing's folded texts, prepared once the list is on screen). The
// search row, with the count of the base and of the blocks found, is made as the window's own.
class QuestionFilter : public QObject
{
    Q_OBJECT

public:
    QuestionFilter(QuestionEditing &editing, QuestionTableModel &model, QWidget *window);

    // Adds the search row to the window's layout.
    void addTo(QVBoxLayout *layout) const;
    QLineEdit *field() const { return m_field; }
    // Puts the focus on the search field, its words selected.
    void focus();

    // Whether the list would still show `block` for these words.
    bool keeps(int block, const QString &words);
    // Shows the blocks matching the field's words.
    void apply();
    // The words in the field now.
    QString words() const;
    // Empties the field, which shows every block.
    void clear();
    // Puts the words last applied back in the field, without searching again.
    void restore();
    // Empties the field without searching again.
    void clearQuietly();
    // Folds the texts for search a moment after the list is painted.
    void prepareSoon();
    // Shows the count of the base and of what was found.
    void showCount();

private:
    QuestionEditing &m_editing;
    QuestionTableModel &m_model;
    QLabel *m_label;
    QLineEdit *m_field;
    QLabel *m_countLabel;
    QWidget *m_window;
    // The search as last applied to the list.
    QString m_searched;
};
