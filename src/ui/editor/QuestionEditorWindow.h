#pragma once

#include "core/data/Status.h"
#include "core/questions/QuestionEditing.h"
#include "ui/editor/EditorPrompts.h"
#include "ui/look/LazyWindow.h"

#include <QDir>

class Announcer;
class QLabel;
class QLineEdit;
class QPushButton;
class QuestionEditorActions;
class QuestionFilter;
class QuestionForm;
class QuestionListView;
class QuestionTableModel;
class QuestionTransfer;

// The question editor: every question of the base in one list, found by the words typed in
// the search field, corrected in place, removed, imported from a file or exported to one.
//
// The settings window's "Редактор вопросов..." opens it (open()); openAt() opens it on a
// given question, for windows that show questions. Every change is written to the base at
// once (QuestionEditing); Ctrl+Z takes the session's changes back one by one. When the
// window becomes active again and another program changed the base meanwhile, it reads the
// base again and says so.
//
// The question's fields hold an edit until it is saved: whatever would show another question
// in them (another row, a search that leaves the question out, an import, closing the window)
// first asks whether to save it, and the window's title and the question's heading show that
// there is an edit not saved.
//
// Keys: Ctrl+F search, Enter in the search field goes to the list, F2 edits a cell in
// place, Enter in the list goes to the question's fields, Ctrl+S or Enter in a field saves
// them, Alt+1 and Alt+2 mark the right answer, Del removes the selected questions, Ctrl+Z
// undoes, Ctrl+I imports, Ctrl+E exports, F8 goes to the next broken block, Esc closes.
//
// The window lays out and wires its parts: the list (QuestionListView over QuestionTableModel),
// the search (QuestionFilter), the question's fields (QuestionForm), what the keys and buttons
// do (QuestionEditorActions) and the import and export (QuestionTransfer); it asks the
// player's answers they need.
class QuestionEditorWindow : public LazyWindow, protected EditorPrompts
{
    Q_OBJECT

public:
    explicit QuestionEditorWindow(QDir dataDir, QWidget *parent = nullptr);

    const QuestionEditing &editing() const { return *m_editing; }
    // The blocks the list shows now, in order.
    QList<int> shownBlocks() const;
    // The block of the list's current row, or -1.
    int currentBlock() const;
    // Makes `block` the current (and only selected) row, if the list shows it.
    void selectBlock(int block);
    // Selects these blocks (those the list shows).
    void selectBlocks(const QList<int> &blocks);

public Q_SLOTS:
    // Shows the window with the base as the file holds it now.
    void open();
    // The same, on the base as another window has just read it from `file`: a base of a
    // hundred thousand questions is not read twice. If the file changed since, it is read.
    void openWithBase(const LineStore &base, const QuestionFile &file);
    // Makes the window and takes over the base as another window has just read it, ahead of
    // the player's opening it; nothing once the window has been opened.
    void prepare(const LineStore &base, const QuestionFile &file);
    // Shows the window on the question whose text is `question` (search cleared).
    void openAt(const QString &question);
    // Shows the window on the block of number `block`, counted in file order from 0.
    void openAtBlock(int block);

    void search(const QString &words);
    // Writes the question's fields over the current block.
    void savePressed();
    // Removes the selected blocks, after asking when there are more than one.
    void removePressed();
    void undoPressed();
    void importPressed();
    void exportPressed();
    void nextBrokenPressed();

    // Reads a file of questions, asks the player and adds the new ones; true when added.
    bool importFile(const QString &path);
    // Writes the blocks to a UTF-8 file; true when written.
    bool exportBlocks(const QString &path, const QList<int> &blocks);

public:
    using Unsaved = EditorPrompts::Unsaved;

protected:
    // The player's answers, asked in dialogs; tests replace them.
    Unsaved askToSave() override;
    // Shows a failed file operation in a message box.
    void showError(const Status &status) override;
    bool confirm(const QString &question, const QString &yes) override;
    bool confirmImport(const QuestionImport::Plan &plan, const QString &fileName) override;
    QString chooseFile(bool forSaving) override;
    QList<int> chooseExport(const QList<int> &selected) override;

    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

protected:
    void build() override;

private:
    void buildLayout();
    void addShortcuts();
    Status load();
    // Shows the counts of the base and of the blocks found, and what can be undone.
    void showCount();
    void tell(const QString &line);
    void refuse(const QString &message, QWidget *field);
    void checkForOutsideChange();

    QDir m_dataDir;
    std::unique_ptr<QuestionEditing> m_editing;
    bool m_loaded = false;
    bool m_opened = false;

    QuestionTableModel *m_model = nullptr;
    QuestionListView *m_table = nullptr;
    QuestionFilter *m_filter = nullptr;
    QuestionForm *m_form = nullptr;
    QuestionEditorActions *m_actions = nullptr;
    QuestionTransfer *m_transfer = nullptr;
    QPushButton *m_removeButton = nullptr;
    QPushButton *m_undoButton = nullptr;
    QPushButton *m_importButton = nullptr;
    QPushButton *m_exportButton = nullptr;
    QPushButton *m_nextBrokenButton = nullptr;
    QPushButton *m_closeButton = nullptr;
    QLabel *m_statusLabel = nullptr;
    Announcer *m_announcer = nullptr;
};
