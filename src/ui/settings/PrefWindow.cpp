#include "ui/settings/PrefWindow.h"

#include "core/data/DataFiles.h"
#include "core/data/NamesBase.h"
#include "core/data/QuestionBase.h"
#include "ui/look/Backdrop.h"
#include "ui/look/ErrorReport.h"
#include "ui/look/Fonts.h"
#include "ui/look/WindowScale.h"
#include "ui/look/WindowStyle.h"
#include "ui/settings/SettingsArtwork.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QWindow>

using namespace Qt::StringLiterals;

namespace {

const QString NoName = u"Нет имени!"_s;
const QString NameTaken = u"Повт.имя!"_s;
const QString QuestionAdded = u"OK!"_s;
const QString DefaultPlayerName = u"Новый"_s;
// How many characters the player may type into a name field.
constexpr int TypedNameLimit = 12;

void setColours(QWidget *w, const QColor &text, const QColor &background = {})
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, text);
    if (background.isValid()) {
        pal.setColor(QPalette::Window, background);
        w->setAutoFillBackground(true);
    }
    w->setPalette(pal);
}

QLabel *label(const QString &text, int x, int y, QWidget *parent, const QColor &colour = Qt::white)
{
    auto *l = new QLabel(text, parent);
    setColours(l, colour);
    l->move(x, y);
    l->adjustSize();
    return l;
}

QLineEdit *lineEdit(int x, int y, int w, int h, QWidget *parent)
{
    auto *e = new QLineEdit(parent);
    e->setGeometry(x, y, w, h);
    // Typed text is black on white, whatever the colours of the group around it.
    QPalette pal = e->palette();
    pal.setColor(QPalette::Base, Qt::white);
    pal.setColor(QPalette::Text, Qt::black);
    e->setPalette(pal);
    return e;
}

QPushButton *button(QStyle::StandardPixmap glyph, const QString &text, QRect geometry, QWidget *parent)
{
    auto *b = new QPushButton(parent->style()->standardIcon(glyph), text, parent);
    b->setGeometry(geometry);
    return b;
}

// Puts a text into a name field whole: the typing limit is for the player, not for a longer
// name that the program puts there (a names-base line, the player's current name).
void setNameFieldText(QLineEdit *field, const QString &text)
{
    field->setMaxLength(std::max(TypedNameLimit, int(text.size())));
    field->setText(text);
}

// A name field takes no more typed characters than the limit, or than a longer text the
// program put there: the player can shorten such a text but not lengthen it.
void limitTyping(QLineEdit *field)
{
    field->setMaxLength(TypedNameLimit);
    QObject::connect(field, &QLineEdit::textEdited, field, [field](const QString &text) {
        field->setMaxLength(std::max(TypedNameLimit, int(text.size())));
    });
}

} // namespace

TfPref::TfPref(GameState &state, RandomSource &random, QDir dataDir, QWidget *parent)
    : QWidget(parent, WindowStyle::FixedWindow),
      m_state(state), m_random(random), m_dataDir(std::move(dataDir))
{
    setObjectName(u"fPref"_s);
    setWindowTitle(u"Зыбкоцепье"_s);
    setFixedSize(676, 413);
    WindowStyle::centreWhenShown(*this);
    setFont(Fonts::font(Fonts::Family::MsSansSerif, 11));
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &TfPref::noteFocusWindow);
}

void TfPref::ensureBuilt()
{
    if (BitBtn1)
        return;
    buildLayout();
    connect(BitBtn1, &QPushButton::clicked, this, &TfPref::BitBtn1Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TfPref::BitBtn3Click);
    connect(BitBtn4, &QPushButton::clicked, this, &TfPref::BitBtn4Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TfPref::BitBtn2Click);
    connect(BitBtn5, &QPushButton::clicked, this, &TfPref::BitBtn5Click);
    connect(Edit4, &QLineEdit::textChanged, this, &TfPref::Edit4Change);
    connect(Edit5, &QLineEdit::textChanged, this, &TfPref::Edit5Change);
    for (QLineEdit *field : {Edit1, Edit2, Edit3, Edit4, Edit5})
        connect(field, &QLineEdit::textEdited, this, [this, field] { m_messages.remove(field); });
}

void TfPref::setVisible(bool visible)
{
    // The elements must exist before the window is shown: children made while it is
    // being shown would stay hidden.
    if (visible)
        ensureBuilt();
    QWidget::setVisible(visible);
}

void TfPref::buildLayout()
{
    Image1 = new Backdrop(&SettingsArtwork::background, this);
    Image1->setObjectName(u"Image1"_s);
    Image1->setGeometry(0, 0, SettingsArtwork::Width, SettingsArtwork::Height);

    Label1 = label(u"Настройка имени игрока"_s, 64, 88, this);
    Label1->setObjectName(u"Label1"_s);
    Label2 = label(u"Настрока имен игроков, присутствующих в базе"_s, 336, 88, this);
    Label2->setObjectName(u"Label2"_s);
    Label3 = label(u"Настрока вопросов игры"_s, 256, 256, this);
    Label3->setObjectName(u"Label3"_s);

    BitBtn1 = button(QStyle::SP_DialogOkButton, u"OK"_s, {608, 304, 57, 25}, this);
    BitBtn1->setObjectName(u"BitBtn1"_s);

    Edit1 = lineEdit(32, 112, 193, 21, this);
    Edit1->setObjectName(u"Edit1"_s);
    limitTyping(Edit1);

    BitBtn3 = button(QStyle::SP_BrowserReload, u"Случайно"_s, {136, 200, 91, 25}, this);
    BitBtn3->setObjectName(u"BitBtn3"_s);

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(u"ListBox1"_s);
    ListBox1->setGeometry(264, 136, 177, 97);
    ListBox1->setUniformItemSizes(true);

    Edit2 = lineEdit(456, 176, 185, 21, this);
    Edit2->setObjectName(u"Edit2"_s);
    limitTyping(Edit2);

    BitBtn4 = button(QStyle::SP_DialogApplyButton, u"Записать"_s, {544, 208, 99, 25}, this);
    BitBtn4->setObjectName(u"BitBtn4"_s);

    GroupBox1 = new QGroupBox(u"Добавить новый вопрос:"_s, this);
    GroupBox1->setObjectName(u"GroupBox1"_s);
    GroupBox1->setGeometry(48, 272, 265, 121);
    setColours(GroupBox1, Qt::white, Qt::black);
    Label4 = label(u"Сформулируйте вопрос:"_s, 8, 16, GroupBox1);
    Label4->setObjectName(u"Label4"_s);
    Edit3 = lineEdit(8, 32, 201, 21, GroupBox1);
    Edit3->setObjectName(u"Edit3"_s);
    Label5 = label(u"Первый ответ:"_s, 8, 56, GroupBox1);
    Label5->setObjectName(u"Label5"_s);
    Edit4 = lineEdit(8, 72, 113, 21, GroupBox1);
    Edit4->setObjectName(u"Edit4"_s);
    Label6 = label(u"Второй ответ:"_s, 144, 56, GroupBox1);
    Label6->setObjectName(u"Label6"_s);
    Edit5 = lineEdit(144, 72, 113, 21, GroupBox1);
    Edit5->setObjectName(u"Edit5"_s);

    RadioGroup1 = new QGroupBox(u"Отметьте верный ответ:"_s, this);
    RadioGroup1->setObjectName(u"RadioGroup1"_s);
    RadioGroup1->setGeometry(320, 272, 185, 73);
    setColours(RadioGroup1, Qt::white, Qt::black);
    m_answerChoice = new QButtonGroup(RadioGroup1);
    for (int i = 0; i < 2; ++i) {
        // One column; no item is marked until the player marks one.
        m_answerItems[i] = new QRadioButton(RadioGroup1);
        m_answerItems[i]->setObjectName(u"RadioGroup1Item%1"_s.arg(i));
        m_answerItems[i]->setGeometry(8, 18 + 24 * i, 169, 22);
        m_answerChoice->addButton(m_answerItems[i], i);
    }

    Label7 = label(u"Всего вопросов в базе:"_s, 320, 352, this);
    Label7->setObjectName(u"Label7"_s);
    Label8 = label(QString::number(m_state.uPref.PrefQuestionCount), 448, 352, this, Qt::red);
    Label8->setObjectName(u"Label8"_s);

    BitBtn2 = button(QStyle::SP_DialogDiscardButton, u"Сформировать"_s, {320, 368, 129, 25}, this);
    BitBtn2->setObjectName(u"BitBtn2"_s);
    BitBtn5 = button(QStyle::SP_DialogDiscardButton, u"Best"_s, {608, 360, 57, 25}, this);
    BitBtn5->setObjectName(u"BitBtn5"_s);

    auto *scaleCaption = label(u"Размер окон:"_s, 32, 146, this);
    scaleCaption->setObjectName(u"WindowScaleCaption"_s);
    m_windowScale = new QComboBox(this);
    m_windowScale->setObjectName(u"WindowScale"_s);
    m_windowScale->setGeometry(112, 142, 113, 22);
    for (int percent : WindowScale::Choices)
        m_windowScale->addItem(u"%1 %"_s.arg(percent), percent);
    m_windowScale->setAccessibleName(u"Размер окон"_s);
    connect(m_windowScale, &QComboBox::activated, this,
            [this](int index) { WindowScale::store(m_windowScale->itemData(index).toInt()); });
    auto *scaleNote = label(u"Новый размер — со следующего запуска"_s, 32, 170, this, QColor(160, 160, 160));
    scaleNote->setObjectName(u"WindowScaleNote"_s);

    QWidget *const tabOrder[] = {BitBtn1, Edit1, m_windowScale, BitBtn3, ListBox1, Edit2, BitBtn4, Edit3, Edit4,
                                 Edit5, m_answerItems[0], m_answerItems[1], BitBtn2, BitBtn5};
    for (size_t i = 1; i < std::size(tabOrder); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
    // The OK button holds the keyboard focus when the window is first shown.
    BitBtn1->setFocus();

    // Names for screen readers where a control's own text does not say what it is for.
    Edit1->setAccessibleName(u"Имя игрока"_s);
    ListBox1->setAccessibleName(u"Имена соперников в базе"_s);
    Edit2->setAccessibleName(u"Новое имя для базы"_s);
    Edit3->setAccessibleName(u"Новый вопрос"_s);
    Edit4->setAccessibleName(u"Первый ответ"_s);
    Edit5->setAccessibleName(u"Второй ответ"_s);
    m_answerItems[0]->setAccessibleName(u"Верен первый ответ"_s);
    m_answerItems[1]->setAccessibleName(u"Верен второй ответ"_s);
    Label8->setAccessibleName(u"Всего вопросов в базе"_s);
    BitBtn5->setAccessibleDescription(u"Зал почёта"_s);
    WindowStyle::showLabelsAsPlainText(*this);
}

void TfPref::FormActivate()
{
    ensureBuilt();
    // Whatever was typed and not confirmed is dropped.
    m_messages.clear();
    m_windowScale->setCurrentIndex(std::max(0, m_windowScale->findData(WindowScale::stored())));
    setNameFieldText(Edit1, m_state.uMainMenu.PlayerName);
    setNameFieldText(Edit2, m_state.uMainMenu.PlayerName);
    Edit3->clear();
    Edit4->clear();
    Edit5->clear();

    // The file the game reads is the file the window counts and appends to.
    const QString questionsName = QString::fromLatin1(DataFiles::QuestionBase);
    m_questionsPath = DataFiles::path(m_dataDir, questionsName);
    if (Status loaded = BoxVopros.load(m_questionsPath, questionsName); !loaded) {
        m_questionsInSync = false;
        showError(loaded);
        return;
    }
    m_questionsInSync = true;
    showQuestionCount();

    const QString namesName = QString::fromLatin1(DataFiles::NamesBase);
    LineStore names;
    if (Status loaded = names.load(DataFiles::path(m_dataDir, namesName), namesName); !loaded) {
        m_namesInSync = false;
        showError(loaded);
        return;
    }
    names.setLines(NamesBase::sorted(names.lines()));
    m_names = std::move(names);
    m_namesInSync = true;
    ListBox1->clear();
    ListBox1->addItems(m_names.lines());
}

void TfPref::BitBtn1Click()
{
    if (showsMessage(Edit1)) {
        // The refused name never became the player's name; the old one stays.
        close();
        return;
    }
    const QString typed = Edit1->text();
    if (!typed.isEmpty()) {
        if (const QString refused = NamesBase::refusal(typed); !refused.isEmpty()) {
            showMessage(Edit1, refused);
            return;
        }
    }
    close();
    m_state.uMainMenu.PlayerName = typed.isEmpty() ? DefaultPlayerName : typed;
}

void TfPref::BitBtn3Click()
{
    // With an empty names base there is nothing to draw: the field stays as it is.
    if (m_names.isEmpty())
        return;
    setNameFieldText(Edit1, m_names.at(m_random.random(m_names.count())));
    m_messages.remove(Edit1);
}

void TfPref::BitBtn4Click()
{
    // A message in the field is not a name: it stays until the player types.
    if (showsMessage(Edit2))
        return;
    const QString name = Edit2->text();
    if (name.isEmpty()) {
        showMessage(Edit2, NoName);
        return;
    }
    if (const QString refused = NamesBase::refusal(name); !refused.isEmpty()) {
        showMessage(Edit2, refused);
        return;
    }
    if (m_names.lines().contains(name)) {
        showMessage(Edit2, NameTaken);
        return;
    }

    const QString fileName = QString::fromLatin1(DataFiles::NamesBase);
    const QString path = DataFiles::path(m_dataDir, fileName);
    if (!mayReplace(m_namesInSync, path, fileName))
        return;
    const int at = NamesBase::insertPosition(m_names.lines(), name);
    m_names.insert(at, name);
    ListBox1->insertItem(at, name);
    if (Status saved = m_names.save(path, fileName); !saved)
        showError(saved);
}

void TfPref::BitBtn2Click()
{
    // A message in a field ("OK!", a refusal) counts as nothing typed.
    const int right = m_answerChoice->checkedId();
    for (QLineEdit *field : {Edit3, Edit4, Edit5}) {
        if (field->text().isEmpty() || showsMessage(field))
            return;
    }
    if (right < 0)
        return;

    bool refused = false;
    for (QLineEdit *field : {Edit3, Edit4, Edit5}) {
        if (const QString message = QuestionBase::refusal(field->text()); !message.isEmpty()) {
            showMessage(field, message);
            refused = true;
        }
    }
    if (refused)
        return;

    const QString fileName = QString::fromLatin1(DataFiles::QuestionBase);
    if (!mayReplace(m_questionsInSync, m_questionsPath, fileName))
        return;
    QuestionBase::append(BoxVopros, Edit3->text(), Edit4->text(), Edit5->text(), right);
    showMessage(Edit3, QuestionAdded);
    Edit4->clear();
    Edit5->clear();
    if (Status saved = BoxVopros.save(m_questionsPath, fileName); !saved) {
        showError(saved);
        return;
    }
    showQuestionCount();
}

void TfPref::Edit4Change(const QString &text)
{
    m_answerItems[0]->setText(WindowStyle::literalButtonText(text));
}

void TfPref::Edit5Change(const QString &text)
{
    m_answerItems[1]->setText(WindowStyle::literalButtonText(text));
}

void TfPref::BitBtn5Click()
{
    Q_EMIT bestRequested();
}

void TfPref::FormClose()
{
    Q_EMIT closed();
}

void TfPref::showError(const Status &status)
{
    ErrorReport::show(this, status);
}

bool TfPref::event(QEvent *event)
{
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::WindowActivate) {
        // The application learns of the new focus window only after this event, so
        // m_lastFocus still tells where the activation came from. Coming back from the
        // window's own message box is not a new activation: it would reload and report
        // the same error again, without end; nor is coming back from another program.
        if (m_lastFocus == FocusHolder::Other) {
            // Reloading may report an error in a message box: not from inside the
            // activation itself.
            QMetaObject::invokeMethod(this, &TfPref::FormActivate, Qt::QueuedConnection);
        }
    }
    return handled;
}

void TfPref::noteFocusWindow(QWindow *window)
{
    // Null while another program has the focus: the last window of ours counts.
    if (!window)
        return;
    if (window == windowHandle()) {
        m_lastFocus = FocusHolder::Self;
        return;
    }
    m_lastFocus = FocusHolder::Other;
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (const QWidget *w : windows) {
        if (w->windowHandle() != window)
            continue;
        for (const QWidget *p = w; p; p = p->parentWidget()) {
            if (p == this)
                m_lastFocus = FocusHolder::OwnDialog;
        }
        break;
    }
}

void TfPref::closeEvent(QCloseEvent *event)
{
    event->accept();
    FormClose();
}


void TfPref::showMessage(QLineEdit *field, const QString &message)
{
    field->setText(message);
    m_messages.insert(field, message);
}

bool TfPref::showsMessage(const QLineEdit *field) const
{
    // Typing, or any other text put in its place, ends the message.
    const auto message = m_messages.constFind(field);
    return message != m_messages.cend() && *message == field->text();
}

void TfPref::showQuestionCount()
{
    // Counts the questions a game can put: blocks with all their lines and a right
    // answer of 0 or 1.
    m_state.uPref.PrefQuestionCount = int(QuestionBase::index(BoxVopros.lines()).starts.size());
    Label8->setText(QString::number(m_state.uPref.PrefQuestionCount));
    Label8->adjustSize();
}

bool TfPref::mayReplace(bool inSync, const QString &path, const QString &fileName)
{
    const QFileInfo info(path);
    if (inSync || (!info.exists() && !info.isSymLink()))
        return true;
    showError(Status::cannotOpen(
        fileName, u"Файл «%1» не был прочитан при открытии окна, поэтому он не перезаписан: его содержимое "
                  u"сохранено. Закройте окно настроек и откройте его снова."_s.arg(fileName)));
    return false;
}
