#include "ui/settings/SettingsWindow.h"

#include "core/data/DataFiles.h"
#include "core/data/NamesBase.h"
#include "core/data/QuestionBase.h"
#include "ui/look/AccessibleRoles.h"
#include "ui/look/Backdrop.h"
#include "ui/look/ErrorReport.h"
#include "ui/look/Fonts.h"
#include "ui/look/WindowScale.h"
#include "ui/look/WindowStyle.h"
#include "ui/settings/SettingsArtwork.h"
#include "ui/sound/SoundControl.h"
#include "ui/sound/SoundSettings.h"
#include "ui/speech/Narrator.h"
#include "ui/speech/SpeechEngine.h"
#include "ui/speech/VoiceSettings.h"

#include <QApplication>
#include <QAbstractItemView>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
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
    : QWidget(parent, WindowStyle::FixedWindow),
      m_state(state), m_random(random), m_dataDir(std::move(dataDir))
{
    setObjectName(u"fPref"_s);
    setWindowTitle(u"Зыбкоцепье"_s);
    setFixedSize(676, 413);
    WindowStyle::centreWhenShown(*this);
    AccessibleRoles::install();
    setFont(Fonts::font(Fonts::Family::MsSansSerif, 11));
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &SettingsWindow::noteFocusWindow);
}

void SettingsWindow::ensureBuilt()
{
    if (m_okButton)
        return;
    buildLayout();
    connect(m_okButton, &QPushButton::clicked, this, &SettingsWindow::okPressed);
    connect(m_randomNameButton, &QPushButton::clicked, this, &SettingsWindow::randomNamePressed);
    connect(m_addNameButton, &QPushButton::clicked, this, &SettingsWindow::addNamePressed);
    connect(m_addQuestionButton, &QPushButton::clicked, this, &SettingsWindow::addQuestionPressed);
    connect(m_winnersButton, &QPushButton::clicked, this, &SettingsWindow::winnersPressed);
    connect(m_firstAnswerEdit, &QLineEdit::textChanged, this, &SettingsWindow::firstAnswerEdited);
    connect(m_secondAnswerEdit, &QLineEdit::textChanged, this, &SettingsWindow::secondAnswerEdited);
    for (QLineEdit *field : {m_playerNameEdit, m_newNameEdit, m_questionEdit, m_firstAnswerEdit, m_secondAnswerEdit})
        connect(field, &QLineEdit::textEdited, this, [this, field] { m_messages.remove(field); });
}

void SettingsWindow::setVisible(bool visible)
{
    // The elements must exist before the window is shown: children made while it is
    // being shown would stay hidden.
    if (visible)
        ensureBuilt();
    QWidget::setVisible(visible);
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

    m_addQuestionButton = button(QStyle::SP_DialogDiscardButton, u"Сформировать"_s, {320, 368, 129, 25}, this);
    m_addQuestionButton->setObjectName(u"BitBtn2"_s);
    m_winnersButton = button(QStyle::SP_DialogDiscardButton, u"Best"_s, {608, 360, 57, 25}, this);
    m_winnersButton->setObjectName(u"BitBtn5"_s);

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
    auto *scaleNote = label(u"Применится при следующем запуске"_s, 32, 170, this, QColor(160, 160, 160));
    scaleNote->setObjectName(u"WindowScaleNote"_s);

    // The sound, in the free corner above "OK": the box, and the volume beside it.
    m_soundOn = new QCheckBox(u"Звук"_s, this);
    m_soundOn->setObjectName(u"SoundOn"_s);
    m_soundOn->setGeometry(524, 256, 58, 22);
    setColours(m_soundOn, Qt::white);
    m_soundOn->setAccessibleDescription(u"Звуки игры; за столом их включает и выключает клавиша M"_s);
    connect(m_soundOn, &QCheckBox::toggled, this, [this](bool on) {
        SoundSettings::storeOn(on);
        if (m_sounds)
            m_sounds->setOn(on);
        m_soundVolume->setEnabled(on);
    });
    m_soundVolume = new QSlider(Qt::Horizontal, this);
    m_soundVolume->setObjectName(u"SoundVolume"_s);
    m_soundVolume->setGeometry(584, 256, 74, 22);
    m_soundVolume->setRange(0, 100);
    m_soundVolume->setSingleStep(5);
    m_soundVolume->setPageStep(10);
    m_soundVolume->setAccessibleName(u"Громкость"_s);
    showStoredSound();
    // Heard at once; stored when the slider is let go rather than at each step of a drag.
    connect(m_soundVolume, &QSlider::valueChanged, this, [this](int percent) {
        if (m_sounds)
            m_sounds->setVolume(percent);
        if (!m_soundVolume->isSliderDown())
            SoundSettings::storeVolume(percent);
    });
    connect(m_soundVolume, &QSlider::sliderReleased, this, [this] {
        SoundSettings::storeVolume(m_soundVolume->value());
        // A sample of the new loudness.
        if (m_sounds)
            m_sounds->play(GameSounds::Cue::RightAnswer);
    });

    buildVoiceControls();

    QWidget *const tabOrder[] = {m_okButton, m_playerNameEdit, m_windowScale, m_randomNameButton, m_namesList, m_newNameEdit, m_addNameButton, m_questionEdit, m_firstAnswerEdit,
                                 m_secondAnswerEdit, m_answerItems[0], m_answerItems[1], m_addQuestionButton, m_winnersButton,
                                 m_soundOn, m_soundVolume, m_hostVoice, m_hostVoiceName, m_hostVoiceRate};
    for (size_t i = 1; i < std::size(tabOrder); ++i)
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
    ensureBuilt();
    // Whatever was typed and not confirmed is dropped.
    m_messages.clear();
    m_windowScale->setCurrentIndex(std::max(0, m_windowScale->findData(WindowScale::stored())));
    showStoredSound();
    showStoredVoice();
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
    if (Status loaded = m_questions.load(m_questionsPath, questionsName); !loaded) {
        m_questions = LineStore();
        showError(loaded);
        return;
    }
    m_questionsInSync = true;
    showQuestionCount();

    const QString namesName = QString::fromLatin1(DataFiles::NamesBase);
    LineStore names;
    if (Status loaded = names.load(DataFiles::path(m_dataDir, namesName), namesName); !loaded) {
        showError(loaded);
        return;
    }
    names.setLines(NamesBase::sorted(names.lines()));
    m_names = std::move(names);
    m_namesInSync = true;
    m_namesList->addItems(m_names.lines());
}

void SettingsWindow::showStoredSound()
{
    // The key M at the table may have changed the sound since the window was last shown.
    const QSignalBlocker quietBox(m_soundOn);
    const QSignalBlocker quietSlider(m_soundVolume);
    m_soundOn->setChecked(SoundSettings::isOn());
    m_soundVolume->setValue(SoundSettings::volume());
    m_soundVolume->setEnabled(m_soundOn->isChecked());
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
    if (refused)
        return;

    const QString fileName = QString::fromLatin1(DataFiles::QuestionBase);
    if (!mayReplace(m_questionsInSync, m_questionsPath, fileName))
        return;
    QuestionBase::append(m_questions, m_questionEdit->text(), m_firstAnswerEdit->text(), m_secondAnswerEdit->text(), right);
    showMessage(m_questionEdit, QuestionAdded);
    m_firstAnswerEdit->clear();
    m_secondAnswerEdit->clear();
    if (Status saved = m_questions.save(m_questionsPath, fileName); !saved) {
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
        if (m_lastFocus == FocusHolder::Other) {
            // Reloading may report an error in a message box: not from inside the
            // activation itself.
            QMetaObject::invokeMethod(this, &SettingsWindow::reload, Qt::QueuedConnection);
        }
    }
    return handled;
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

// --- The host's voice ---

namespace {

// Said when the player changes the voice or its rate, to hear the change.
const QString VoiceSample = u"Добро пожаловать на программу Зыбкоцепье"_s;

} // namespace

void SettingsWindow::setNarrator(Narrator *narrator)
{
    m_narrator = narrator;
    if (m_narrator)
        connect(&m_narrator->engine(), &SpeechEngine::voicesChanged, this, [this] {
            if (m_hostVoiceName)
                listVoices();
        });
}

void SettingsWindow::buildVoiceControls()
{
    // One row in the free band above the names list: the box, the voice, the rate.
    m_hostVoice = new QCheckBox(u"Голос ведущего"_s, this);
    m_hostVoice->setObjectName(u"HostVoice"_s);
    m_hostVoice->setGeometry(264, 108, 118, 22);
    setColours(m_hostVoice, Qt::white);
    m_hostVoice->setAccessibleDescription(u"Ведущий читает вслух вопросы, ответы и свои слова; "
                                          u"за столом R повторяет вопрос, T называет время, N — места"_s);
    connect(m_hostVoice, &QCheckBox::toggled, this, [this](bool on) {
        VoiceSettings::storeOn(on);
        if (m_narrator) {
            m_narrator->setOn(on);
            m_narrator->sayAside(VoiceSample);
        }
        m_hostVoiceName->setEnabled(on);
        m_hostVoiceRate->setEnabled(on);
    });

    m_hostVoiceName = new QComboBox(this);
    m_hostVoiceName->setObjectName(u"HostVoiceName"_s);
    m_hostVoiceName->setGeometry(388, 108, 150, 22);
    m_hostVoiceName->setAccessibleName(u"Голос"_s);
    m_hostVoiceName->setToolTip(u"Голос"_s);
    m_hostVoiceName->setMaxVisibleItems(16);
    // The names of espeak voices run long: the list is wider than the box.
    m_hostVoiceName->view()->setMinimumWidth(260);
    connect(m_hostVoiceName, &QComboBox::activated, this, [this](int index) {
        const QString name = m_hostVoiceName->itemData(index).toString();
        VoiceSettings::storeVoice(name);
        if (m_narrator) {
            m_narrator->setVoice(name);
            m_narrator->sayAside(VoiceSample);
        }
    });

    m_hostVoiceRate = new QSlider(Qt::Horizontal, this);
    m_hostVoiceRate->setObjectName(u"HostVoiceRate"_s);
    m_hostVoiceRate->setGeometry(544, 108, 97, 22);
    m_hostVoiceRate->setRange(-100, 100);
    m_hostVoiceRate->setSingleStep(10);
    m_hostVoiceRate->setPageStep(25);
    m_hostVoiceRate->setAccessibleName(u"Скорость речи"_s);
    m_hostVoiceRate->setToolTip(u"Скорость речи"_s);
    showStoredVoice();
    // Applied at once; stored, and heard, when the slider is let go rather than at each
    // step of a drag.
    connect(m_hostVoiceRate, &QSlider::valueChanged, this, [this](int rate) {
        if (m_narrator)
            m_narrator->setRate(rate);
        if (!m_hostVoiceRate->isSliderDown())
            VoiceSettings::storeRate(rate);
    });
    connect(m_hostVoiceRate, &QSlider::sliderReleased, this, [this] {
        VoiceSettings::storeRate(m_hostVoiceRate->value());
        if (m_narrator)
            m_narrator->sayAside(VoiceSample);
    });
}

void SettingsWindow::showStoredVoice()
{
    const QSignalBlocker quietBox(m_hostVoice);
    const QSignalBlocker quietSlider(m_hostVoiceRate);
    m_hostVoice->setChecked(VoiceSettings::isOn());
    m_hostVoiceRate->setValue(VoiceSettings::rate());
    listVoices();
    m_hostVoiceName->setEnabled(m_hostVoice->isChecked());
    m_hostVoiceRate->setEnabled(m_hostVoice->isChecked());
}

void SettingsWindow::listVoices()
{
    const QString chosen = VoiceSettings::voice();
    QStringList voices = m_narrator ? m_narrator->engine().voices() : QStringList();
    // A voice chosen in an earlier run stays shown until the engine has told its own.
    if (!chosen.isEmpty() && !voices.contains(chosen))
        voices.prepend(chosen);
    const QSignalBlocker quiet(m_hostVoiceName);
    m_hostVoiceName->clear();
    m_hostVoiceName->addItem(u"Обычный"_s, QString());
    for (const QString &voice : std::as_const(voices))
        m_hostVoiceName->addItem(voice, voice);
    m_hostVoiceName->setCurrentIndex(std::max(0, m_hostVoiceName->findData(chosen)));
}
