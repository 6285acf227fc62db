#pragma once

#include <QObject>
#include <QString>

class QLineEdit;
class QWidget;
class QuestionEditing;
class QuestionTableModel;

// The question editor's search: the list shows the blocks that hold every word typed in the
// search field (QuestionEditing's folded texts, prepared once the list is on screen).
class QuestionFilter : public QObject
{
    Q_OBJECT

public:
    QuestionFilter(QuestionEditing &editing, QuestionTableModel &model, QLineEdit *field, QWidget *window);

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
    // What the count line says of the base and of what was found.
    QString countText() const;

private:
    QuestionEditing &m_editing;
    QuestionTableModel &m_model;
    QLineEdit *m_field;
    QWidget *m_window;
    // The search as last applied to the list.
    QString m_searched;
};
