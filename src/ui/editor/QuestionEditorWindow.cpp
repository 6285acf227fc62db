#include "ui/editor/QuestionEditorWindow.h"

#include "core/data/DataFiles.h"
#include "ui/editor/EditorLook.h"
#include "ui/editor/QuestionEditorActions.h"
#include "ui/editor/QuestionFilter.h"
#include "ui/editor/QuestionForm.h"
#include "ui/editor/QuestionListView.h"
#include "ui/editor/QuestionTableModel.h"
#include "ui/editor/QuestionTransfer.h"
#include "ui/editor/QtTranslation.h"
#include "ui/look/AccessibleRoles.h"
#include "ui/look/Announcer.h"
#include "ui/look/ErrorReport.h"
#include "ui/look/Fonts.h"
#include "ui/look/WindowStyle.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

using EditorLook::button;
using EditorLook::label;

QuestionEditorWindow::QuestionEditorWindow(QDir dataDir, QWidget *parent)
    : LazyWindow(parent, Qt::Window), m_dataDir(std::move(dataDir))
{
    setObjectName(u"QuestionEditor"_s);
    // The mark shows while the question's fields hold an edit not saved.
    setWindowTitle(u"Редактор вопросов[*]"_s);
    AccessibleRoles::install();
    setFont(Fonts::font(Fonts::Family::MsSansSerif, 12));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, EditorLook::Background);
    pal.setColor(QPalette::WindowText, WindowStyle::White);
    setPalette(pal);
    setAutoFillBackground(true);
    resize(920, 620);
    WindowStyle::centreWhenShown(*this);
}

void QuestionEditorWindow::build()
{
    const QString name = QString::fromLatin1(DataFiles::QuestionBase);
    m_editing = std::make_unique<QuestionEditing>(DataFiles::path(m_dataDir, name), name);
    buildLayout();
    addShortcuts();
}

void QuestionEditorWindow::buildLayout()
{
    auto *layout = new QVBoxLayout(this);

    m_model = new QuestionTableModel(*m_editing, this);
    m_filter = new QuestionFilter(*m_editing, *m_model, this);
    m_filter->addTo(layout);
    m_table = new QuestionListView(m_model, this);
    m_table->installEventFilter(this);
    layout->addWidget(m_table, 1);

    m_form = new QuestionForm(*m_editing, this);
    m_form->addTo(layout);

    auto *actions = new QHBoxLayout;
    const auto action = [this](QStyle::StandardPixmap glyph, const QString &text, const QString &name) {
        QPushButton *b = button(glyph, text, this);
        b->setObjectName(name);
        return b;
    };
    m_removeButton = action(QStyle::SP_TrashIcon, u"Удалить (Del)"_s, u"RemoveButton"_s);
    m_undoButton = action(QStyle::SP_ArrowBack, u"Отменить (Ctrl+Z)"_s, u"UndoButton"_s);
    m_importButton = action(QStyle::SP_DialogOpenButton, u"Импорт... (Ctrl+I)"_s, u"ImportButton"_s);
    m_exportButton = action(QStyle::SP_DriveFDIcon, u"Экспорт... (Ctrl+E)"_s, u"ExportButton"_s);
    m_nextBrokenButton = action(QStyle::SP_MessageBoxWarning, u"Испорченный (F8)"_s, u"NextBrokenButton"_s);
    m_nextBrokenButton->setAccessibleDescription(u"Следующий блок, который игра не может задать"_s);
    m_closeButton = action(QStyle::SP_DialogCloseButton, u"Закрыть (Esc)"_s, u"CloseButton"_s);
    for (QPushButton *b : {m_removeButton, m_undoButton, m_importButton, m_exportButton, m_nextBrokenButton})
        actions->addWidget(b);
    actions->addStretch(1);
    actions->addWidget(m_closeButton);
    layout->addLayout(actions);

    m_statusLabel = label(QString(), this, WindowStyle::Lime);
    m_statusLabel->setObjectName(u"StatusLabel"_s);
    m_statusLabel->setAccessibleName(u"Последнее действие"_s);
    layout->addWidget(m_statusLabel);
    m_announcer = new Announcer(this);
    m_actions = new QuestionEditorActions(*m_editing, *this, {m_model, m_table, m_filter, m_form}, this);
    m_model->setCommit([this](int block, const QuestionBase::Question &q) { return m_actions->commit(block, q); });
    m_transfer = new QuestionTransfer(*m_editing, *this, this);

    const QList<QWidget *> order = QList<QWidget *>{m_filter->field(), m_table} + m_form->tabOrder()
        + QList<QWidget *>{m_removeButton, m_undoButton, m_importButton, m_exportButton, m_nextBrokenButton, m_closeButton};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(m_filter->field(), &QLineEdit::textChanged, this, &QuestionEditorWindow::search);
    connect(m_filter->field(), &QLineEdit::returnPressed, m_table, qOverload<>(&QWidget::setFocus));
    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, m_actions, &QuestionEditorActions::showCurrent);
    connect(m_form, &QuestionForm::saveAsked, this, &QuestionEditorWindow::savePressed);
    connect(m_form, &QuestionForm::editedShown, this, &QWidget::setWindowModified);
    m_table->viewport()->installEventFilter(this);
    connect(m_removeButton, &QPushButton::clicked, this, &QuestionEditorWindow::removePressed);
    connect(m_undoButton, &QPushButton::clicked, this, &QuestionEditorWindow::undoPressed);
    connect(m_importButton, &QPushButton::clicked, this, &QuestionEditorWindow::importPressed);
    connect(m_exportButton, &QPushButton::clicked, this, &QuestionEditorWindow::exportPressed);
    connect(m_nextBrokenButton, &QPushButton::clicked, this, &QuestionEditorWindow::nextBrokenPressed);
    connect(m_closeButton, &QPushButton::clicked, this, &QWidget::close);
    connect(m_transfer, &QuestionTransfer::cleared, m_statusLabel, &QLabel::clear);
    connect(m_transfer, &QuestionTransfer::told, this, &QuestionEditorWindow::tell);
    connect(m_transfer, &QuestionTransfer::changed, m_actions, &QuestionEditorActions::tellChange);
    connect(m_transfer, &QuestionTransfer::failed, m_actions, &QuestionEditorActions::failed);
    connect(m_transfer, &QuestionTransfer::added, this, [this](int first) {
        // The questions added are shown, whatever was searched for.
        m_filter->clearQuietly();
        m_actions->refresh(first);
    });
    connect(m_actions, &QuestionEditorActions::told, this, &QuestionEditorWindow::tell);
    connect(m_actions, &QuestionEditorActions::refused, this, &QuestionEditorWindow::refuse);
    connect(m_actions, &QuestionEditorActions::cleared, m_statusLabel, &QLabel::clear);
    connect(m_actions, &QuestionEditorActions::listed, this, &QuestionEditorWindow::showCount);
    connect(m_actions, &QuestionEditorActions::currentShown, this, [this](int block) { m_removeButton->setEnabled(block >= 0); });
}

void QuestionEditorWindow::addShortcuts()
{
    const auto key = [this](const QKeySequence &sequence, auto slot) {
        auto *s = new QShortcut(sequence, this);
        connect(s, &QShortcut::activated, this, slot);
    };
    key(QKeySequence(Qt::CTRL | Qt::Key_F), [this] { m_filter->focus(); });
    key(QKeySequence(Qt::CTRL | Qt::Key_S), &QuestionEditorWindow::savePressed);
    key(QKeySequence(Qt::Key_Delete), &QuestionEditorWindow::removePressed);
    key(QKeySequence(Qt::CTRL | Qt::Key_Z), &QuestionEditorWindow::undoPressed);
    key(QKeySequence(Qt::CTRL | Qt::Key_I), &QuestionEditorWindow::importPressed);
    key(QKeySequence(Qt::CTRL | Qt::Key_E), &QuestionEditorWindow::exportPressed);
    key(QKeySequence(Qt::Key_F8), &QuestionEditorWindow::nextBrokenPressed);
    key(QKeySequence(Qt::Key_Escape), &QWidget::close);
    for (int i = 0; i < 2; ++i)
        key(QKeySequence(Qt::ALT | (i == 0 ? Qt::Key_1 : Qt::Key_2)), [this, i] { m_form->markRight(i); });
}

void QuestionEditorWindow::open()
{
    ensureBuilt();
    // Read before the window shows, so that its first frame shows the list: at the first
    // opening, unless the base taken over ahead of time (prepare()) is still what the file holds.
    const bool first = !m_opened;
    m_opened = true;
    const Status loaded = first && (!m_loaded || m_editing->changedOutside()) ? load() : Status::success();
    QtTranslation::installRussian();
    show();
    raise();
    activateWindow();
    m_table->setFocus(Qt::OtherFocusReason);
    m_filter->prepareSoon();
    if (!loaded)
        showError(loaded);
    // The session's changes and their undo stay while the file holds what this window wrote.
    if (!first)
        checkForOutsideChange();
}

void QuestionEditorWindow::prepare(const LineStore &base, const QuestionFile &file)
{
    ensureBuilt();
    if (m_opened || !file.isRead() || file.changedOutside())
        return;
    if (m_loaded && !m_editing->changedOutside())
        return;
    m_editing->adopt(base, file);
    m_loaded = true;
    m_actions->refresh(-1, 0);
}

void QuestionEditorWindow::openWithBase(const LineStore &base, const QuestionFile &file)
{
    prepare(base, file);
    open();
}

void QuestionEditorWindow::openAt(const QString &question)
{
    open();
    const int block = m_editing->find(question);
    if (block < 0) {
        tell(u"Вопроса «%1» в базе нет."_s.arg(question));
        return;
    }
    openAtBlock(block);
}

void QuestionEditorWindow::openAtBlock(int block)
{
    open();
    if (block < 0 || block >= m_editing->count() || (block != m_form->block() && !m_actions->settleEdit()))
        return;
    if (m_model->rowOf(block) < 0)
        m_filter->clear();
    selectBlock(block);
    m_form->focusQuestion(false);
}

Status QuestionEditorWindow::load()
{
    const Status loaded = m_editing->load();
    m_loaded = true;
    m_actions->refresh(-1, 0);
    return loaded;
}

QList<int> QuestionEditorWindow::shownBlocks() const
{
    return m_table ? m_table->shownBlocks() : QList<int>();
}

int QuestionEditorWindow::currentBlock() const
{
    return m_table ? m_table->currentBlock() : -1;
}

void QuestionEditorWindow::selectBlock(int block)
{
    m_table->selectBlock(block);
}

void QuestionEditorWindow::selectBlocks(const QList<int> &blocks)
{
    m_table->selectBlocks(blocks);
}

void QuestionEditorWindow::search(const QString &words)
{
    m_actions->search(words);
}

void QuestionEditorWindow::savePressed()
{
    m_actions->save();
}

void QuestionEditorWindow::showCount()
{
    m_filter->prepareSoon();
    m_filter->showCount();
    m_table->setAccessibleName(u"Вопросы базы: показано %1 из %2"_s.arg(m_model->rowCount()).arg(m_editing->count()));
    m_undoButton->setEnabled(m_editing->canUndo());
    m_undoButton->setAccessibleDescription(m_editing->canUndo() ? u"Отменить: %1"_s.arg(m_editing->undoText()) : QString());
    m_nextBrokenButton->setEnabled(m_editing->brokenCount() > 0);
}

void QuestionEditorWindow::removePressed()
{
    m_actions->remove();
}

void QuestionEditorWindow::undoPressed()
{
    m_actions->undo();
}

void QuestionEditorWindow::importPressed()
{
    if (m_actions->settleEdit())
        m_transfer->importChosen();
}

bool QuestionEditorWindow::importFile(const QString &path)
{
    return m_actions->settleEdit() && m_transfer->importFile(path);
}

void QuestionEditorWindow::exportPressed()
{
    m_transfer->exportChosen(m_table->selectedBlocks());
}

bool QuestionEditorWindow::exportBlocks(const QString &path, const QList<int> &blocks)
{
    return m_transfer->exportBlocks(path, blocks);
}

void QuestionEditorWindow::nextBrokenPressed()
{
    m_actions->nextBroken();
}

void QuestionEditorWindow::tell(const QString &line)
{
    m_statusLabel->setText(line);
    m_announcer->say(line);
}

void QuestionEditorWindow::refuse(const QString &message, QWidget *field)
{
    // The last action's line would read as if all were well.
    m_statusLabel->clear();
    m_form->showRefusal(message);
    m_announcer->say(message);
    if (field)
        field->setFocus(Qt::OtherFocusReason);
}

void QuestionEditorWindow::checkForOutsideChange()
{
    if (m_loaded && isVisible())
        m_actions->readIfChangedOutside();
}

bool QuestionEditorWindow::event(QEvent *event)
{
    const bool handled = QWidget::event(event);
    // Back from another window or program: the base may have changed meanwhile.
    if (event->type() == QEvent::WindowActivate)
        QMetaObject::invokeMethod(this, &QuestionEditorWindow::checkForOutsideChange, Qt::QueuedConnection);
    return handled;
}

void QuestionEditorWindow::closeEvent(QCloseEvent *event)
{
    if (m_actions && !m_actions->settleEdit()) {
        event->ignore();
        return;
    }
    LazyWindow::closeEvent(event);
}

bool QuestionEditorWindow::eventFilter(QObject *watched, QEvent *event)
{
    // Another row made current by the mouse or the keys: an edit is saved or dropped first.
    if (watched == m_table->viewport()
        && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)) {
        const int row = m_table->indexAt(static_cast<QMouseEvent *>(event)->position().toPoint()).row();
        if (row >= 0 && m_model->blockAt(row) != m_form->block() && m_form->edited()) {
            // The click chose the row, whatever the question asked meanwhile did with the mouse.
            if (m_actions->settleEdit())
                selectBlock(m_model->blockAt(row));
            return true;
        }
    }
    if (watched == m_table && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<const QKeyEvent *>(event);
        if (QuestionListView::movesCurrent(key) && !m_actions->settleEdit())
            return true;
        // Enter on the list goes to the question's fields (F2 edits the cell instead; while a
        // cell is edited, its editor has the keys).
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && currentBlock() >= 0) {
            m_form->focusQuestion(true);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

QuestionEditorWindow::Unsaved QuestionEditorWindow::askToSave()
{
    return QuestionEditorActions::askToSave(this, m_form->block());
}

void QuestionEditorWindow::showError(const Status &status)
{
    ErrorReport::show(this, status);
}

bool QuestionEditorWindow::confirm(const QString &question, const QString &yes)
{
    return QuestionEditorActions::askYesNo(this, question, yes);
}

bool QuestionEditorWindow::confirmImport(const QuestionImport::Plan &plan, const QString &fileName)
{
    return QuestionTransfer::askImport(this, plan, fileName);
}

QString QuestionEditorWindow::chooseFile(bool forSaving)
{
    return QuestionTransfer::askFile(this, forSaving);
}

QList<int> QuestionEditorWindow::chooseExport(const QList<int> &selected)
{
    return QuestionTransfer::askExport(this, selected, m_editing->count());
}
