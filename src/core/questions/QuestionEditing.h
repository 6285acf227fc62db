#pragma once

#include "core/data/LineStore.h"
#include "core/data/QuestionBase.h"
#include "core/data/Status.h"
#include "core/questions/LineSplices.h"
#include "core/questions/QuestionBlocks.h"
#include "core/questions/QuestionFile.h"
#include "core/questions/QuestionImport.h"
#include "core/questions/QuestionSearch.h"

// What the question editor does to the question base, without any window: the blocks of
// the file, playable or not; search; editing, removing and adding questions; undoing the
// session's changes; export.
//
// Every change is written to the file at once (QuestionFile: under its lock, atomically).
// A change that cannot be written leaves the questions as they were. If another window or
// another program changed the file since it was read here, the file is read again and the
// change is made on top of theirs when it touches other lines (merged() tells so); when it
// touches the lines they changed, nothing is written and the failure says so (reloaded()
// tells it apart). The session's undo history is kept as long as none of its changes
// touches the lines changed outside. A game already running keeps the questions it loaded.
class QuestionEditing
{
public:
    QuestionEditing(QString path, QString displayName);

    // Reads the file and forgets the undo history. A missing file is an empty base, which
    // the first change creates; the failure still tells the player it is missing.
    Status load();
    // Takes the base as another window has just read it from `file`, instead of reading it
    // again; forgets the undo history.
    void adopt(const LineStore &base, const QuestionFile &file);
    // Whether another program changed the file since it was last read or written here.
    bool changedOutside() const { return m_file.changedOutside(); }
    // Reads the file again if another program changed it since; true when its lines changed.
    bool reloadIfChangedOutside(Status *status);
    // Whether the last failed change found the file changed outside and read it again.
    bool reloaded() const { return m_reloaded; }
    // Whether the last change found the file changed outside and was made on top of it.
    bool merged() const { return m_merged; }
    // Whether the undo history had to be forgotten when the file was last read again.
    bool historyLost() const { return m_historyLost; }
    // Who changed the file outside, as the file was last read again (QuestionFile::whoChanged).
    const QString &whoChanged() const { return m_whoChanged; }
    // Where block `block` of the base as it was before the file was last read again now
    // stands: where the change outside touched it, the block now at its place; -1 when
    // there is none.
    int movedBlock(int block) const;
    // The block where the last change (or undo) begins, or -1 when it removed the last lines.
    int changedBlock() const;

    const QString &displayName() const { return m_file.displayName(); }
    const QStringList &lines() const { return m_store.lines(); }

    // The blocks, playable or not, in file order.
    int count() const { return int(m_blocks.size()); }
    int playableCount() const { return m_playable; }
    int brokenCount() const { return count() - m_playable; }
    const QuestionBlocks::Block &block(int i) const { return m_blocks.at(i); }
    QuestionBase::Question question(int i) const;
    // Why the game cannot play block `i`; empty when it can.
    QString problem(int i) const;

    // The blocks whose question or answers hold every word of `words`, in file order.
    QList<int> matching(const QString &words);
    // Folds the texts for search now rather than at the first search after a change.
    void prepareSearch();
    // The first block whose question reads `text` (exactly, or else folded), or -1.
    int find(const QString &text) const;
    // Another playable block that `question` would repeat (QuestionImport::repeatKey), or
    // -1; none when block `block` already reads as that question.
    int repeatOf(int block, const QuestionBase::Question &question) const;

    // Replaces block `i` by `question`, which must be storable (QuestionImport::refusal).
    // A broken block becomes a whole one.
    Status edit(int i, const QuestionBase::Question &question);
    Status remove(QList<int> blocks);
    // Adds the questions at the end of the file.
    Status add(const QList<QuestionBase::Question> &questions);

    bool canUndo() const { return !m_undo.isEmpty(); }
    // The change undo() would take back, as "удаление 3 вопросов".
    QString undoText() const;
    Status undo();

    // What importing these lines would add (repeats of the base's questions left out).
    QuestionImport::Plan planImport(const QStringList &lines) const;
    // Writes the blocks' lines, as they stand, to a UTF-8 file.
    Status exportTo(const QString &path, QList<int> blocks) const;

private:
    struct Step
    {
        QList<Splice> undo;
        QString what;
    };

    Status commit(QList<Splice> splices, const QString &what, bool undoing = false);
    // Takes the file as another program left it, keeping the undo history where it can.
    void takeOutsideChange(LineStore now);
    void reindex();

    QuestionFile m_file;
    LineStore m_store;
    QList<QuestionBlocks::Block> m_blocks;
    int m_playable = 0;
    QuestionSearch m_search;
    QList<Step> m_undo;
    bool m_reloaded = false;
    bool m_merged = false;
    bool m_historyLost = false;
    // The change found outside, and the blocks as they were before it.
    LineChange m_outside;
    QList<QuestionBlocks::Block> m_blocksBefore;
    int m_changedLine = -1;
    QString m_whoChanged;
};
