#include "ui/editor/QuestionEditorWindow.h"

#include "core/data/DataFiles.h"
#include "core/questions/QuestionWords.h"
#include "ui/editor/ImportDialog.h"
#include "ui/editor/QuestionTableModel.h"
#include "ui/look/AccessibleRoles.h"
#include "ui/look/Announcer.h"
#include "ui/look/ErrorReport.h"
#include "ui/look/Fonts.h"
#include "ui/look/WindowStyle.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTimer>
#include <QTranslator>
#include <QVBoxLayout>

#include <numeric>

using namespace Qt::StringLiterals;
using QuestionWords::counted;

namespace {

const QColor Background(0, 0, 0);
const QColor AlternateRow(28, 28, 28);
// A moment for the list to be painted first.
constexpr int PrepareSearchMs = 250;

// A blank question or answer: the same refusal for every field.
const QString Empty = u"Пусто!"_s;

QString fieldRefusal(const QString &text)
{
    if (text.trimmed().isEmpty())
        return Empty;
    return QuestionBase::refusal(text);
}

QLineEdit *field(const QString &accessibleName, QWidget *parent)
{
    auto *e = new QLineEdit(parent);
    e->setAccessibleName(accessibleName);
    QPalette pal = e->palette();
    pal.setColor(QPalette::Base, Qt::white);
    pal.setColor(QPalette::Text, Qt::black);
    e->setPalette(pal);
    return e;
}

QLabel *label(const QString &text, QWidget *parent, const QColor &colour = WindowStyle::White)
{
    auto *l = new QLabel(text, parent);
    l->setTextFormat(Qt::PlainText);
    WindowStyle::setTextColour(l, colour);
    return l;
}

// A button whose focus shows as a thick yellow frame, not only as the style's thin line.
class FocusButton : public QPushButton
{
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QPushButton::paintEvent(event);
        if (!hasFocus())
            return;
        QPainter painter(this);
        painter.setPen(QPen(WindowStyle::Yellow, 2));
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
};

// The mark of an answer's being right, beside that answer's field. Qt leaves only the last
// focused button of a group in the Tab order; each mark here stands by its own field, so
// both stay there.
class AnswerMark : public QRadioButton
{
public:
    using QRadioButton::QRadioButton;

protected:
    void focusInEvent(QFocusEvent *event) override
    {
        QRadioButton::focusInEvent(event);
        if (group()) {
            for (QAbstractButton *b : group()->buttons())
                b->setFocusPolicy(Qt::StrongFocus);
        }
    }
};

QPushButton *button(QStyle::StandardPixmap glyph, const QString &text, QWidget *parent)
{
    return new FocusButton(parent->style()->standardIcon(glyph), text, parent);
}

// Qt's own words in the editor's dialogs (the file dialog's columns and tooltips, the
// context menus of the fields) in Russian, where Debian's translations of Qt are installed.
// Not at start-up, where it would weigh more than a megabyte; not ahead of the window's
// opening either, as it makes every open window paint itself again.
void translateQt()
{
    static const bool done = [] {
        auto *qt = new QTranslator(qApp);
        if (qt->load(QLocale(QLocale::Russian), u"qtbase"_s, u"_"_s, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(qt);
        return true;
    }();
    Q_UNUSED(done);
}

// The list's cells as the style draws them, and a frame round the current cell (the one F2
// edits): white while the list holds the window's focus, grey while another control does.
// The style's own frame hardly shows on the marked row. The frame follows the window's focus
// control, not whether the window is active, so that the list's first paint, before the
// window is activated, is its last.
class CurrentCellDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem cell(option);
        cell.state &= ~QStyle::State_HasFocus;
        QStyledItemDelegate::paint(painter, cell, index);
        const auto *view = qobject_cast<const QAbstractItemView *>(option.widget);
        if (view && view->currentIndex() == index) {
            painter->save();
            painter->setPen(view->window()->focusWidget() == view ? WindowStyle::White : WindowStyle::Grey);
            painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
            painter->restore();
        }
    }
};

// A change written on top of what another program wrote meanwhile says so.
QString noted(const QuestionEditing &editing, const QString &line)
{
    if (!editing.merged())
        return line;
    return u"%1 Пока редактор был открыт, %2: те изменения сохранены, ваше записано поверх них."_s.arg(
        line, editing.whoChanged());
}

} // namespace

QuestionEditorWindow::QuestionEditorWindow(QDir dataDir, QWidget *parent)
    : LazyWindow(parent, Qt::Window), m_dataDir(std::move(dataDir))
{
    setObjectName(u"QuestionEditor"_s);
    // The mark shows while the question's fields hold an edit not saved.
    setWindowTitle(u"Редактор вопросов[*]"_s);
    AccessibleRoles::install();
    setFont(Fonts::font(Fonts::Family::MsSansSerif, 12));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Background);
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

    auto *searchRow = new QHBoxLayout;
    auto *searchLabel = label(u"Поиск (Ctrl+F):"_s, this);
    m_searchEdit = field(u"Поиск"_s, this);
    m_searchEdit->setObjectName(u"SearchEdit"_s);
    m_searchEdit->setPlaceholderText(u"слова из вопроса или ответов"_s);
    m_searchEdit->setClearButtonEnabled(true);
    m_searchEdit->setAccessibleDescription(u"Список показывает вопросы, в которых есть все набранные слова; "
                                           u"регистр букв и ё не важны. Enter — к списку."_s);
    searchLabel->setBuddy(m_searchEdit);
    m_countLabel = label(QString(), this, WindowStyle::Yellow);
    m_countLabel->setObjectName(u"CountLabel"_s);
    searchRow->addWidget(searchLabel);
    searchRow->addWidget(m_searchEdit, 1);
    searchRow->addWidget(m_countLabel);
    layout->addLayout(searchRow);

    m_model = new QuestionTableModel(*m_editing, this);
    m_model->setCommit([this](int block, const QuestionBase::Question &q) { return commit(block, q); });
    m_table = new QTableView(this);
    m_table->setObjectName(u"QuestionList"_s);
    m_table->setModel(m_model);
    m_table->setItemDelegate(new CurrentCellDelegate(m_table));
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    m_table->setWordWrap(false);
    m_table->setAlternatingRowColors(true);
    m_table->setTabKeyNavigation(false);
    // Rows of one height, never measured: a hundred thousand rows cost nothing to lay out.
    QHeaderView *rows = m_table->verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    rows->hide();
    QHeaderView *columns = m_table->horizontalHeader();
    columns->setSectionResizeMode(QHeaderView::Interactive);
    columns->setSectionResizeMode(QuestionTableModel::QuestionColumn, QHeaderView::Stretch);
    columns->resizeSection(QuestionTableModel::NumberColumn, 64);
    columns->resizeSection(QuestionTableModel::FirstColumn, 180);
    columns->resizeSection(QuestionTableModel::SecondColumn, 180);
    columns->resizeSection(QuestionTableModel::RightColumn, 80);
    columns->setHighlightSections(false);
    QPalette tablePal = m_table->palette();
    tablePal.setColor(QPalette::Base, Background);
    tablePal.setColor(QPalette::AlternateBase, AlternateRow);
    tablePal.setColor(QPalette::Text, WindowStyle::White);
    tablePal.setColor(QPalette::Highlight, WindowStyle::Teal);
    tablePal.setColor(QPalette::HighlightedText, WindowStyle::White);
    m_table->setPalette(tablePal);
    m_table->setAccessibleName(u"Вопросы базы"_s);
    m_table->setAccessibleDescription(u"Enter — к полям вопроса, F2 — править в списке, Del — удалить выбранные, "
                                      u"Ctrl+Z — отменить, F8 — следующий испорченный блок"_s);
    m_table->installEventFilter(this);
    layout->addWidget(m_table, 1);

    m_blockLabel = label(QString(), this);
    m_blockLabel->setObjectName(u"BlockLabel"_s);
    layout->addWidget(m_blockLabel);

    auto *fields = new QGridLayout;
    m_questionEdit = field(u"Вопрос"_s, this);
    m_questionEdit->setObjectName(u"QuestionEdit"_s);
    m_firstEdit = field(u"Первый ответ"_s, this);
    m_firstEdit->setObjectName(u"FirstAnswerEdit"_s);
    m_secondEdit = field(u"Второй ответ"_s, this);
    m_secondEdit->setObjectName(u"SecondAnswerEdit"_s);
    auto *questionLabel = label(u"Вопрос:"_s, this);
    auto *firstLabel = label(u"Первый ответ:"_s, this);
    auto *secondLabel = label(u"Второй ответ:"_s, this);
    questionLabel->setBuddy(m_questionEdit);
    firstLabel->setBuddy(m_firstEdit);
    secondLabel->setBuddy(m_secondEdit);
    m_rightChoice = new QButtonGroup(this);
    const QString rightTexts[2] = {u"верен (Alt+1)"_s, u"верен (Alt+2)"_s};
    for (int i = 0; i < 2; ++i) {
        m_rightItems[i] = new AnswerMark(rightTexts[i], this);
        m_rightItems[i]->setObjectName(u"RightAnswer%1"_s.arg(i));
        // White words beside the style's own mark, black on white.
        QPalette pal = m_rightItems[i]->palette();
        pal.setColor(QPalette::WindowText, WindowStyle::White);
        m_rightItems[i]->setPalette(pal);
        m_rightChoice->addButton(m_rightItems[i], i);
    }
    m_saveButton = button(QStyle::SP_DialogSaveButton, u"Записать (Ctrl+S)"_s, this);
    m_saveButton->setObjectName(u"SaveButton"_s);
    fields->addWidget(questionLabel, 0, 0);
    fields->addWidget(m_questionEdit, 0, 1, 1, 4);
    fields->addWidget(m_saveButton, 0, 5);
    fields->addWidget(firstLabel, 1, 0);
    fields->addWidget(m_firstEdit, 1, 1);
    fields->addWidget(m_rightItems[0], 1, 2);
    fields->addWidget(secondLabel, 1, 3);
    fields->addWidget(m_secondEdit, 1, 4);
    fields->addWidget(m_rightItems[1], 1, 5);
    fields->setColumnStretch(1, 1);
    fields->setColumnStretch(4, 1);
    layout->addLayout(fields);

    m_refusalLabel = label(QString(), this, WindowStyle::Red);
    m_refusalLabel->setObjectName(u"RefusalLabel"_s);
    layout->addWidget(m_refusalLabel);

    auto *actions = new QHBoxLayout;
    m_removeButton = button(QStyle::SP_TrashIcon, u"Удалить (Del)"_s, this);
    m_removeButton->setObjectName(u"RemoveButton"_s);
    m_undoButton = button(QStyle::SP_ArrowBack, u"Отменить (Ctrl+Z)"_s, this);
    m_undoButton->setObjectName(u"UndoButton"_s);
    m_importButton = button(QStyle::SP_DialogOpenButton, u"Импорт... (Ctrl+I)"_s, this);
    m_importButton->setObjectName(u"ImportButton"_s);
    m_exportButton = button(QStyle::SP_DriveFDIcon, u"Экспорт... (Ctrl+E)"_s, this);
    m_exportButton->setObjectName(u"ExportButton"_s);
    m_nextBrokenButton = button(QStyle::SP_MessageBoxWarning, u"Испорченный (F8)"_s, this);
    m_nextBrokenButton->setObjectName(u"NextBrokenButton"_s);
    m_nextBrokenButton->setAccessibleDescription(u"Следующий блок, который игра не может задать"_s);
    m_closeButton = button(QStyle::SP_DialogCloseButton, u"Закрыть (Esc)"_s, this);
    m_closeButton->setObjectName(u"CloseButton"_s);
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

    const QList<QWidget *> order{m_searchEdit, m_table, m_questionEdit, m_firstEdit, m_rightItems[0], m_secondEdit,
                                 m_rightItems[1], m_saveButton, m_removeButton, m_undoButton, m_importButton,
                                 m_exportButton, m_nextBrokenButton, m_closeButton};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(m_searchEdit, &QLineEdit::textChanged, this, &QuestionEditorWindow::search);
    connect(m_searchEdit, &QLineEdit::returnPressed, m_table, qOverload<>(&QWidget::setFocus));
    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &QuestionEditorWindow::showCurrent);
    for (QLineEdit *e : {m_questionEdit, m_firstEdit, m_secondEdit}) {
        connect(e, &QLineEdit::returnPressed, this, &QuestionEditorWindow::savePressed);
        connect(e, &QLineEdit::textEdited, m_refusalLabel, &QLabel::clear);
        connect(e, &QLineEdit::textEdited, this, &QuestionEditorWindow::showEditedMark);
        e->installEventFilter(this);
    }
    connect(m_rightChoice, &QButtonGroup::idToggled, this, &QuestionEditorWindow::showEditedMark);
    m_table->viewport()->installEventFilter(this);
    // The radio buttons say which answer they mark.
    connect(m_firstEdit, &QLineEdit::textChanged, this,
            [this](const QString &t) { m_rightItems[0]->setAccessibleName(u"Верен первый ответ: %1"_s.arg(t)); });
    connect(m_secondEdit, &QLineEdit::textChanged, this,
            [this](const QString &t) { m_rightItems[1]->setAccessibleName(u"Верен второй ответ: %1"_s.arg(t)); });
    m_rightItems[0]->setAccessibleName(u"Верен первый ответ"_s);
    m_rightItems[1]->setAccessibleName(u"Верен второй ответ"_s);
    connect(m_saveButton, &QPushButton::clicked, this, &QuestionEditorWindow::savePressed);
    connect(m_removeButton, &QPushButton::clicked, this, &QuestionEditorWindow::removePressed);
    connect(m_undoButton, &QPushButton::clicked, this, &QuestionEditorWindow::undoPressed);
    connect(m_importButton, &QPushButton::clicked, this, &QuestionEditorWindow::importPressed);
    connect(m_exportButton, &QPushButton::clicked, this, &QuestionEditorWindow::exportPressed);
    connect(m_nextBrokenButton, &QPushButton::clicked, this, &QuestionEditorWindow::nextBrokenPressed);
    connect(m_closeButton, &QPushButton::clicked, this, &QWidget::close);
}

void QuestionEditorWindow::addShortcuts()
{
    const auto key = [this](const QKeySequence &sequence, auto slot) {
        auto *s = new QShortcut(sequence, this);
        connect(s, &QShortcut::activated, this, slot);
    };
    key(QKeySequence(Qt::CTRL | Qt::Key_F), [this] {
        m_searchEdit->setFocus(Qt::ShortcutFocusReason);
        m_searchEdit->selectAll();
    });
    key(QKeySequence(Qt::CTRL | Qt::Key_S), &QuestionEditorWindow::savePressed);
    key(QKeySequence(Qt::Key_Delete), &QuestionEditorWindow::removePressed);
    key(QKeySequence(Qt::CTRL | Qt::Key_Z), &QuestionEditorWindow::undoPressed);
    key(QKeySequence(Qt::CTRL | Qt::Key_I), &QuestionEditorWindow::importPressed);
    key(QKeySequence(Qt::CTRL | Qt::Key_E), &QuestionEditorWindow::exportPressed);
    key(QKeySequence(Qt::Key_F8), &QuestionEditorWindow::nextBrokenPressed);
    key(QKeySequence(Qt::Key_Escape), &QWidget::close);
    for (int i = 0; i < 2; ++i) {
        key(QKeySequence(Qt::ALT | (i == 0 ? Qt::Key_1 : Qt::Key_2)), [this, i] {
            m_rightItems[i]->setChecked(true);
            m_rightItems[i]->setFocus(Qt::ShortcutFocusReason);
        });
    }
}

void QuestionEditorWindow::open()
{
    ensureBuilt();
    // Read before the window shows, so that its first frame shows the list: at the first
    // opening, unless the base taken over ahead of time (prepare()) is still what the file holds.
    const bool first = !m_opened;
    m_opened = true;
    const Status loaded = first && (!m_loaded || m_editing->changedOutside()) ? load() : Status::success();
    translateQt();
    show();
    raise();
    activateWindow();
    m_table->setFocus(Qt::OtherFocusReason);
    prepareSearchSoon();
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
    refresh(-1, 0);
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
    if (block < 0 || block >= m_editing->count() || (block != m_formBlock && !settleEdit()))
        return;
    if (m_model->rowOf(block) < 0)
        m_searchEdit->clear();
    selectBlock(block);
    m_questionEdit->setFocus(Qt::OtherFocusReason);
}

Status QuestionEditorWindow::load()
{
    const Status loaded = m_editing->load();
    m_loaded = true;
    refresh(-1, 0);
    return loaded;
}

QList<int> QuestionEditorWindow::shownBlocks() const
{
    return m_model ? m_model->blocks() : QList<int>();
}

int QuestionEditorWindow::currentBlock() const
{
    if (!m_table)
        return -1;
    const QModelIndex current = m_table->currentIndex();
    return current.isValid() ? m_model->blockAt(current.row()) : -1;
}

void QuestionEditorWindow::selectBlock(int block)
{
    const int row = m_model->rowOf(block);
    if (row < 0)
        return;
    const QModelIndex index = m_model->index(row, QuestionTableModel::QuestionColumn);
    m_table->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_table->scrollTo(index);
}

void QuestionEditorWindow::selectBlocks(const QList<int> &blocks)
{
    QItemSelection selection;
    for (int block : blocks) {
        const int row = m_model->rowOf(block);
        if (row >= 0)
            selection.select(m_model->index(row, 0), m_model->index(row, QuestionTableModel::ColumnCount - 1));
    }
    m_table->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

QList<int> QuestionEditorWindow::selectedBlocks() const
{
    QList<int> blocks;
    const QModelIndexList rows = m_table->selectionModel()->selectedRows();
    blocks.reserve(rows.size());
    for (const QModelIndex &i : rows)
        blocks.append(m_model->blockAt(i.row()));
    std::sort(blocks.begin(), blocks.end());
    return blocks;
}

void QuestionEditorWindow::search(const QString &words)
{
    // An edit stays in the fields while the list still shows its question.
    if (formEdited() && !m_editing->matching(words).contains(m_formBlock) && !settleEdit()) {
        const QSignalBlocker quiet(m_searchEdit);
        m_searchEdit->setText(m_searched);
        return;
    }
    refresh(currentBlock(), 0);
}

void QuestionEditorWindow::refresh(int block, int rowIfGone)
{
    m_searched = m_searchEdit->text();
    m_model->setBlocks(m_editing->matching(m_searched));
    const int count = m_model->rowCount();
    if (count > 0) {
        int row = block >= 0 ? m_model->rowOf(block) : -1;
        if (row < 0)
            row = std::clamp(rowIfGone, 0, count - 1);
        selectBlock(m_model->blockAt(row));
    }
    showCount();
    showCurrent();
}

void QuestionEditorWindow::prepareSearchSoon()
{
    // The texts are folded for search once the list is on screen (after a change, too), not
    // at the first key typed; not while the window is only prepared and may never open.
    QTimer::singleShot(PrepareSearchMs, this, [this] {
        if (isVisible())
            m_editing->prepareSearch();
    });
}

void QuestionEditorWindow::showCount()
{
    prepareSearchSoon();
    QString text = u"В базе: %1"_s.arg(counted(m_editing->playableCount()));
    if (m_model->rowCount() != m_editing->count())
        text += u", найдено: %1"_s.arg(m_model->rowCount());
    if (m_editing->brokenCount() > 0)
        text += u", испорченных блоков: %1 (F8)"_s.arg(m_editing->brokenCount());
    m_countLabel->setText(text);
    m_countLabel->setAccessibleName(text);
    m_table->setAccessibleName(u"Вопросы базы: показано %1 из %2"_s.arg(m_model->rowCount()).arg(m_editing->count()));
    m_undoButton->setEnabled(m_editing->canUndo());
    m_undoButton->setAccessibleDescription(m_editing->canUndo() ? u"Отменить: %1"_s.arg(m_editing->undoText()) : QString());
    m_nextBrokenButton->setEnabled(m_editing->brokenCount() > 0);
}

void QuestionEditorWindow::showCurrent()
{
    const int block = currentBlock();
    const bool any = block >= 0;
    for (QWidget *w : std::initializer_list<QWidget *>{m_questionEdit, m_firstEdit, m_secondEdit, m_rightItems[0],
                                                        m_rightItems[1], m_saveButton})
        w->setEnabled(any);
    m_removeButton->setEnabled(any);
    // An edit not saved stays in the fields while its question is current.
    if (!any || block != m_formBlock || !formEdited()) {
        m_refusalLabel->clear();
        m_formBlock = block;
        const QuestionBase::Question q = any ? m_editing->question(block) : QuestionBase::Question{{}, {}, {}, -1};
        m_questionEdit->setText(q.text);
        m_firstEdit->setText(q.first);
        m_secondEdit->setText(q.second);
        m_questionEdit->setCursorPosition(0);
        m_firstEdit->setCursorPosition(0);
        m_secondEdit->setCursorPosition(0);
        // No answer is marked where the block has no right answer.
        m_rightChoice->setExclusive(false);
        m_rightItems[0]->setChecked(q.right == 0);
        m_rightItems[1]->setChecked(q.right == 1);
        m_rightChoice->setExclusive(true);
        m_formFilled = q;
    }
    showEditedMark();
}

QuestionBase::Question QuestionEditorWindow::formQuestion() const
{
    return {m_questionEdit->text(), m_firstEdit->text(), m_secondEdit->text(), m_rightChoice->checkedId()};
}

bool QuestionEditorWindow::formEdited() const
{
    if (!m_editing || m_formBlock < 0 || m_formBlock >= m_editing->count())
        return false;
    const QuestionBase::Question &stored = m_formFilled;
    const QuestionBase::Question form = formQuestion();
    return form.text != stored.text || form.first != stored.first || form.second != stored.second
        || form.right != stored.right;
}

void QuestionEditorWindow::showEditedMark()
{
    const int block = m_formBlock;
    const bool edited = formEdited();
    setWindowModified(edited);
    QString heading;
    QColor colour = WindowStyle::White;
    if (block < 0) {
        heading = u"Вопрос не выбран"_s;
    } else if (m_editing->block(block).playable) {
        heading = u"Вопрос %1 из %2:"_s.arg(block + 1).arg(m_editing->count());
    } else {
        heading = u"Блок %1 испорчен. %2 Исправьте его и запишите или удалите."_s.arg(block + 1).arg(m_editing->problem(block));
        colour = WindowStyle::Red;
    }
    if (edited) {
        if (heading.endsWith(u':'))
            heading = heading.chopped(1) + u'.';
        heading += u" Изменён, не записан (Ctrl+S — записать)."_s;
        colour = WindowStyle::Yellow;
    }
    if (heading != m_blockLabel->text()) {
        m_blockLabel->setText(heading);
        m_blockLabel->setAccessibleName(heading);
    }
    WindowStyle::setTextColour(m_blockLabel, colour);
}

bool QuestionEditorWindow::settleEdit()
{
    if (!formEdited())
        return true;
    switch (askToSave()) {
    case Unsaved::Save:
        savePressed();
        return !formEdited();
    case Unsaved::Discard:
        m_formBlock = -1;
        showCurrent();
        return true;
    case Unsaved::Cancel:
        break;
    }
    return false;
}

void QuestionEditorWindow::savePressed()
{
    const int block = m_formBlock;
    if (block < 0)
        return;
    m_refusalLabel->clear();
    const std::pair<QLineEdit *, QString> fields[] = {
        {m_questionEdit, u"Вопрос"_s}, {m_firstEdit, u"Первый ответ"_s}, {m_secondEdit, u"Второй ответ"_s}};
    QStringList refusals;
    QWidget *first = nullptr;
    for (const auto &[edit, name] : fields) {
        if (const QString why = fieldRefusal(edit->text()); !why.isEmpty()) {
            refusals << u"%1: %2"_s.arg(name, why);
            if (!first)
                first = edit;
        }
    }
    if (const QString same = QuestionBase::answersRefusal(m_firstEdit->text(), m_secondEdit->text());
        refusals.isEmpty() && !same.isEmpty()) {
        refusals << same;
        first = m_secondEdit;
    }
    if (m_rightChoice->checkedId() < 0) {
        refusals << u"Отметьте верный ответ!"_s;
        if (!first)
            first = m_rightItems[0];
    }
    if (!refusals.isEmpty()) {
        refuse(refusals.join(u"  "_s), first);
        return;
    }
    if (commit(block, formQuestion())) {
        // The fields show the question as stored, blanks at the ends trimmed.
        m_formBlock = -1;
        showCurrent();
    }
}

bool QuestionEditorWindow::commit(int block, const QuestionBase::Question &typed)
{
    const QuestionBase::Question question{typed.text.trimmed(), typed.first.trimmed(), typed.second.trimmed(), typed.right};
    if (const QString why = QuestionImport::refusal(question); !why.isEmpty()) {
        refuse(why, nullptr);
        return false;
    }
    if (question.right < 0) {
        refuse(u"Отметьте верный ответ!"_s, nullptr);
        return false;
    }
    // A question that becomes another one's repeat is written only if the player wants two.
    if (const int other = m_editing->repeatOf(block, question);
        other >= 0 && !confirm(u"Такой же вопрос уже есть в базе: вопрос %1. Записать ещё один?"_s.arg(other + 1), u"Записать"_s)) {
        refuse(u"Не записано: такой же вопрос уже есть в базе — вопрос %1."_s.arg(other + 1), nullptr);
        return false;
    }
    const bool wasPlayable = m_editing->block(block).playable;
    if (Status saved = m_editing->edit(block, question); !saved) {
        failed(saved);
        return false;
    }
    if (m_editing->merged()) {
        // Another program's change came first: the question may stand elsewhere now.
        const int moved = m_editing->changedBlock();
        if (m_formBlock == block)
            m_formBlock = moved;
        block = moved;
        refresh(block, m_table->currentIndex().row());
    } else if (const int row = m_model->rowOf(block); row >= 0) {
        m_model->rowChanged(row);
    }
    showCount();
    if (block == currentBlock())
        showCurrent();
    tell(noted(*m_editing, wasPlayable ? u"Вопрос %1 записан."_s.arg(block + 1) : u"Блок %1 исправлен и записан."_s.arg(block + 1)));
    return true;
}

void QuestionEditorWindow::removePressed()
{
    // Saving the edit first may move the blocks (when another program's change came first).
    if (selectedBlocks().isEmpty() || !settleEdit())
        return;
    const QList<int> blocks = selectedBlocks();
    if (blocks.isEmpty())
        return;
    if (blocks.size() > 1
        && !confirm(u"Удалить из базы %1?"_s.arg(counted(blocks.size())), u"Удалить %1"_s.arg(counted(blocks.size()))))
        return;
    const int row = m_model->rowOf(blocks.first());
    if (Status removed = m_editing->remove(blocks); !removed) {
        failed(removed);
        return;
    }
    refresh(-1, row);
    tell(noted(*m_editing, blocks.size() == 1 ? u"Вопрос %1 удалён. Ctrl+Z вернёт его."_s.arg(blocks.first() + 1)
                                              : u"Удалено: %1. Ctrl+Z вернёт их."_s.arg(counted(blocks.size()))));
}

void QuestionEditorWindow::undoPressed()
{
    if (!m_editing->canUndo()) {
        tell(u"Отменять нечего."_s);
        return;
    }
    if (!settleEdit())
        return;
    const QString what = m_editing->undoText();
    if (Status undone = m_editing->undo(); !undone) {
        failed(undone);
        return;
    }
    // The question brought back or restored is current; after an import taken back, the row.
    refresh(m_editing->changedBlock(), m_table->currentIndex().row());
    tell(noted(*m_editing, u"Отменено: %1."_s.arg(what)));
}

void QuestionEditorWindow::importPressed()
{
    if (!settleEdit())
        return;
    const QString path = chooseFile(false);
    if (!path.isEmpty())
        importFile(path);
}

bool QuestionEditorWindow::importFile(const QString &path)
{
    if (!settleEdit())
        return false;
    QStringList lines;
    if (Status read = QuestionImport::read(path, &lines); !read) {
        m_statusLabel->clear();
        showError(read);
        return false;
    }
    const QString fileName = QFileInfo(path).fileName();
    const QuestionImport::Plan plan = m_editing->planImport(lines);
    if (!confirmImport(plan, fileName) || plan.added.isEmpty()) {
        tell(u"Импорт из «%1» отменён, база не изменилась."_s.arg(fileName));
        return false;
    }
    const int first = m_editing->count();
    if (Status added = m_editing->add(plan.added); !added) {
        failed(added);
        return false;
    }
    // The questions added are shown, whatever was searched for.
    const QSignalBlocker quiet(m_searchEdit);
    m_searchEdit->clear();
    refresh(first);
    tell(noted(*m_editing, u"Из «%1» добавлено: %2; уже были в базе: %3; не прочитано блоков: %4."_s.arg(fileName)
                               .arg(counted(plan.added.size()))
                               .arg(plan.repeats)
                               .arg(plan.unreadable.size())));
    return true;
}

void QuestionEditorWindow::exportPressed()
{
    const QList<int> blocks = chooseExport(selectedBlocks());
    if (blocks.isEmpty())
        return;
    const QString path = chooseFile(true);
    if (!path.isEmpty())
        exportBlocks(path, blocks);
}

bool QuestionEditorWindow::exportBlocks(const QString &path, const QList<int> &blocks)
{
    if (Status written = m_editing->exportTo(path, blocks); !written) {
        m_statusLabel->clear();
        showError(written);
        return false;
    }
    tell(u"В файл «%1» записано: %2."_s.arg(QFileInfo(path).fileName(), counted(blocks.size())));
    return true;
}

void QuestionEditorWindow::nextBrokenPressed()
{
    if (m_editing->brokenCount() == 0) {
        tell(u"Испорченных блоков в базе нет."_s);
        return;
    }
    if (!settleEdit())
        return;
    const auto nextShown = [this](int after) {
        const QList<int> &shown = m_model->blocks();
        for (int pass = 0; pass < 2; ++pass) {
            for (int block : shown) {
                if ((pass == 1 || block > after) && !m_editing->block(block).playable)
                    return block;
            }
        }
        return -1;
    };
    int block = nextShown(currentBlock());
    if (block < 0) {
        // None among the questions found: all of them are shown again.
        m_searchEdit->clear();
        block = nextShown(currentBlock());
    }
    selectBlock(block);
    tell(m_blockLabel->text());
}

void QuestionEditorWindow::failed(const Status &status)
{
    m_statusLabel->clear();
    // The file as another program left it; an edit in the fields stays, to be saved again.
    if (m_editing->reloaded())
        showReadAgain();
    showError(status);
}

void QuestionEditorWindow::showReadAgain()
{
    // An edit in the fields stays there, on its question where it now stands; a search that
    // would hide that question is cleared.
    m_formBlock = m_editing->movedBlock(m_formBlock);
    if (formEdited() && !m_editing->matching(m_searchEdit->text()).contains(m_formBlock)) {
        const QSignalBlocker quiet(m_searchEdit);
        m_searchEdit->clear();
    }
    refresh(m_formBlock, m_table->currentIndex().row());
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
    m_refusalLabel->setText(message);
    m_announcer->say(message);
    if (field)
        field->setFocus(Qt::OtherFocusReason);
}

void QuestionEditorWindow::checkForOutsideChange()
{
    if (!m_loaded || !isVisible())
        return;
    Status status;
    if (!m_editing->reloadIfChangedOutside(&status))
        return;
    showReadAgain();
    tell(u"Файл %1 изменён вне редактора: %2. Список перечитан%3."_s.arg(
        m_editing->displayName(), m_editing->whoChanged(),
        m_editing->historyLost() ? u", отменить прежние изменения уже нельзя"_s : QString()));
    if (!status)
        showError(status);
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
    if (!settleEdit()) {
        event->ignore();
        return;
    }
    LazyWindow::closeEvent(event);
}

bool QuestionEditorWindow::movesInList(QObject *watched, QEvent *event) const
{
    if (watched != m_table || event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<const QKeyEvent *>(event);
    switch (key->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        return true;
    default:
        // Letters jump to the row they begin.
        return !key->text().isEmpty() && key->text().at(0).isPrint();
    }
}

bool QuestionEditorWindow::eventFilter(QObject *watched, QEvent *event)
{
    // Where a field has nothing of its own to undo, Ctrl+Z undoes the session's last change.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto *edit = qobject_cast<const QLineEdit *>(watched);
        if (edit && static_cast<QKeyEvent *>(event)->matches(QKeySequence::Undo) && !edit->isUndoAvailable()) {
            event->ignore();
            return true;
        }
    }
    // Another row made current by the mouse or the keys: an edit is saved or dropped first.
    if (watched == m_table->viewport()
        && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)) {
        const int row = m_table->indexAt(static_cast<QMouseEvent *>(event)->position().toPoint()).row();
        if (row >= 0 && m_model->blockAt(row) != m_formBlock && formEdited()) {
            // The click chose the row, whatever the question asked meanwhile did with the mouse.
            if (settleEdit())
                selectBlock(m_model->blockAt(row));
            return true;
        }
    }
    if (movesInList(watched, event) && !settleEdit())
        return true;
    // Enter on the list goes to the question's fields (F2 edits the cell instead; while a cell is
    // edited, its editor has the keys).
    if (watched == m_table && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && currentBlock() >= 0) {
            m_questionEdit->setFocus(Qt::OtherFocusReason);
            m_questionEdit->selectAll();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

QuestionEditorWindow::Unsaved QuestionEditorWindow::askToSave()
{
    QMessageBox box(QMessageBox::Question, u"Редактор вопросов"_s, u"Записать изменения?"_s, QMessageBox::NoButton, this);
    box.setTextFormat(Qt::PlainText);
    box.setInformativeText(u"Вопрос %1 изменён и ещё не записан."_s.arg(m_formBlock + 1));
    QPushButton *save = box.addButton(u"Записать"_s, QMessageBox::AcceptRole);
    QPushButton *discard = box.addButton(u"Не записывать"_s, QMessageBox::DestructiveRole);
    box.addButton(u"Отмена"_s, QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.exec();
    if (box.clickedButton() == save)
        return Unsaved::Save;
    if (box.clickedButton() == discard)
        return Unsaved::Discard;
    return Unsaved::Cancel;
}

void QuestionEditorWindow::showError(const Status &status)
{
    ErrorReport::show(this, status);
}

bool QuestionEditorWindow::confirm(const QString &question, const QString &yes)
{
    QMessageBox box(QMessageBox::Question, u"Редактор вопросов"_s, question, QMessageBox::NoButton, this);
    box.setTextFormat(Qt::PlainText);
    QPushButton *agree = box.addButton(yes, QMessageBox::AcceptRole);
    QPushButton *cancel = box.addButton(u"Отмена"_s, QMessageBox::RejectRole);
    box.setDefaultButton(cancel);
    box.exec();
    return box.clickedButton() == agree;
}

bool QuestionEditorWindow::confirmImport(const QuestionImport::Plan &plan, const QString &fileName)
{
    ImportDialog dialog(plan, fileName, this);
    return dialog.exec() == QDialog::Accepted;
}

QString QuestionEditorWindow::chooseFile(bool forSaving)
{
    QFileDialog dialog(this, forSaving ? u"Файл для экспорта"_s : u"Файл для импорта"_s);
    // Qt's own dialog, whose texts are set here in Russian.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(forSaving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(forSaving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters({u"Текстовые файлы (*.txt *.tsv *.csv)"_s, u"Все файлы (*)"_s});
    dialog.setLabelText(QFileDialog::LookIn, u"Папка:"_s);
    dialog.setLabelText(QFileDialog::FileName, u"Имя файла:"_s);
    dialog.setLabelText(QFileDialog::FileType, u"Тип файлов:"_s);
    dialog.setLabelText(QFileDialog::Accept, forSaving ? u"Записать"_s : u"Открыть"_s);
    dialog.setLabelText(QFileDialog::Reject, u"Отмена"_s);
    dialog.setDirectory(QStandardPaths::writableLocation(QStandardPaths::HomeLocation));
    if (forSaving) {
        dialog.setDefaultSuffix(u"txt"_s);
        dialog.selectFile(u"вопросы.txt"_s);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

QList<int> QuestionEditorWindow::chooseExport(const QList<int> &selected)
{
    QList<int> all(m_editing->count());
    std::iota(all.begin(), all.end(), 0);
    if (selected.isEmpty() || selected.size() == all.size())
        return all;
    QMessageBox box(QMessageBox::Question, u"Экспорт вопросов"_s, u"Что записать в файл?"_s, QMessageBox::NoButton, this);
    QPushButton *chosen = box.addButton(u"Выбранные: %1"_s.arg(counted(selected.size())), QMessageBox::AcceptRole);
    QPushButton *whole = box.addButton(u"Всю базу: %1"_s.arg(counted(all.size())), QMessageBox::AcceptRole);
    box.addButton(u"Отмена"_s, QMessageBox::RejectRole);
    box.setDefaultButton(chosen);
    box.exec();
    if (box.clickedButton() == chosen)
        return selected;
    if (box.clickedButton() == whole)
        return all;
    return {};
}
