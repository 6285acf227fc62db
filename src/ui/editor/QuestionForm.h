#pragma once

#include "core/data/QuestionBase.h"

#include <QObject>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QVBoxLayout;
class QWidget;
class QuestionEditing;

// The question editor's form: the heading of the block shown, the question's and both
// answers' fields with the marks of the right answer, the save button and the line that says
// why a question was refused. Its controls are the window's own children, in the window's
// Tab order.
//
// The fields hold an edit until it is saved: the form knows the question it was filled with,
// tells whether the fields differ from it (the heading then says so) and keeps an edit while
// its question stays the one shown.
class QuestionForm : public QObject
{
    Q_OBJECT

public:
    QuestionForm(const QuestionEditing &editing, QWidget *window);

    // Adds the heading, the fields and the refusal line to the window's layout.
    void addTo(QVBoxLayout *layout) const;
    // The controls in Tab order.
    QList<QWidget *> tabOrder() const;

    // The block the fields show, or -1; where it stands after the base was read again.
    int block() const { return m_block; }
    void setBlock(int block) { m_block = block; }
    // Fills the fields with `block` (-1: none), unless they hold an edit of that block.
    void show(int block);
    QuestionBase::Question question() const;
    bool edited() const;
    // Why the fields cannot be saved, and the control to correct first; empty when they can.
    QString refusal(QWidget **first) const;
    // Shows why the fields or a cell were refused.
    void showRefusal(const QString &message);
    void clearRefusal();
    // Shows in the heading and the window's title whether the fields hold an edit.
    void showMark();
    QString heading() const;

    void markRight(int answer);
    // Puts the focus on the question's field, its text selected or not.
    void focusQuestion(bool selectAll);

Q_SIGNALS:
    void saveAsked();
    // The fields differ, or no longer differ, from the question they were filled with.
    void editedShown(bool edited);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    const QuestionEditing &m_editing;
    // The block whose question the fields show, and the question as they were filled with it.
    int m_block = -1;
    QuestionBase::Question m_filled;

    QLabel *m_blockLabel = nullptr;
    QLineEdit *m_questionEdit = nullptr;
    QLineEdit *m_firstEdit = nullptr;
    QLineEdit *m_secondEdit = nullptr;
    QLabel *m_labels[3] = {};
    QRadioButton *m_rightItems[2] = {};
    QButtonGroup *m_rightChoice = nullptr;
    QPushButton *m_saveButton = nullptr;
    QLabel *m_refusalLabel = nullptr;
};
