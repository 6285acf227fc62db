#include "ui/table/GameWindow.h"

#include "ui/look/AccessibleRoles.h"
#include "ui/look/Announcer.h"
#include "ui/look/Backdrop.h"
#include "ui/look/ErrorReport.h"
#include "ui/look/Fonts.h"
#include "ui/look/WindowStyle.h"
#include "ui/sound/SoundControl.h"
#include "ui/sound/SoundSettings.h"
#include "ui/speech/Narrator.h"
#include "ui/table/FocusMark.h"
#include "ui/table/SeatLabel.h"
#include "ui/table/TableArtwork.h"
#include "ui/table/TableLayout.h"
#include "ui/table/TurnRing.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTextCursor>
#include <QTimer>

using namespace Qt::StringLiterals;
using namespace WindowStyle;

namespace {

// The property that keeps a control's own accessible description while it carries the
// last narration line.
constexpr char FixedDescription[] = "zybFixedDescription";

// "Осталось 146 секунд", "Осталась 21 секунда".
QString secondsLeftText(int seconds)
{
    const QString noun = Narrator::agreeing(seconds, u"секунда"_s, u"секунды"_s, u"секунд"_s);
    return (noun == u"секунда" ? u"Осталась %1 %2"_s : u"Осталось %1 %2"_s).arg(seconds).arg(noun);
}

// "Цепочка: 1000 рублей", and ", набрано" for the step the chain has reached.
QString chainStepName(int step, bool reached)
{
    const QString name = u"Цепочка: %1 рублей"_s.arg(GameEngine::chainValue(step));
    return reached ? name + u", набрано"_s : name;
}

struct ChainLabel
{
    const char *name;
    const char *caption;
    int top;
    int width;
};
// Steps 1..10, bottom to top.
constexpr ChainLabel Chain[] = {{"", "", 0, 0},
                                {"_500", "500", 432, 39},       {"_1000", "1,000", 392, 59},
                                {"_2000", "2,000", 352, 59},    {"_3000", "3,000", 312, 59},
                                {"_5000", "5,000", 272, 59},    {"_10000", "10,000", 232, 72},
                                {"_15000", "15,000", 192, 72},  {"_20000", "20,000", 152, 72},
                                {"_30000", "30,000", 112, 72},  {"_50000", "50,000", 72, 72}};

// Where the keys 1 and 2 stand beside the answers, in the answers' group.
constexpr int AnswerKeyLeft = 236;

// What the table shows the player may do, said for those who play by ear.
const QString StartHint = u"Чтобы начать, нажмите Enter"_s;
const QString BankHint = u"B — положить в банк"_s;
const QString VoteHint = u"Голосование: нажмите номер места игрока, которого хотите выгнать. N — кто за каким местом"_s;

} // namespace

GameWindow::GameWindow(GameState &state, RandomSource &random, const Clock &clock, QDir dataDir, QWidget *parent,
                       GameTimers *timers)
    : QWidget(parent, WindowStyle::FixedWindow)
    , m_engine(state, random, clock, std::move(dataDir), QLocale(), timers)
{
    m_engine.addListener(&m_presenter);
    m_engine.addListener(&m_soundCues);
    setObjectName(u"fGame"_s);
    setWindowTitle(u"Зыбкоцепье"_s);
    setFixedSize(792, 600);
    WindowStyle::centreWhenShown(*this);
    AccessibleRoles::install();
    setFont(Fonts::font(Fonts::Family::MsSansSerif, 11));

    connect(qApp, &QApplication::focusChanged, this, [](QWidget *old, QWidget *) { restoreDescription(old); });
}

void GameWindow::setNarrator(Narrator *narrator)
{
    m_narrator = narrator;
    // The host's words of each step are told to a screen reader too, voice or no voice.
    if (narrator) {
        m_engine.addListener(narrator);
        connect(narrator, &Narrator::stepTold, this, &GameWindow::announce);
    }
}

GameEngine &GameWindow::engine()
{
    ensureBuilt();
    return m_engine;
}

void GameWindow::setSounds(SoundControl *sounds)
{
    m_sounds = sounds;
    m_soundCues.setSounds(sounds);
}

void GameWindow::ensureBuilt()
{
    if (m_narration)
        return;
    auto *image = new Backdrop(&TableArtwork::background, this);
    image->setObjectName(u"Image1"_s);
    image->setGeometry(0, 0, 792, 600);

    buildSeats();
    buildChain();
    buildControls();
    buildCues();
    buildKeys();

    setTabOrder(m_narration, m_answers);
    setTabOrder(m_answers, m_startButton);
    setTabOrder(m_startButton, m_bankButton);
    showLabelsAsPlainText(*this);
}

QLabel *GameWindow::label(const QString &name, QPoint at, const QFont &font, const QColor &colour)
{
    auto *l = new QLabel(this);
    l->setObjectName(name);
    l->setFont(font);
    setTextColour(l, colour);
    l->move(at);
    return l;
}

void GameWindow::buildSeats()
{
    for (int seat = 1; seat <= SeatCount; ++seat) {
        auto *name = new SeatLabel(this);
        name->setObjectName(u"Name%1"_s.arg(seat));
        name->setGeometry(QRect(TableLayout::NameLabel[seat], QSize(TableLayout::LabelWidth, TableLayout::LabelHeight)));
        name->setAlignment(Qt::AlignCenter);
        name->setFont(Fonts::font(Fonts::Family::ComicSans, 12));
        setTextColour(name, White);
        name->setCursor(Qt::PointingHandCursor);
        name->setText(u"Name%1"_s.arg(seat));
        name->setAccessibleName(u"Место %1"_s.arg(seat));
        name->setAccessibleDescription(u"Щелчок во время голосования — голос против этого игрока"_s);
        connect(name, &SeatLabel::clicked, this, [this, seat] { seatClicked(seat); });
        m_seatNames[seat] = name;

        auto *vote = new QLabel(this);
        vote->setObjectName(u"_Name%1"_s.arg(seat));
        vote->setGeometry(QRect(TableLayout::NameLabel[seat] + QPoint(0, TableLayout::VoteLabelBelow),
                                QSize(TableLayout::LabelWidth, TableLayout::LabelHeight)));
        vote->setAlignment(Qt::AlignCenter);
        vote->setFont(Fonts::font(Fonts::Family::BookAntiqua, 12));
        setTextColour(vote, Red);
        vote->setText(u"_Name%1"_s.arg(seat));
        vote->setAccessibleName(u"Голос игрока за местом %1"_s.arg(seat));
        m_seatVotes[seat] = vote;
    }
}

void GameWindow::buildChain()
{
    const QFont font = Fonts::font(Fonts::Family::CenturyGothic, 24, true);
    for (int step = 1; step <= 10; ++step) {
        const ChainLabel &c = Chain[step];
        QLabel *l = label(QString::fromLatin1(c.name), QPoint(24, c.top), font, White);
        l->setText(QString::fromLatin1(c.caption));
        l->resize(std::max(c.width, l->sizeHint().width()), 28);
        l->setAccessibleName(chainStepName(step, false));
        m_chainSteps[step] = l;
    }
}

void GameWindow::buildControls()
{
    const QFont gothic = Fonts::font(Fonts::Family::CenturyGothic, 21, true);

    // "БАНК!" in the table's own colours, large, beside the foot of the chain.
    m_bankButton = new QPushButton(u"БАНК!"_s, this);
    m_bankButton->setObjectName(u"Button2"_s);
    m_bankButton->setGeometry(24, 476, 150, 34);
    m_bankButton->setFont(Fonts::font(Fonts::Family::CenturyGothic, 21, true));
    m_bankButton->setStyleSheet(u"QPushButton { color: rgb(255, 215, 0); background: rgb(0, 90, 40);"
                             " border: 2px solid rgb(255, 215, 0); border-radius: 9px; }"
                             "QPushButton:pressed { background: rgb(0, 140, 60); }"_s);
    m_bankButton->setAccessibleName(u"Положить в банк"_s);
    connect(m_bankButton, &QPushButton::clicked, this, &GameWindow::bankPressed);

    QLabel *bankCaption = label(u"Label12"_s, QPoint(24, 512), gothic, Grey);
    bankCaption->setText(u"Банк:"_s);
    bankCaption->adjustSize();
    m_bankSum = label(u"Bank"_s, QPoint(24, 536), gothic, Yellow);
    m_bankSum->setText(u"0"_s);
    m_bankSum->adjustSize();
    m_bankSum->setAccessibleName(u"Банк раунда"_s);

    m_narration = new QPlainTextEdit(this);
    m_narration->setObjectName(u"RichEdit1"_s);
    m_narration->setGeometry(352, 128, 249, 305);
    m_narration->setReadOnly(true);
    m_narration->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_narration->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_narration->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_narration->setFont(Fonts::font(Fonts::Family::MsSansSerif, 11));
    m_narration->setStyleSheet(u"QPlainTextEdit { background: black; color: white; }"_s);
    m_narration->setPlainText(u"RichEdit1"_s);
    m_narrationLines = 1;
    m_narration->setAccessibleName(u"Ведущий"_s);
    m_narration->setAccessibleDescription(u"Всё, что говорит ведущий игры"_s);

    m_answers = new QGroupBox(this);
    m_answers->setObjectName(u"RadioGroup1"_s);
    m_answers->setGeometry(352, 472, 249, 57);
    m_answers->setFlat(true);
    m_answers->setAutoFillBackground(true);
    // The answers take the focus themselves; their group is no stop of its own.
    m_answers->setFocusPolicy(Qt::NoFocus);
    m_answers->setAccessibleName(u"Варианты ответа"_s);
    QPalette pal = m_answers->palette();
    pal.setColor(QPalette::Window, Qt::black);
    m_answers->setPalette(pal);
    m_answerGroup = new QButtonGroup(m_answers);
    for (int i = 0; i < 2; ++i) {
        auto *b = new QRadioButton(m_answers);
        b->setObjectName(u"RadioGroup1Item%1"_s.arg(i));
        // Up to the key hint beside it, which stands at AnswerKeyLeft.
        b->setGeometry(8, 6 + i * 24, AnswerKeyLeft - 4 - 8, 20);
        b->setFont(Fonts::font(Fonts::Family::MsSansSerif, 11));
        setTextColour(b, Lime);
        b->setText(u"Item%1"_s.arg(i));
        b->setAccessibleName(u"Ответ %1"_s.arg(i + 1));
        m_answerGroup->addButton(b, i);
        m_answerButtons[size_t(i)] = b;
    }
    m_answerItems = {u"Item0"_s, u"Item1"_s};
    // idClicked comes only from the player's click, never from selection set in code.
    connect(m_answerGroup, &QButtonGroup::idClicked, this, &GameWindow::answerChosen);

    m_prize = new QLabel(this);
    m_prize->setObjectName(u"_Summa"_s);
    m_prize->setGeometry(392, 552, 169, 21);
    m_prize->setAlignment(Qt::AlignCenter);
    m_prize->setFont(Fonts::font(Fonts::Family::NewsGothic, 16));
    setTextColour(m_prize, Yellow);
    m_prize->setText(u"_Summa"_s);
    m_prize->setAccessibleName(u"Выигрыш"_s);

    m_scoreboardTitle = label(u"Label1"_s, QPoint(696, 520), gothic, White);
    m_scoreboardTitle->setText(u"Время:"_s);
    m_scoreboardTitle->adjustSize();
    m_scoreboard = label(u"Label2"_s, QPoint(736, 552), Fonts::font(Fonts::Family::Terminal, 21, true), Aqua);
    m_scoreboard->setText(u"Label2"_s);
    m_scoreboard->resize(56, 18);
    m_scoreboard->setAccessibleName(u"Часы раунда"_s);

    m_startButton = new QPushButton(u"Начинаем"_s, this);
    m_startButton->setObjectName(u"Button1"_s);
    m_startButton->setGeometry(656, 552, 75, 25);
    m_startButton->setAccessibleName(u"Начинаем"_s);
    connect(m_startButton, &QPushButton::clicked, this, &GameWindow::startPressed);

    QLabel *notice = label(u"Label3"_s, QPoint(8, 8), Fonts::font(Fonts::Family::Tahoma, 11), Fuchsia);
    notice->setText(u"© Команда «Зыбкоцепье», 2026"_s);
    notice->adjustSize();
    QLabel *edition = label(u"Label4"_s, QPoint(736, 584), Fonts::font(Fonts::Family::MsSansSerif, 11), Red);
    edition->setText(u"вер. 1.0"_s);
    edition->adjustSize();

}

void GameWindow::buildKeys()
{
    // Space and Enter act on the control that has the focus, as in every dialog; B banks while
    // "БАНК!" is offered, M turns the sound off and on at any moment.
    auto shortcut = [this](QKeySequence key, auto slot) {
        auto *s = new QShortcut(key, this);
        connect(s, &QShortcut::activated, this, slot);
    };
    // 1 and 2 answer; while the vote is open, 1..8 vote against the player at that seat.
    for (int digit = 1; digit <= SeatCount; ++digit)
        shortcut(QKeySequence(Qt::Key_0 + digit), [this, digit] { digitPressed(digit); });
    for (auto key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter})
        shortcut(QKeySequence(key), &GameWindow::pressFocused);
    // On a Russian layout the same key (И) banks too: shortcuts fall back to the Latin letter.
    shortcut(QKeySequence(Qt::Key_B), [this] {
        if (m_bankButton->isVisible())
            m_bankButton->click();
    });
    shortcut(QKeySequence(Qt::Key_M), &GameWindow::toggleSound);
    // Play by ear: the host repeats the question (R), tells the time left (T) and who sits
    // where (N).
    shortcut(QKeySequence(Qt::Key_R), &GameWindow::repeatPressed);
    shortcut(QKeySequence(Qt::Key_T), &GameWindow::timePressed);
    shortcut(QKeySequence(Qt::Key_N), &GameWindow::seatsPressed);
    QLabel *speechKeys = keyHint(u"R — повтор, T — время, N — места"_s, QPoint(0, 28), this);
    speechKeys->setObjectName(u"SpeechKeys"_s);
    speechKeys->setAccessibleName(u"Клавиши ведущего: R — повторить вопрос, T — сколько осталось времени, N — кто за каким местом"_s);
    speechKeys->move(width() - 8 - speechKeys->width(), 28);
}

void GameWindow::toggleSound()
{
    // The stored setting is the one the settings window may have changed meanwhile.
    const bool on = !SoundSettings::isOn();
    SoundSettings::storeOn(on);
    if (m_sounds)
        m_sounds->setOn(on);
    showSoundState(on);
}

void GameWindow::showSoundState(bool on)
{
    m_soundKey->setText(on ? u"Звук: вкл. (M)"_s : u"Звук: выкл. (M)"_s);
    m_soundKey->setAccessibleName(on ? u"Звук включён, клавиша M"_s : u"Звук выключен, клавиша M"_s);
    m_soundKey->adjustSize();
    // Right-aligned in the top corner, across from the notice.
    m_soundKey->move(width() - 8 - m_soundKey->width(), 8);
}

void GameWindow::pressFocused()
{
    QWidget *focus = focusWidget();
    if (auto *button = qobject_cast<QAbstractButton *>(focus); button && button->isVisible() && button->isEnabled())
        button->click();
    else if (auto *seat = qobject_cast<SeatLabel *>(focus))
        seat->press();
    else if (m_startButton->isVisible())
        m_startButton->click();
}

void GameWindow::answerByKey(int index)
{
    QRadioButton *b = m_answerButtons[size_t(index)];
    if (m_answers->isVisible() && m_answers->isEnabled())
        b->click();
}

// --- Events forwarded to the engine ---

void GameWindow::startPressed() { m_engine.startPressed(); }
void GameWindow::bankPressed() { m_engine.bankPressed(); }
void GameWindow::answerChosen(int answer) { m_engine.answerChosen(m_engine.state().table.playerSeat, answer); }
void GameWindow::seatClicked(int seat) { m_engine.seatVoted(m_engine.state().table.playerSeat, seat); }
void GameWindow::reportFailure(const Status &status) { ErrorReport::show(this, status); }

void GameWindow::windowClosed()
{
    m_engine.windowClosed();
    Q_EMIT closed();
}

void GameWindow::closeEvent(QCloseEvent *event)
{
    windowClosed();
    event->accept();
}

QLabel *GameWindow::keyHint(const QString &key, QPoint at, QWidget *parent)
{
    auto *hint = new QLabel(key, parent);
    hint->setFont(Fonts::font(Fonts::Family::MsSansSerif, 11));
    setTextColour(hint, Grey);
    hint->move(at);
    hint->adjustSize();
    hint->setAccessibleName(u"Клавиша: %1"_s.arg(key));
    return hint;
}

void GameWindow::buildCues()
{
    m_turnRing = new TurnRing(this);
    m_turnRing->setObjectName(u"TurnRing"_s);
    // Over the picture, under the names.
    m_turnRing->stackUnder(m_seatNames[1]);

    const QFont cueFont = Fonts::font(Fonts::Family::CenturyGothic, 18, true);
    m_yourTurn = label(u"YourTurn"_s, QPoint(352, 440), cueFont, Yellow);
    m_yourTurn->setText(u"Ваш ход"_s);
    // Between the narration's frame and the answers' frame, touching neither.
    m_yourTurn->setGeometry(352, 441, 249, 24);
    m_yourTurn->setAlignment(Qt::AlignCenter);
    m_yourTurn->hide();

    // In the answers' frame, which the vote leaves empty: two lines have room there.
    m_voteInvitation = label(u"VoteInvitation"_s, QPoint(352, 472), Fonts::font(Fonts::Family::MsSansSerif, 13, true),
                             Yellow);
    m_voteInvitation->setText(u"Голосование: щёлкните по имени игрока, которого хотите выгнать"_s);
    m_voteInvitation->setGeometry(352, 472, 249, 57);
    m_voteInvitation->setAlignment(Qt::AlignCenter);
    m_voteInvitation->setWordWrap(true);
    m_voteInvitation->hide();

    // What the host says, told to a screen reader as it is said.
    m_announcer = new Announcer(this);
    // Where Space and Enter go, plainly visible on the black table.
    new FocusMark(this);

    // What the player's keys do, by the controls they press.
    keyHint(u"1"_s, QPoint(AnswerKeyLeft, 8), m_answers);
    keyHint(u"2"_s, QPoint(AnswerKeyLeft, 32), m_answers);
    // The keys of the two buttons show and hide with them.
    m_bankKey = keyHint(u"B"_s, QPoint(180, 486), this);
    m_bankKey->setObjectName(u"BankKey"_s);
    m_bankKey->setVisible(m_bankButton->isVisibleTo(this));
    m_startKey = keyHint(u"Enter"_s, QPoint(612, 558), this);
    m_startKey->setObjectName(u"StartKey"_s);
    m_soundKey = keyHint(u"M"_s, QPoint(0, 8), this);
    m_soundKey->setObjectName(u"SoundKey"_s);
    showSoundState(SoundSettings::isOn());

    // The answers look inactive when the player may not choose.
    QPalette pal = m_answers->palette();
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        pal.setColor(QPalette::Disabled, role, QColor(100, 100, 100));
    pal.setColor(QPalette::Disabled, QPalette::Base, QColor(60, 60, 60));
    for (QRadioButton *b : m_answerButtons) {
        QPalette own = b->palette();
        for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text, QPalette::Base})
            own.setColor(QPalette::Disabled, role, pal.color(QPalette::Disabled, role));
        b->setPalette(own);
    }

    m_clockPulse = new QTimer(this);
    m_clockPulse->setInterval(250);
    connect(m_clockPulse, &QTimer::timeout, this, [this] {
        m_clockBright = !m_clockBright;
        setTextColour(m_scoreboard, m_clockBright ? QColor(255, 90, 90) : QColor(190, 0, 0));
    });

    const QString endStyle = u"QPushButton { color: rgb(255, 215, 0); background: rgb(0, 90, 40);"
                             " border: 2px solid rgb(255, 215, 0); border-radius: 8px; }"
                             "QPushButton:pressed { background: rgb(0, 140, 60); }"_s;
    m_toMenu = new QPushButton(u"В меню"_s, this);
    m_toMenu->setObjectName(u"ToMenu"_s);
    m_toMenu->setGeometry(360, 480, 112, 34);
    m_hallOfFame = new QPushButton(u"Зал почёта"_s, this);
    m_hallOfFame->setObjectName(u"HallOfFame"_s);
    m_hallOfFame->setGeometry(482, 480, 112, 34);
    for (QPushButton *b : {m_toMenu, m_hallOfFame}) {
        b->setFont(Fonts::font(Fonts::Family::CenturyGothic, 16, true));
        b->setStyleSheet(endStyle);
        b->hide();
    }
    connect(m_toMenu, &QPushButton::clicked, this, &QWidget::close);
    connect(m_hallOfFame, &QPushButton::clicked, this, &GameWindow::hallOfFameRequested);
}

void GameWindow::showAnswerCue()
{
    m_yourTurn->setVisible(m_answers->isVisible() && m_answers->isEnabled());
}

void GameWindow::setClockUrgent(bool urgent)
{
    if (!urgent) {
        m_clockPulse->stop();
    } else if (!m_clockPulse->isActive()) {
        m_clockBright = true;
        setTextColour(m_scoreboard, QColor(255, 90, 90));
        m_clockPulse->start();
    }
}

// --- TableScreen ---

void GameWindow::showSeatName(int seat, const QString &text)
{
    m_seatNames[size_t(seat)]->setText(text);
    // A screen reader says who sits there.
    m_seatNames[size_t(seat)]->setAccessibleName(u"Место %1: %2"_s.arg(seat).arg(text));
}
void GameWindow::setSeatNameShown(int seat, bool visible) { m_seatNames[size_t(seat)]->setVisible(visible); }
void GameWindow::showSeatVotes(int seat, const QString &text)
{
    m_seatVotes[size_t(seat)]->setText(text);
    const QString name = u"Голос игрока за местом %1"_s.arg(seat);
    m_seatVotes[size_t(seat)]->setAccessibleName(text.isEmpty() ? name : name + u": "_s + text);
}
void GameWindow::setSeatVotesShown(int seat, bool visible) { m_seatVotes[size_t(seat)]->setVisible(visible); }

void GameWindow::showBank(int sum)
{
    m_bankSum->setText(QString::number(sum));
    m_bankSum->adjustSize();
    m_bankSum->setAccessibleName(u"Банк: %1"_s.arg(sum));
}

void GameWindow::markChainStep(int step)
{
    for (int s = 1; s <= 10; ++s) {
        QLabel *label = m_chainSteps[size_t(s)];
        setTextColour(label, s == step ? Red : White);
        label->setAccessibleName(chainStepName(s, s == step));
    }
}

void GameWindow::showPrize(int total)
{
    m_prize->setText(QString::number(total));
    m_prize->setAccessibleName(u"Выигрыш: %1"_s.arg(total));
}
void GameWindow::setPrizeShown(bool shown) { m_prize->setVisible(shown); }

void GameWindow::setScoreboardTitle(const QString &title)
{
    m_scoreboardTitle->setText(title);
    m_scoreboardTitle->adjustSize();
}

void GameWindow::setScoreboardShown(bool shown) { m_scoreboard->setVisible(shown); }

void GameWindow::showDuelScore(int first, int second)
{
    setClockUrgent(false);
    setTextColour(m_scoreboard, Aqua);
    m_scoreboard->setText(u"%1:%2"_s.arg(first).arg(second));
    m_scoreboard->adjustSize();
    m_scoreboard->setAccessibleName(u"Счёт %1:%2"_s.arg(first).arg(second));
}

void GameWindow::setStartButtonText(const QString &text) { m_startButton->setText(text); }

void GameWindow::setStartButtonShown(bool shown)
{
    m_startButton->setVisible(shown);
    m_startKey->setVisible(shown);
    sayHint(StartHint, shown);
    // The next thing to do: the keyboard, and a screen reader, are taken there.
    if (shown && isVisible())
        m_startButton->setFocus(Qt::OtherFocusReason);
}

void GameWindow::offerBank(bool offered)
{
    m_bankButton->setVisible(offered);
    m_bankKey->setVisible(offered);
    sayHint(BankHint, offered);
}

void GameWindow::sayHint(const QString &hint, bool shown)
{
    if (!m_narrator)
        return;
    if (shown)
        m_narrator->hintShown(hint);
    else
        m_narrator->hintHidden(hint);
}

void GameWindow::setAnswersShown(bool shown)
{
    m_answers->setVisible(shown);
    showAnswerCue();
}

void GameWindow::clearNarration()
{
    m_narration->clear();
    m_narrationLines = 0;
}

void GameWindow::appendNarration(const QString &line)
{
    // A line of its own even when it is empty and the first: appendPlainText() would
    // drop blank lines at the top of an empty view.
    QTextCursor cursor(m_narration->document());
    cursor.movePosition(QTextCursor::End);
    if (m_narrationLines++ > 0)
        cursor.insertBlock();
    cursor.insertText(line);
    QScrollBar *bar = m_narration->verticalScrollBar();
    bar->setValue(bar->maximum());
    if (!line.isEmpty())
        m_lastLine = line;
}

void GameWindow::announce(const QString &words)
{
    if (!words.isEmpty() && isActiveWindow() && m_announcer)
        m_announcer->say(words);
}

void GameWindow::describeFocus(const QString &line)
{
    // The line becomes the description of the control that has the focus until the focus
    // moves on: a screen reader says it with the control.
    if (line.isEmpty() || !isActiveWindow())
        return;
    QWidget *focus = focusWidget() ? focusWidget() : this;
    if (!focus->property(FixedDescription).isValid())
        focus->setProperty(FixedDescription, focus->accessibleDescription());
    focus->setAccessibleDescription(line);
}

void GameWindow::restoreDescription(QWidget *widget)
{
    if (!widget || !widget->property(FixedDescription).isValid())
        return;
    widget->setAccessibleDescription(widget->property(FixedDescription).toString());
    widget->setProperty(FixedDescription, QVariant());
}

void GameWindow::clearAnswers()
{
    m_answerItems.clear();
    for (QRadioButton *b : m_answerButtons) {
        b->setText(QString());
        b->setStyleSheet(QString());
    }
    for (int i = 0; i < 2; ++i)
        m_answerButtons[size_t(i)]->setAccessibleName(u"Ответ %1"_s.arg(i + 1));
}

void GameWindow::appendAnswer(const QString &text)
{
    if (m_answerItems.size() >= 2)
        return;
    QRadioButton *button = m_answerButtons[size_t(m_answerItems.size())];
    // An answer too long for its line ends in "…" before the key hint; the narration, the
    // tooltip and a screen reader have it whole.
    QStyleOptionButton option;
    option.initFrom(button);
    const int room = button->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, button).width();
    const QString shown = button->fontMetrics().elidedText(text, Qt::ElideRight, room - 2);
    button->setText(literalButtonText(shown));
    button->setToolTip(shown == text ? QString() : text);
    button->setAccessibleName(u"Ответ %1: %2"_s.arg(m_answerItems.size() + 1).arg(text));
    m_answerItems.append(text);
}

void GameWindow::selectNoAnswer()
{
    m_answerGroup->setExclusive(false);
    for (QRadioButton *b : m_answerButtons)
        b->setChecked(false);
    m_answerGroup->setExclusive(true);
}

void GameWindow::setAnswersEnabled(bool enabled)
{
    m_answers->setEnabled(enabled);
    showAnswerCue();
    // The player's turn: the keyboard, and a screen reader, go to the first answer.
    if (enabled && m_answers->isVisible() && isVisible()) {
        m_answerButtons[0]->setFocus(Qt::OtherFocusReason);
        // Said with the answer the focus lands on: the question just put.
        describeFocus(m_lastLine);
    }
}

void GameWindow::showTable()
{
    // A new game: the last one's ways on are gone.
    m_toMenu->hide();
    m_hallOfFame->hide();
    // The settings window may have turned the sound off or on since the last game.
    showSoundState(SoundSettings::isOn());
    show();
    raise();
    activateWindow();
    if (m_startButton->isVisible())
        m_startButton->setFocus(Qt::OtherFocusReason);    // The sounds get ready while the player looks at the table, once it is drawn: the first
    // cue comes with "Начинаем" at the soonest (and loads them itself if it comes sooner).
    if (m_sounds)
        QTimer::singleShot(250, this, [this] { m_sounds->load(); });
}

void GameWindow::markAskedSeat(int seat)
{
    if (seat < 1 || seat > SeatCount) {
        m_turnRing->hide();
        return;
    }
    m_turnRing->surround(m_seatNames[size_t(seat)]->geometry());
    m_turnRing->show();
}

void GameWindow::showVerdict(int chosen, int right)
{
    // The chosen answer green when right, red when wrong; then the right one green.
    const QString mark = u"QRadioButton, QRadioButton:disabled { color: white; background: %1;"
                         " border-radius: 4px; font-weight: bold; }"_s;
    for (int i = 0; i < 2; ++i) {
        QRadioButton *b = m_answerButtons[size_t(i)];
        if (i == right)
            b->setStyleSheet(mark.arg(u"rgb(0, 140, 40)"_s));
        else if (i == chosen)
            b->setStyleSheet(mark.arg(u"rgb(200, 0, 0)"_s));
        else
            b->setStyleSheet(QString());
    }
}

void GameWindow::setVoteOpen(bool open)
{
    m_voteInvitation->setVisible(open);
    sayHint(VoteHint, open);
    for (int seat = 1; seat <= SeatCount; ++seat)
        m_seatNames[size_t(seat)]->setVoteOpen(open);
    // The keyboard goes to the first name the player may vote for; Tab goes round them.
    if (open && isVisible()) {
        const GameState &state = m_engine.state();
        for (int seat = 1; seat <= SeatCount; ++seat) {
            SeatLabel *name = m_seatNames[size_t(seat)];
            if (name->isVisible() && state.isOccupied(seat) && seat != state.table.playerSeat) {
                name->setFocus(Qt::OtherFocusReason);
                break;
            }
        }
    }
}

void GameWindow::showClock(int seconds)
{
    m_scoreboard->setText(QString::number(seconds));
    m_scoreboard->adjustSize();
    m_scoreboard->setAccessibleName(secondsLeftText(seconds));
    // The last ten seconds pulse in red; the end of the round stays red.
    const bool urgent = seconds > 0 && seconds <= 10;
    setClockUrgent(urgent);
    if (!urgent)
        setTextColour(m_scoreboard, seconds <= 0 ? Red : Aqua);
}

void GameWindow::showGameOver()
{
    m_yourTurn->hide();
    m_toMenu->show();
    m_hallOfFame->show();
    m_toMenu->setFocus();
}

void GameWindow::setVisible(bool visible)
{
    // The elements must exist before the window is shown: children made while it is
    // being shown would stay hidden.
    if (visible)
        ensureBuilt();
    QWidget::setVisible(visible);
}


// --- Playing by ear ---

void GameWindow::digitPressed(int digit)
{
    // While the vote is open the answers are hidden: a digit names a seat.
    if (m_engine.state().vote.open)
        seatClicked(digit);
    else if (digit <= 2)
        answerByKey(digit - 1);
}

void GameWindow::repeatPressed()
{
    if (!m_narrator)
        return;
    // The question while its answers are up; between rounds, what the host said last.
    if (m_answers->isVisibleTo(this)) {
        announce(m_narrator->question());
        m_narrator->repeatQuestion();
    } else {
        announce(m_narrator->lastWords().join(u' '));
        m_narrator->repeatLastWords();
    }
}

void GameWindow::timePressed()
{
    const GameState &state = m_engine.state();
    if (state.inDuel()) {
        answerAside(u"Счёт: %1 — %2, %3 — %4"_s.arg(state.duel.finalistA).arg(state.duel.scoreA)
                        .arg(state.duel.finalistB).arg(state.duel.scoreB));
    } else if (m_engine.timers().isActive(GameTimers::Timer::RoundClock)) {
        answerAside(Narrator::secondsLeft(state.round.secondsLeft));
    } else {
        answerAside(u"Раунд не идёт"_s);
    }
}

void GameWindow::seatsPressed()
{
    // The names as the table shows them: in the duel the two finalists face each other.
    const QString player = m_engine.state().table.playerName;
    QList<std::pair<int, QString>> seated;
    for (int seat = 1; seat <= SeatCount; ++seat) {
        const SeatLabel *name = m_seatNames[size_t(seat)];
        if (name->isHidden() || name->text().isEmpty())
            continue;
        seated.append({seat, name->text() == player ? name->text() + u", это вы"_s : name->text()});
    }
    answerAside(Narrator::seats(seated));
}

void GameWindow::answerAside(const QString &text)
{
    // Said by the host's voice when it is on, and told to a screen reader either way.
    announce(text);
    if (m_narrator)
        m_narrator->sayAside(text);
}
