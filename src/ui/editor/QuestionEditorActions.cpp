#include "ui/editor/QuestionEditorActions.h"

#include "core/questions/QuestionEditing.h"
#include "core/questions/QuestionWords.h"
#include "ui/editor/EditorPrompts.h"
#include "ui/editor/QuestionFilter.h"
#include "ui/editor/QuestionForm.h"
#include "ui/editor/QuestionListView.h"
#include "ui/editor/QuestionTableModel.h"

#include <QMessageBox>
#include <QPushButton>

using namespace Qt::StringLiterals;
using QuestionWords::counted;

QuestionEditorActions::QuestionEditorActions(QuestionEditing &editing, EditorPrompts &prompts, Parts parts, QObject *parent)
    : QObject(parent), m_editing(editing), m_prompts(prompts), m_model(*parts.model), m_list(*parts.list),
      m_filter(*parts.filter), m_form(*parts.form)
{
}

void QuestionEditorActions::refresh(int block, int rowIfGone)
{
    m_filter.apply();
    const int count = m_model.rowCount();
    if (count > 0) {
        int row = block >= 0 ? m_model.rowOf(block) : -1;
        if (row < 0)
            row = std::clamp(rowIfGone, 0, count - 1);
        m_list.selectBlock(m_model.blockAt(row));
    }
    Q_EMIT listed();
    showCurrent();
}

void QuestionEditorActions::showCurrent()
{
    const int block = m_list.currentBlock();
    Q_EMIT currentShown(block);
    m_form.show(block);
}

bool QuestionEditorActions::settleEdit()
{
    if (!m_form.edited())
        return true;
    switch (m_prompts.askToSave()) {
    case EditorPrompts::Unsaved::Save:
        save();
        return !m_form.edited();
    case EditorPrompts::Unsaved::Discard:
        m_form.setBlock(-1);
        showCurrent();
        return true;
    case EditorPrompts::Unsaved::Cancel:
        break;
    }
    return false;
}

void QuestionEditorActions::search(const QString &words)
{
    // An edit stays in the fields while the list still shows its question.
    if (m_form.edited() && !m_filter.keeps(m_form.block(), words) && !settleEdit()) {
        m_filter.restore();
        return;
    }
    refresh(m_list.currentBlock(), 0);
}

void QuestionEditorActions::save()
{
    const int block = m_form.block();
    if (block < 0)
        return;
    m_form.clearRefusal();
    QWidget *first = nullptr;
    if (const QString refusal = m_form.refusal(&first); !refusal.isEmpty()) {
        Q_EMIT refused(refusal, first);
        return;
    }
    if (commit(block, m_form.question())) {
        // The fields show the question as stored, blanks at the ends trimmed.
        m_form.setBlock(-1);
        showCurrent();
    }
}

bool QuestionEditorActions::commit(int block, const QuestionBase::Question &typed)
{
    const QuestionBase::Question question{typed.text.trimmed(), typed.first.trimmed(), typed.second.trimmed(), typed.right};
    if (const QString why = QuestionImport::refusal(question); !why.isEmpty()) {
        Q_EMIT refused(why, nullptr);
        return false;
    }
    if (question.right < 0) {
        Q_EMIT refused(u"Отметьте верный ответ!"_s, nullptr);
        return false;
    }
    // A question that becomes another one's repeat is written only if the player wants two.
    if (const int other = m_editing.repeatOf(block, question);
        other >= 0
        && !m_prompts.confirm(u"Такой же вопрос уже есть в базе: вопрос %1. Записать ещё один?"_s.arg(other + 1), u"Записать"_s)) {
        Q_EMIT refused(u"Не записано: такой же вопрос уже есть в базе — вопрос %1."_s.arg(other + 1), nullptr);
        return false;
    }
    const bool wasPlayable = m_editing.block(block).playable;
    if (Status saved = m_editing.edit(block, question); !saved) {
        failed(saved);
        return false;
    }
    if (m_editing.merged()) {
        // Another program's change came first: the question may stand elsewhere now.
        const int moved = m_editing.changedBlock();
        if (m_form.block() == block)
            m_form.setBlock(moved);
        block = moved;
        refresh(block, m_list.currentIndex().row());
    } else if (const int row = m_model.rowOf(block); row >= 0) {
        m_model.rowChanged(row);
    }
    Q_EMIT listed();
    if (block == m_list.currentBlock())
        showCurrent();
    tellChange(wasPlayable ? u"Вопрос %1 записан."_s.arg(block + 1) : u"Блок %1 исправлен и записан."_s.arg(block + 1));
    return true;
}

void QuestionEditorActions::remove()
{
    // Saving the edit first may move the blocks (when another program's change came first).
    if (m_list.selectedBlocks().isEmpty() || !settleEdit())
        return;
    const QList<int> blocks = m_list.selectedBlocks();
    if (blocks.isEmpty())
        return;
    if (blocks.size() > 1
        && !m_prompts.confirm(u"Удалить из базы %1?"_s.arg(counted(blocks.size())), u"Удалить %1"_s.arg(counted(blocks.size()))))
        return;
    const int row = m_model.rowOf(blocks.first());
    if (Status removed = m_editing.remove(blocks); !removed) {
        failed(removed);
        return;
    }
    refresh(-1, row);
    tellChange(blocks.size() == 1 ? u"Вопрос %1 удалён. Ctrl+Z вернёт его."_s.arg(blocks.first() + 1)
                                  : u"Удалено: %1. Ctrl+Z вернёт их."_s.arg(counted(blocks.size())));
}

void QuestionEditorActions::undo()
{
    if (!m_editing.canUndo()) {
        Q_EMIT told(u"Отменять нечего."_s);
        return;
    }
    if (!settleEdit())
        return;
    const QString what = m_editing.undoText();
    if (Status undone = m_editing.undo(); !undone) {
        failed(undone);
        return;
    }
    // The question brought back or restored is current; after an import taken back, the row.
    refresh(m_editing.changedBlock(), m_list.currentIndex().row());
    tellChange(u"Отменено: %1."_s.arg(what));
}

void QuestionEditorActions::nextBroken()
{
    if (m_editing.brokenCount() == 0) {
        Q_EMIT told(u"Испорченных блоков в базе нет."_s);
        return;
    }
    if (!settleEdit())
        return;
    const auto nextShown = [this](int after) {
        const QList<int> &shown = m_model.blocks();
        for (int pass = 0; pass < 2; ++pass) {
            for (int block : shown) {
                if ((pass == 1 || block > after) && !m_editing.block(block).playable)
                    return block;
            }
        }
        return -1;
    };
    int block = nextShown(m_list.currentBlock());
    if (block < 0) {
        // None among the questions found: all of them are shown again.
        m_filter.clear();
        block = nextShown(m_list.currentBlock());
    }
    m_list.selectBlock(block);
    Q_EMIT told(m_form.heading());
}

void QuestionEditorActions::failed(const Status &status)
{
    Q_EMIT cleared();
    // The file as another program left it; an edit in the fields stays, to be saved again.
    if (m_editing.reloaded())
        showReadAgain();
    m_prompts.showError(status);
}

void QuestionEditorActions::showReadAgain()
{
    // An edit in the fields stays there, on its question where it now stands; a search that
    // would hide that question is cleared.
    m_form.setBlock(m_editing.movedBlock(m_form.block()));
    if (m_form.edited() && !m_filter.keeps(m_form.block(), m_filter.words()))
        m_filter.clearQuietly();
    refresh(m_form.block(), m_list.currentIndex().row());
}

void QuestionEditorActions::readIfChangedOutside()
{
    Status status;
    if (!m_editing.reloadIfChangedOutside(&status))
        return;
    showReadAgain();
    Q_EMIT told(u"Файл %1 изменён вне редактора: %2. Список перечитан%3."_s.arg(
        m_editing.displayName(), m_editing.whoChanged(),
        m_editing.historyLost() ? u", отменить прежние изменения уже нельзя"_s : QString()));
    if (!status)
        m_prompts.showError(status);
}

void QuestionEditorActions::tellChange(const QString &line)
{
    if (!m_editing.merged()) {
        Q_EMIT told(line);
        return;
    }
    Q_EMIT told(u"%1 Пока редактор был открыт, %2: те изменения сохранены, ваше записано поверх них."_s.arg(
        line, m_editing.whoChanged()));
}

EditorPrompts::Unsaved QuestionEditorActions::askToSave(QWidget *parent, int block)
{
    QMessageBox box(QMessageBox::Question, u"Редактор вопросов"_s, u"Записать изменения?"_s, QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText);
    box.setInformativeText(u"Вопрос %1 изменён и ещё не записан."_s.arg(block + 1));
    QPushButton *save = box.addButton(u"Записать"_s, QMessageBox::AcceptRole);
    QPushButton *discard = box.addButton(u"Не записывать"_s, QMessageBox::DestructiveRole);
    box.addButton(u"Отмена"_s, QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.exec();
    if (box.clickedButton() == save)
        return EditorPrompts::Unsaved::Save;
    if (box.clickedButton() == discard)
        return EditorPrompts::Unsaved::Discard;
    return EditorPrompts::Unsaved::Cancel;
}

bool QuestionEditorActions::askYesNo(QWidget *parent, const QString &question, const QString &yes)
{
    QMessageBox box(QMessageBox::Question, u"Редактор вопросов"_s, question, QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText);
    QPushButton *agree = box.addButton(yes, QMessageBox::AcceptRole);
    QPushButton *cancel = box.addButton(u"Отмена"_s, QMessageBox::RejectRole);
    box.setDefaultButton(cancel);
    box.exec();
    return box.clickedButton() == agree;
}
