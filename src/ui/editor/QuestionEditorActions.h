#pragma once

#include "core/data/QuestionBase.h"
#include "core/data/Status.h"
#include "ui/editor/EditorPrompts.h"

#include <QObject>

class QWidget;
class QuestionEditing;
class QuestionFilter;
class QuestionForm;
class QuestionListView;
class QuestionTableModel;

// What the question editor's keys and buttons do with the base and the list: the search, a
// question saved from the fields or from a cell, questions removed, the last change undone,
// the next broken block found, the base shown again after another program changed it. An edit
// in the fields is saved or dropped, as the player says, before the fields show another
// question. What happened is told by the signals; the window shows it.
class QuestionEditorActions : public QObject
{
    Q_OBJECT

public:
    struct Parts
    {
        QuestionTableModel *model;
        QuestionListView *list;
        QuestionFilter *filter;
        QuestionForm *form;
    };

    QuestionEditorActions(QuestionEditing &editing, EditorPrompts &prompts, Parts parts, QObject *parent);

    // Shows the blocks matching the search again, keeping `block` current where it can.
    void refresh(int block, int rowIfGone = -1);
    // Shows the current block in the fields (an edit of it stays).
    void showCurrent();
    // Before the fields show another question: saves or drops an edit, as the player says;
    // false when the edit stays (cancelled, or refused when saved).
    bool settleEdit();

    void search(const QString &words);
    // Writes the question's fields over their block.
    void save();
    // Writes a question over a block (from the fields or from the list); false when
    // refused or failed.
    bool commit(int block, const QuestionBase::Question &question);
    // Removes the selected blocks, after asking when there are more than one.
    void remove();
    void undo();
    void nextBroken();
    // Shows a failed write; the base as another program left it, if it was read again.
    void failed(const Status &status);
    // Reads the base again if another program changed it, and says so.
    void readIfChangedOutside();
    // Tells a change written to the base, and that it went on top of another program's.
    void tellChange(const QString &line);

    // The dialogs the window shows by default: «Записать изменения?» for `block`, and a
    // yes-or-no question whose `yes` is the text of the button that agrees.
    static EditorPrompts::Unsaved askToSave(QWidget *parent, int block);
    static bool askYesNo(QWidget *parent, const QString &question, const QString &yes);

Q_SIGNALS:
    void told(const QString &line);
    // A question refused, and the control to correct (or none).
    void refused(const QString &message, QWidget *field);
    // The last action's line no longer holds.
    void cleared();
    // The list or the base's counts changed.
    void listed();
    // The block shown in the fields, or -1.
    void currentShown(int block);

private:
    void showReadAgain();

    QuestionEditing &m_editing;
    EditorPrompts &m_prompts;
    QuestionTableModel &m_model;
    QuestionListView &m_list;
    QuestionFilter &m_filter;
    QuestionForm &m_form;
};
