#include "ui/table/GameWindow.h"

#include "core/text/RussianPlural.h"
#include "ui/look/AccessibleRoles.h"
#include "ui/look/ErrorReport.h"
#include "ui/look/Fonts.h"
#include "ui/look/WindowStyle.h"
#include "ui/sound/SoundControl.h"
#include "ui/sound/SoundSettings.h"
#include "ui/speech/Narrator.h"
#include "ui/table/AnswerFit.h"
#include "ui/table/SeatLabel.h"
#include "ui/table/TurnRing.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTextCursor>
#include <QTimer>

using namespace Qt::StringLiterals;
using namespace WindowStyle;

namespace {

// "Осталось 146 секунд", "Осталась 21 секунда".
QString secondsLeftText(int seconds)
{
    const QString noun = RussianPlural::choose(seconds, u"секунда"_s, u"секунды"_s, u"секунд"_s);
    return (noun == u"секунда" ? u"Осталась %1 %2"_s : u"Осталось %1 %2"_s).arg(seconds).arg(noun);
}

} // namespace

GameWindow::GameWindow(GameState &state, RandomSource &random, const Clock &clock, QDir dataDir, QWidget *parent,
                       GameTimers *timers)
    : LazyWindow(parent, WindowStyle::FixedWindow)
    , m_engine(state, random, clock, std::move(dataDir), QLocale(), timers)
{
    m_engine.addListener(&m_presenter);
    m_engine.addListener(&m_soundCues);
    m_engine.addListener(&m_questionsPut);
    setObjectName(u"fGame"_s);
    setWindowTitle(u"Зыбкоцепье"_s);
    setFixedSize(792, 600);
    WindowStyle::centreWhenShown(*this);
    AccessibleRoles::install();
    setFont(Fonts::font(Fonts::Family::MsSansSerif, 11));
}

void GameWindow::setNarrator(Narrator *narrator)
{
    m_keyboard.setNarrator(narrator);
    if (narrator)
        m_engine.addListener(narrator);
}

void GameWindow::setSounds(SoundControl *sounds)
{
    m_sounds = sounds;
    m_soundCues.setSounds(sounds);
    m_keyboard.setSounds(sounds);
}

GameEngine &GameWindow::engine()
{
    ensureBuilt();
    return m_engine;
}

void GameWindow::build()
{
    m_table.build(*this);
    // The narration's placeholder text is its first line.
    m_narrationLines = 1;
    m_answerItems = {u"Item0"_s, u"Item1"_s};
    m_keyboard.showSoundState(SoundSettings::isOn());
    m_keyboard.installKeys();

    m_clockPulse = new QTimer(this);
    m_clockPulse->setInterval(250);
    connect(m_clockPulse, &QTimer::timeout, this, [this] {
        m_clockBright = !m_clockBright;
        setTextColour(m_table.scoreboard, m_clockBright ? QColor(255, 90, 90) : QColor(190, 0, 0));
    });
    connectControls();
}

void GameWindow::connectControls()
{
    for (int seat = 1; seat <= SeatCount; ++seat)
        connect(m_table.seatNames[size_t(seat)], &SeatLabel::clicked, this, [this, seat] { seatClicked(seat); });
    connect(m_table.bankButton, &QPushButton::clicked, this, &GameWindow::bankPressed);
    // idClicked comes only from the player's click, never from selection set in code.
    connect(m_table.answerGroup, &QButtonGroup::idClicked, this, &GameWindow::answerChosen);
    connect(m_table.startButton, &QPushButton::clicked, this, &GameWindow::startPressed);
    connect(m_table.toMenu, &QPushButton::clicked, this, &QWidget::close);
    connect(m_table.hallOfFame, &QPushButton::clicked, this, &GameWindow::hallOfFameRequested);
    connect(m_table.gameQuestions, &QPushButton::clicked, this, &GameWindow::showGameQuestions);
}

void GameWindow::showGameQuestions()
{
    auto *dialog = new GameQuestionsDialog(m_questionsPut.questions, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &GameQuestionsDialog::questionChosen, this, &GameWindow::questionEditRequested);
    dialog->open();
}

void GameWindow::showTable()
{
    // A new game: the last one's ways on are gone.
    m_table.toMenu->hide();
    m_table.hallOfFame->hide();
    m_table.gameQuestions->hide();
    // The settings window may have turned the sound off or on since the last game.
    m_keyboard.showSoundState(SoundSettings::isOn());
    show();
    raise();
    activateWindow();
    if (m_table.startButton->isVisible())
        m_table.startButton->setFocus(Qt::OtherFocusReason);
    // The sounds get ready while the player looks at the table, once it is drawn: the first
    // cue comes with "Начинаем" at the soonest (and loads them itself if it comes sooner).
    if (m_sounds)
        QTimer::singleShot(250, this, [this] { m_sounds->load(); });
}

// --- The player's clicks, forwarded to the engine ---

void GameWindow::startPressed() { m_engine.startPressed(); }
void GameWindow::bankPressed() { m_engine.bankPressed(m_engine.state().table.playerSeat); }
void GameWindow::answerChosen(int answer) { m_engine.answerChosen(m_engine.state().table.playerSeat, answer); }
void GameWindow::seatClicked(int seat) { m_engine.seatVoted(m_engine.state().table.playerSeat, seat); }

void GameWindow::closeEvent(QCloseEvent *event)
{
    m_engine.windowClosed();
    Q_EMIT closed();
    event->accept();
}

// --- TableScreen ---

void GameWindow::showSeatName(int seat, const QString &text)
{
    SeatLabel *name = m_table.seatNames[size_t(seat)];
    name->showName(text);
    // A screen reader says who sits there.
    name->setAccessibleName(u"Место %1: %2"_s.arg(seat).arg(text));
}

void GameWindow::setSeatNameShown(int seat, bool visible) { m_table.seatNames[size_t(seat)]->setVisible(visible); }

void GameWindow::showSeatVotes(int seat, const QString &text)
{
    QLabel *votes = m_table.seatVotes[size_t(seat)];
    votes->setText(text);
    const QString name = u"Голос игрока за местом %1"_s.arg(seat);
    votes->setAccessibleName(text.isEmpty() ? name : name + u": "_s + text);
}

void GameWindow::setSeatVotesShown(int seat, bool visible) { m_table.seatVotes[size_t(seat)]->setVisible(visible); }

void GameWindow::showBank(int sum)
{
    m_table.bankSum->setText(QString::number(sum));
    m_table.bankSum->adjustSize();
    m_table.bankSum->setAccessibleName(u"Банк: %1"_s.arg(sum));
}

void GameWindow::markChainStep(int step)
{
    for (int s = 1; s <= 10; ++s) {
        QLabel *label = m_table.chainSteps[size_t(s)];
        setTextColour(label, s == step ? Red : White);
        label->setAccessibleName(TableWidgets::chainStepName(s, s == step));
    }
}

void GameWindow::showPrize(int total)
{
    m_table.prize->setText(QString::number(total));
    m_table.prize->setAccessibleName(u"Выигрыш: %1"_s.arg(total));
}

void GameWindow::setPrizeShown(bool shown) { m_table.prize->setVisible(shown); }

void GameWindow::setScoreboardTitle(const QString &title)
{
    m_table.scoreboardTitle->setText(title);
    m_table.scoreboardTitle->adjustSize();
}

void GameWindow::setScoreboardShown(bool shown) { m_table.scoreboard->setVisible(shown); }

void GameWindow::showClock(int seconds)
{
    QLabel *clock = m_table.scoreboard;
    clock->setText(QString::number(seconds));
    clock->adjustSize();
    clock->setAccessibleName(secondsLeftText(seconds));
    // The last ten seconds pulse in red; the end of the round stays red.
    const bool urgent = seconds > 0 && seconds <= 10;
    setClockUrgent(urgent);
    if (!urgent)
        setTextColour(clock, seconds <= 0 ? Red : Aqua);
}

void GameWindow::setClockUrgent(bool urgent)
{
    if (!urgent) {
        m_clockPulse->stop();
    } else if (!m_clockPulse->isActive()) {
        m_clockBright = true;
        setTextColour(m_table.scoreboard, QColor(255, 90, 90));
        m_clockPulse->start();
    }
}

void GameWindow::showDuelScore(int first, int second)
{
    setClockUrgent(false);
    QLabel *score = m_table.scoreboard;
    setTextColour(score, Aqua);
    score->setText(u"%1:%2"_s.arg(first).arg(second));
    score->adjustSize();
    score->setAccessibleName(u"Счёт %1:%2"_s.arg(first).arg(second));
}

void GameWindow::setStartButtonText(const QString &text) { m_table.startButton->setText(text); }

void GameWindow::setStartButtonShown(bool shown)
{
    m_table.startButton->setVisible(shown);
    m_table.startKey->setVisible(shown);
    m_keyboard.setOffered(KeyboardPlay::Offer::Start, shown);
    // The next thing to do: the keyboard, and a screen reader, are taken there.
    if (shown && isVisible())
        m_table.startButton->setFocus(Qt::OtherFocusReason);
}

void GameWindow::offerBank(bool offered)
{
    m_table.bankButton->setVisible(offered);
    m_table.bankKey->setVisible(offered);
    m_keyboard.setOffered(KeyboardPlay::Offer::Bank, offered);
}

void GameWindow::clearNarration()
{
    m_table.narration->clear();
    m_narrationLines = 0;
}

void GameWindow::appendNarration(const QString &line)
{
    // A line of its own even when it is empty and the first: appendPlainText() would
    // drop blank lines at the top of an empty view.
    QTextCursor cursor(m_table.narration->document());
    cursor.movePosition(QTextCursor::End);
    if (m_narrationLines++ > 0)
        cursor.insertBlock();
    cursor.insertText(line);
    QScrollBar *bar = m_table.narration->verticalScrollBar();
    bar->setValue(bar->maximum());
    if (!line.isEmpty())
        m_lastLine = line;
}

void GameWindow::setAnswersShown(bool shown)
{
    m_table.answers->setVisible(shown);
    showAnswerCue();
}

void GameWindow::showAnswerCue()
{
    m_table.yourTurn->setVisible(m_table.answers->isVisible() && m_table.answers->isEnabled());
}

void GameWindow::clearAnswers()
{
    m_answerItems.clear();
    for (int i = 0; i < 2; ++i) {
        QRadioButton *b = m_table.answerButtons[size_t(i)];
        b->setText(QString());
        b->setStyleSheet(QString());
        b->setAccessibleName(u"Ответ %1"_s.arg(i + 1));
    }
}

void GameWindow::appendAnswer(const QString &text)
{
    if (m_answerItems.size() >= 2)
        return;
    QRadioButton *button = m_table.answerButtons[size_t(m_answerItems.size())];
    // A long answer goes on two lines or in smaller type; the narration, the tooltip and a
    // screen reader have it whole.
    QStyleOptionButton option;
    option.initFrom(button);
    const QRect room = button->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, button);
    const FittedAnswer fitted = fitAnswer(text, m_table.answerFont, room.width(), room.height());
    QFont font = m_table.answerFont;
    font.setPixelSize(fitted.pixelSize);
    button->setFont(font);
    button->setText(literalButtonText(fitted.text));
    button->setToolTip(fitted.whole ? QString() : text);
    button->setAccessibleName(u"Ответ %1: %2"_s.arg(m_answerItems.size() + 1).arg(text));
    m_answerItems.append(text);
}

void GameWindow::selectNoAnswer()
{
    m_table.answerGroup->setExclusive(false);
    for (QRadioButton *b : m_table.answerButtons)
        b->setChecked(false);
    m_table.answerGroup->setExclusive(true);
}

void GameWindow::setAnswersEnabled(bool enabled)
{
    m_table.answers->setEnabled(enabled);
    showAnswerCue();
    // The player's turn: the keyboard, and a screen reader, go to the first answer.
    if (enabled && m_table.answers->isVisible() && isVisible()) {
        m_table.answerButtons[0]->setFocus(Qt::OtherFocusReason);
        // Said with the answer the focus lands on: the question just put.
        m_keyboard.describeFocus(m_lastLine);
    }
}

void GameWindow::markAskedSeat(int seat)
{
    if (seat < 1 || seat > SeatCount) {
        m_table.turnRing->hide();
        return;
    }
    m_table.turnRing->surround(m_table.seatNames[size_t(seat)]->geometry());
    m_table.turnRing->show();
}

void GameWindow::showVerdict(int chosen, int right)
{
    // The chosen answer green when right, red when wrong; then the right one green.
    const QString mark = u"QRadioButton, QRadioButton:disabled { color: white; background: %1;"
                         " border-radius: 4px; font-weight: bold; }"_s;
    for (int i = 0; i < 2; ++i) {
        QRadioButton *b = m_table.answerButtons[size_t(i)];
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
    m_table.voteInvitation->setVisible(open);
    m_keyboard.setOffered(KeyboardPlay::Offer::Vote, open);
    for (int seat = 1; seat <= SeatCount; ++seat)
        m_table.seatNames[size_t(seat)]->setVoteOpen(open);
    // The keyboard goes to the first name the player may vote for; Tab goes round them.
    if (open && isVisible()) {
        const GameState &state = m_engine.state();
        for (int seat = 1; seat <= SeatCount; ++seat) {
            SeatLabel *name = m_table.seatNames[size_t(seat)];
            if (name->isVisible() && state.isOccupied(seat) && seat != state.table.playerSeat) {
                name->setFocus(Qt::OtherFocusReason);
                break;
            }
        }
    }
}

void GameWindow::showGameOver()
{
    m_table.yourTurn->hide();
    m_table.toMenu->show();
    m_table.hallOfFame->show();
    m_table.gameQuestions->setVisible(!m_questionsPut.questions.isEmpty());
    m_table.toMenu->setFocus();
}

void GameWindow::reportFailure(const Status &status) { ErrorReport::show(this, status); }
