#include "ui/settings/SettingsWindow.h"

#include "core/data/DataFiles.h"
#include "core/data/NamesBase.h"
#include "core/data/QuestionBase.h"
#include "ui/look/AccessibleRoles.h"
#include "ui/look/Backdrop.h"
#include "ui/look/ErrorReport.h"
#include "ui/look/Fonts.h"
#include "ui/look/WindowStyle.h"
#include "ui/settings/SettingsArtwork.h"
#include "ui/settings/SoundAndScreenGroup.h"
#include "ui/settings/StoredPlayerName.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
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

SettingsWindow::SettingsWindow(GameState &state, RandomSource &random, QDir dataDir, QWidget *parent)
    : LazyWindow(parent, WindowStyle::FixedWindow),
      m_state(state), m_random(random), m_dataDir(std::move(dataDir))
{
    setObjectName(u"fPref"_s);
    setWindowTitle(u"Зыбкоцепье"_s);
    setFixedSize(SettingsArtwork::Width, SettingsArtwork::Height);
    WindowStyle::centreWhenShown(*this);
    AccessibleRoles::install();
    setFont(Fonts::font(Fonts::Family::MsSansSerif, 11));
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &SettingsWindow::noteFocusWindow);
}

void SettingsWindow::build()
{
    buildLayout();
    connect(m_okButton, &QPushButton::clicked, this, &SettingsWindow::okPressed);
    connect(m_randomNameButton, &QPushButton::clicked, this, &SettingsWindow::randomNamePressed);
    connect(m_addNameButton, &QPushButton::clicked, this, &SettingsWindow::addNamePressed);
    connect(m_addQuestionButton, &QPushButton::clicked, this, &SettingsWindow::addQuestionPressed);
    connect(m_winnersButton, &QPushButton::clicked, this, &SettingsWindow::winnersPressed);
    connect(m_questionEditorButton, &QPushButton::clicked, this, &SettingsWindow::questionEditorRequested);
    connect(m_firstAnswerEdit, &QLineEdit::textChanged, this, &SettingsWindow::firstAnswerEdited);
    connect(m_secondAnswerEdit, &QLineEdit::textChanged, this, &SettingsWindow::secondAnswerEdited);
    for (QLineEdit *field : {m_playerNameEdit, m_newNameEdit, m_questionEdit, m_firstAnswerEdit, m_secondAnswerEdit})
        connect(field, &QLineEdit::textEdited, this, [this, field] { m_messages.remove(field); });
}

void SettingsWindow::buildLayout()
{
    m_backdrop = new Backdrop(&SettingsArtwork::background, this);
    m_backdrop->setObjectName(u"Image1"_s);
    m_backdrop->setGeometry(0, 0, SettingsArtwork::Width, SettingsArtwork::Height);

    m_playerNameHeading = label(u"Настройка имени игрока"_s, 64, 88, this);
    m_playerNameHeading->setObjectName(u"Label1"_s);
    m_namesHeading = label(u"Настрока имен игроков, присутствующих в базе"_s, 336, 88, this);
    m_namesHeading->setObjectName(u"Label2"_s);
    m_questionsHeading = label(u"Настрока вопросов игры"_s, 256, 256, this);
    m_questionsHeading->setObjectName(u"Label3"_s);

    m_okButton = button(QStyle::SP_DialogOkButton, u"OK"_s, {608, 304, 57, 25}, this);
    m_okButton->setObjectName(u"BitBtn1"_s);

    m_playerNameEdit = lineEdit(32, 112, 193, 21, this);
    m_playerNameEdit->setObjectName(u"Edit1"_s);
    limitTyping(m_playerNameEdit);

    m_randomNameButton = button(QStyle::SP_BrowserReload, u"Случайно"_s, {136, 200, 91, 25}, this);
    m_randomNameButton->setObjectName(u"BitBtn3"_s);

    m_namesList = new QListWidget(this);
    m_namesList->setObjectName(u"ListBox1"_s);
    m_namesList->setGeometry(264, 136, 177, 97);
    m_namesList->setUniformItemSizes(true);

    m_newNameEdit = lineEdit(456, 176, 185, 21, this);
    m_newNameEdit->setObjectName(u"Edit2"_s);
    limitTyping(m_newNameEdit);

    m_addNameButton = button(QStyle::SP_DialogApplyButton, u"Записать"_s, {544, 208, 99, 25}, this);
    m_addNameButton->setObjectName(u"BitBtn4"_s);

    m_newQuestionBox = new QGroupBox(u"Добавить новый вопрос:"_s, this);
    m_newQuestionBox->setObjectName(u"GroupBox1"_s);
    m_newQuestionBox->setGeometry(48, 272, 265, 121);
    setColours(m_newQuestionBox, Qt::white, Qt::black);
    WindowStyle::putCaptionOnFrame(*m_newQuestionBox);
    m_questionLabel = label(u"Сформулируйте вопрос:"_s, 8, 16, m_newQuestionBox);
    m_questionLabel->setObjectName(u"Label4"_s);
    m_questionEdit = lineEdit(8, 32, 201, 21, m_newQuestionBox);
    m_questionEdit->setObjectName(u"Edit3"_s);
    m_firstAnswerLabel = label(u"Первый ответ:"_s, 8, 56, m_newQuestionBox);
    m_firstAnswerLabel->setObjectName(u"Label5"_s);
    m_firstAnswerEdit = lineEdit(8, 72, 113, 21, m_newQuestionBox);
    m_firstAnswerEdit->setObjectName(u"Edit4"_s);
    m_secondAnswerLabel = label(u"Второй ответ:"_s, 144, 56, m_newQuestionBox);
    m_secondAnswerLabel->setObjectName(u"Label6"_s);
    m_secondAnswerEdit = lineEdit(144, 72, 113, 21, m_newQuestionBox);
    m_secondAnswerEdit->setObjectName(u"Edit5"_s);

    m_rightAnswerBox = new QGroupBox(u"Отметьте верный ответ:"_s, this);
    m_rightAnswerBox->setObjectName(u"RadioGroup1"_s);
    m_rightAnswerBox->setGeometry(320, 272, 185, 73);
    setColours(m_rightAnswerBox, Qt::white, Qt::black);
    WindowStyle::putCaptionOnFrame(*m_rightAnswerBox);
    m_answerChoice = new QButtonGroup(m_rightAnswerBox);
    for (int i = 0; i < 2; ++i) {
        // One column; no item is marked until the player marks one.
        m_answerItems[i] = new QRadioButton(m_rightAnswerBox);
        m_answerItems[i]->setObjectName(u"RadioGroup1Item%1"_s.arg(i));
        m_answerItems[i]->setGeometry(8, 18 + 24 * i, 169, 22);
        m_answerChoice->addButton(m_answerItems[i], i);
    }

    m_questionCountLabel = label(u"Всего вопросов в базе:"_s, 320, 352, this);
    m_questionCountLabel->setObjectName(u"Label7"_s);
    m_questionCount = label(QString::number(m_state.settings.questionCount), 448, 352, this, Qt::red);
    m_questionCount->setObjectName(u"Label8"_s);

    m_addQuestionButton = button(QStyle::SP_DialogSaveButton, u"Сформировать"_s, {320, 368, 129, 25}, this);
    m_addQuestionButton->setObjectName(u"BitBtn2"_s);
    // Beside the count: the window where every question of the base can be found, corrected or removed.
    m_questionEditorButton = new QPushButton(u"Редактор вопросов..."_s, this);
    m_questionEditorButton->setGeometry(456, 368, 126, 25);
    m_questionEditorButton->setObjectName(u"QuestionEditorButton"_s);
    m_winnersButton = new QPushButton(SettingsArtwork::winnersGlyph(), u"Best"_s, this);
    m_winnersButton->setGeometry(608, 360, 57, 25);
    m_winnersButton->setObjectName(u"BitBtn5"_s);

    // The window size, the sound and the host's voice: a group of their own, below the rest.
    m_soundAndScreen = new SoundAndScreenGroup(this);
    m_soundAndScreen->setGeometry(SettingsArtwork::SoundAndScreenFrame.adjusted(2, 2, -2, -2));
    m_soundAndScreen->setSounds(m_sounds);
    m_soundAndScreen->setNarrator(m_narrator);

    const QList<QWidget *> tabOrder = QList<QWidget *>{m_okButton, m_playerNameEdit, m_randomNameButton, m_namesList, m_newNameEdit,
                                                       m_addNameButton, m_questionEdit, m_firstAnswerEdit, m_secondAnswerEdit,
                                                       m_answerItems[0], m_answerItems[1], m_addQuestionButton, m_questionEditorButton,
                                                       m_winnersButton}
        + m_soundAndScreen->tabOrder();
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
    // The OK button holds the keyboard focus when the window is first shown.
    m_okButton->setFocus();

    // Names for screen readers where a control's own text does not say what it is for.
    m_playerNameEdit->setAccessibleName(u"Имя игрока"_s);
    m_namesList->setAccessibleName(u"Имена соперников в базе"_s);
    m_newNameEdit->setAccessibleName(u"Новое имя для базы"_s);
    m_questionEdit->setAccessibleName(u"Новый вопрос"_s);
    m_firstAnswerEdit->setAccessibleName(u"Первый ответ"_s);
    m_secondAnswerEdit->setAccessibleName(u"Второй ответ"_s);
    m_answerItems[0]->setAccessibleName(u"Верен первый ответ"_s);
    m_answerItems[1]->setAccessibleName(u"Верен второй ответ"_s);
    m_questionCount->setAccessibleName(u"Всего вопросов в базе"_s);
    m_winnersButton->setAccessibleDescription(u"Зал почёта"_s);
    WindowStyle::showLabelsAsPlainText(*this);
}

void SettingsWindow::reload()
{
    if (const Status loaded = load(); !loaded)
        showError(loaded);
}

Status SettingsWindow::load()
{
    ensureBuilt();
    // Whatever was typed and not confirmed is dropped.
    m_messages.clear();
    m_soundAndScreen->showStored();
    setNameFieldText(m_playerNameEdit, m_state.table.playerName);
    setNameFieldText(m_newNameEdit, m_state.table.playerName);
    m_questionEdit->clear();
    m_firstAnswerEdit->clear();
    m_secondAnswerEdit->clear();

    // The window holds only what this opening reads: a base it could not read is empty
    // here, so that what an earlier opening read is never written back over the file.
    m_questionsInSync = false;
    m_namesInSync = false;
    m_names = LineStore();
    m_namesList->clear();

    // The file the game reads is the file the window counts and appends to.
    const QString questionsName = QString::fromLatin1(DataFiles::QuestionBase);
    m_questionsPath = DataFiles::path(m_dataDir, questionsName);
    m_questionFile = QuestionFile(m_questionsPath, questionsName);
    if (Status loaded = m_questionFile.load(m_questions); !loaded) {
        m_questions = LineStore();
        return loaded;
    }
    m_questionsInSync = true;
    showQuestionCount();

    const QString namesName = QString::fromLatin1(DataFiles::NamesBase);
    LineStore names;
    if (Status loaded = names.load(DataFiles::path(m_dataDir, namesName), namesName); !loaded)
        return loaded;
    names.setLines(NamesBase::sorted(names.lines()));
    m_names = std::move(names);
    m_namesInSync = true;
    m_namesList->addItems(m_names.lines());
    return Status::success();
}

void SettingsWindow::okPressed()
{
    if (showsMessage(m_playerNameEdit)) {
        // The refused name never became the player's name; the old one stays.
        close();
        return;
    }
    const QString typed = m_playerNameEdit->text();
    if (!typed.isEmpty()) {
        if (const QString refused = NamesBase::refusal(typed); !refused.isEmpty()) {
            showMessage(m_playerNameEdit, refused);
            return;
        }
    }
    close();
    m_state.table.playerName = typed.isEmpty() ? DefaultPlayerName : typed;
    // Kept for the next start too, as the window size is.
    StoredPlayerName::store(m_state.table.playerName);
}

void SettingsWindow::randomNamePressed()
{
    // With an empty names base there is nothing to draw: the field stays as it is.
    if (m_names.isEmpty())
        return;
    setNameFieldText(m_playerNameEdit, m_names.at(m_random.random(m_names.count())));
    m_messages.remove(m_playerNameEdit);
}

void SettingsWindow::addNamePressed()
{
    // A message in the field is not a name: it stays until the player types.
    if (showsMessage(m_newNameEdit))
        return;
    const QString name = m_newNameEdit->text();
    if (name.isEmpty()) {
        showMessage(m_newNameEdit, NoName);
        return;
    }
    if (const QString refused = NamesBase::refusal(name); !refused.isEmpty()) {
        showMessage(m_newNameEdit, refused);
        return;
    }
    if (m_names.lines().contains(name)) {
        showMessage(m_newNameEdit, NameTaken);
        return;
    }

    const QString fileName = QString::fromLatin1(DataFiles::NamesBase);
    const QString path = DataFiles::path(m_dataDir, fileName);
    if (!mayReplace(m_namesInSync, path, fileName))
        return;
    const int at = NamesBase::insertPosition(m_names.lines(), name);
    m_names.insert(at, name);
    m_namesList->insertItem(at, name);
    if (Status saved = m_names.save(path, fileName); !saved)
        showError(saved);
}

void SettingsWindow::addQuestionPressed()
{
    // A message in a field ("OK!", a refusal) counts as nothing typed.
    const int right = m_answerChoice->checkedId();
    for (QLineEdit *field : {m_questionEdit, m_firstAnswerEdit, m_secondAnswerEdit}) {
        if (field->text().isEmpty() || showsMessage(field))
            return;
    }
    if (right < 0)
        return;

    bool refused = false;
    for (QLineEdit *field : {m_questionEdit, m_firstAnswerEdit, m_secondAnswerEdit}) {
        if (const QString message = QuestionBase::refusal(field->text()); !message.isEmpty()) {
            showMessage(field, message);
            refused = true;
        }
    }
    if (const QString message = QuestionBase::answersRefusal(m_firstAnswerEdit->text(), m_secondAnswerEdit->text());
        !refused && !message.isEmpty()) {
        showMessage(m_secondAnswerEdit, message);
        refused = true;
    }
    if (refused)
        return;

    const QString fileName = QString::fromLatin1(DataFiles::QuestionBase);
    if (!mayReplace(m_questionsInSync, m_questionsPath, fileName))
        return;
    const QString text = m_questionEdit->text(), first = m_firstAnswerEdit->text(), second = m_secondAnswerEdit->text();
    showMessage(m_questionEdit, QuestionAdded);
    m_firstAnswerEdit->clear();
    m_secondAnswerEdit->clear();
    // Added to the file as it is now, under its lock: what the question editor or another
    // copy of the game wrote since this window opened stays.
    const auto append = [&](LineStore &store) { QuestionBase::append(store, text, first, second, right); };
    if (Status saved = m_questionFile.update(m_questions, append); !saved) {
        showError(saved);
        return;
    }
    showQuestionCount();
}

void SettingsWindow::firstAnswerEdited(const QString &text)
{
    m_answerItems[0]->setText(WindowStyle::literalButtonText(text));
}

void SettingsWindow::secondAnswerEdited(const QString &text)
{
    m_answerItems[1]->setText(WindowStyle::literalButtonText(text));
}

void SettingsWindow::winnersPressed()
{
    Q_EMIT winnersRequested();
}

void SettingsWindow::windowClosed()
{
    Q_EMIT closed();
}

void SettingsWindow::showError(const Status &status)
{
    ErrorReport::show(this, status);
}

bool SettingsWindow::event(QEvent *event)
{
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::WindowActivate) {
        // The application learns of the new focus window only after this event, so
        // m_lastFocus still tells where the activation came from. Coming back from the
        // window's own message box is not a new activation: it would reload and report
        // the same error again, without end; nor is coming back from another program.
        if (m_lastFocus == FocusHolder::Other && m_loadedAtShow) {
            // The showing has read the bases for this opening.
            m_loadedAtShow = false;
        } else if (m_lastFocus == FocusHolder::Other) {
            // Reloading may report an error in a message box: not from inside the
            // activation itself.
            QMetaObject::invokeMethod(this, &SettingsWindow::reload, Qt::QueuedConnection);
        }
    }
    return handled;
}

void SettingsWindow::showEvent(QShowEvent *event)
{
    LazyWindow::showEvent(event);
    // Shown again after being minimised, the window reloads when it becomes active, as before.
    if (event->spontaneous())
        return;
    const Status loaded = load();
    m_loadedAtShow = true;
    // A message box while the window is being shown would come before its first frame.
    if (!loaded)
        QMetaObject::invokeMethod(this, [this, loaded] { showError(loaded); }, Qt::QueuedConnection);
}

void SettingsWindow::noteFocusWindow(QWindow *window)
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
    // Another window comes between: the next activation is a new one.
    if (m_lastFocus == FocusHolder::Other)
        m_loadedAtShow = false;
}

void SettingsWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    windowClosed();
}


void SettingsWindow::showMessage(QLineEdit *field, const QString &message)
{
    field->setText(message);
    m_messages.insert(field, message);
}

bool SettingsWindow::showsMessage(const QLineEdit *field) const
{
    // Typing, or any other text put in its place, ends the message.
    const auto message = m_messages.constFind(field);
    return message != m_messages.cend() && *message == field->text();
}

void SettingsWindow::showQuestionCount()
{
    // Counts the questions a game can put: blocks with all their lines and a right
    // answer of 0 or 1.
    m_state.settings.questionCount = int(QuestionBase::index(m_questions.lines()).starts.size());
    m_questionCount->setText(QString::number(m_state.settings.questionCount));
    m_questionCount->adjustSize();
}

bool SettingsWindow::mayReplace(bool inSync, const QString &path, const QString &fileName)
{
    const QFileInfo info(path);
    if (inSync || (!info.exists() && !info.isSymLink()))
        return true;
    showError(Status::cannotOpen(
        fileName, u"Файл «%1» не был прочитан при открытии окна, поэтому он не перезаписан: его содержимое "
                  u"сохранено. Закройте окно настроек и откройте его снова."_s.arg(fileName)));
    return false;
}

void SettingsWindow::setSounds(SoundControl *sounds)
{
    m_sounds = sounds;
    if (m_soundAndScreen)
        m_soundAndScreen->setSounds(sounds);
}

void SettingsWindow::setNarrator(Narrator *narrator)
{
    m_narrator = narrator;
    if (m_soundAndScreen)
        m_soundAndScreen->setNarrator(narrator);
}
