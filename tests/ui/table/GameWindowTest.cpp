// The real game window on the offscreen platform: its elements, and whole rounds and a
// quick final played through it with the timers fired by the test.
#include "EngineTimers.h"
#include "FixedClock.h"
#include "ScriptedRandom.h"
#include "TestSupport.h"
#include "core/data/LineStore.h"
#include "core/engine/EventLoopTimers.h"
#include "core/data/WinnersFile.h"
#include "ui/look/ErrorReport.h"
#include "ui/table/GameWindow.h"
#include "ui/table/SeatLabel.h"
#include "ui/table/TableLayout.h"
#include "ui/speech/Narrator.h"
#include "../speech/RecordingSpeech.h"

#include <QAccessible>
#include <QApplication>
#include <QEnterEvent>
#include <QGroupBox>
#include <QSignalSpy>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// Counts the times a widget is shown.
class ShowCounter : public QObject
{
public:
    explicit ShowCounter(int &shown) : m_shown(shown) {}
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            ++m_shown;
        return false;
    }

private:
    int &m_shown;
};

// What the chain holds at each step 0..10, as the rules give it.
constexpr int ChainValues[] = {0, 500, 1000, 2000, 3000, 5000, 10000, 15000, 20000, 30000, 50000};

QByteArray namesBase()
{
    return TestSupport::cp1251(u"Анна\r\nБорис\r\nВера\r\nГлеб\r\nДарья\r\nЕгор\r\nЖанна\r\nЗахар\r\nИрина\r\n"_s);
}

} // namespace

class GameWindowTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    GameState m_state;
    SystemRandom m_random{7};
    FixedClock m_clock;
    std::unique_ptr<GameWindow> m_window;
    QStringList m_errors;
    int m_ticks = 0;

    template <typename T = QWidget>
    T *child(const QString &name) const
    {
        T *w = m_window->findChild<T *>(name);
        if (!w)
            qFatal("no element %s", qPrintable(name));
        return w;
    }

    void newGame(const QString &player = u"Тестер"_s)
    {
        m_state.table.playerName = player;
        LineStore names;
        QVERIFY(m_window->engine().newGame(names).ok());
        m_window->showTable();
    }

    bool fireNextTimer() { return ::fireNextTimer(m_window->engine(), m_ticks); }
    const QTimer &timer(GameTimers::Timer t) const
    {
        return static_cast<const EventLoopTimers &>(m_window->engine().timers()).timer(t);
    }

    // Plays on, answering whenever asked, until `done` holds or `events` have passed.
    void playUntil(const bool &done, int events)
    {
        for (int i = 0; i < events && !done; ++i) {
            answerIfAsked();
            QVERIFY(fireNextTimer());
        }
    }

    // Answers with the first item whenever the player is asked.
    void answerIfAsked()
    {
        auto *group = child<QGroupBox>(u"RadioGroup1"_s);
        if (group->isVisible() && group->isEnabled())
            QTest::mouseClick(child<QRadioButton>(u"RadioGroup1Item0"_s), Qt::LeftButton, {}, QPoint(8, 10));
    }

private Q_SLOTS:
    void initTestCase()
    {
        ErrorReport::setHandler([this](QWidget *, const Status &s) { m_errors << s.message; });
    }

    void init()
    {
        QVERIFY(m_dir.isValid());
        TestSupport::writeFile(m_dir.filePath(u"Vopros.txt"_s), TestSupport::questionBase(40));
        TestSupport::writeFile(m_dir.filePath(u"names.txt"_s), namesBase());
        QFile::remove(m_dir.filePath(u"best.txt"_s));
        m_state.setStartValues();
        m_window = std::make_unique<GameWindow>(m_state, m_random, m_clock, QDir(m_dir.path()));
        m_window->ensureBuilt();
        m_errors.clear();
    }

    void cleanup() { m_window.reset(); }

    void elementsStandWhereTheyBelong_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        const QPoint seats[] = {{184, 328}, {192, 224}, {216, 120}, {344, 48},
                                {504, 56},  {632, 128}, {656, 232}, {664, 336}};
        for (int i = 0; i < 8; ++i) {
            const QString name = u"Name%1"_s.arg(i + 1);
            QTest::newRow(qPrintable(name)) << name << QRect(seats[i], QSize(97, 17));
            const QString vote = u"_Name%1"_s.arg(i + 1);
            QTest::newRow(qPrintable(vote)) << vote << QRect(seats[i] + QPoint(0, 24), QSize(97, 17));
        }
        QTest::newRow("RichEdit1") << u"RichEdit1"_s << QRect(352, 128, 249, 305);
        QTest::newRow("RadioGroup1") << u"RadioGroup1"_s << QRect(352, 472, 249, 57);
        QTest::newRow("Button1") << u"Button1"_s << QRect(656, 552, 75, 25);
        // "БАНК!" is drawn large beside the foot of the chain, where the player sees it.
        QTest::newRow("Button2") << u"Button2"_s << QRect(24, 476, 150, 34);
        QTest::newRow("_Summa") << u"_Summa"_s << QRect(392, 552, 169, 21);
        QTest::newRow("Image1") << u"Image1"_s << QRect(0, 0, 792, 600);
    }

    void elementsStandWhereTheyBelong()
    {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QCOMPARE(child(name)->geometry(), geometry);
    }

    void chainLabelsStandDownTheLeftColumn()
    {
        const std::pair<const char16_t *, int> chain[] = {{u"_50000", 72}, {u"_30000", 112}, {u"_20000", 152},
                                                          {u"_15000", 192}, {u"_10000", 232}, {u"_5000", 272},
                                                          {u"_3000", 312}, {u"_2000", 352}, {u"_1000", 392},
                                                          {u"_500", 432}};
        for (const auto &[name, top] : chain) {
            auto *l = child<QLabel>(QString::fromUtf16(name));
            QCOMPARE(l->pos(), QPoint(24, top));
            QCOMPARE(l->height(), 28);
        }
        QCOMPARE(child<QLabel>(u"_50000"_s)->text(), u"50,000"_s);
        QCOMPARE(m_window->size(), QSize(792, 600));
    }

    void textStaysClearOfTheTablesFramesAndKeyHints()
    {
        using namespace TableLayout;
        TableScreen &view = *m_window;
        m_window->show();
        // Inside a frame: clear of its 2-pixel line on every side.
        const auto inside = [](const QRect &text, const QRectF &frame) {
            return frame.adjusted(2, 2, -2, -2).contains(QRectF(text));
        };
        const auto textBox = [](const QLabel *l) { return QRect(l->pos(), l->sizeHint().expandedTo(l->size())); };
        view.showBank(450000);
        for (const QString &name : {u"_50000"_s, u"_30000"_s, u"_10000"_s, u"_500"_s, u"Label12"_s, u"Bank"_s})
            QVERIFY2(inside(textBox(child<QLabel>(name)), ChainFrame), qPrintable(name));
        // The edition stays inside the picture's frame line round the edge, clear of the clock.
        const QRect edition = textBox(child<QLabel>(u"Label4"_s));
        QVERIFY(inside(edition, QRectF(2.5, 2.5, 786, 594)) && edition.top() > textBox(child<QLabel>(u"Label2"_s)).bottom());
        // A name of twelve letters keeps clear of the edge of the plate behind it.
        view.showSeatName(3, u"Александрина"_s);
        auto *twelve = child<QLabel>(u"Name3"_s);
        QVERIFY(twelve->fontMetrics().horizontalAdvance(twelve->text()) <= twelve->width() - 10);
        auto *invitation = child<QLabel>(u"VoteInvitation"_s);
        QVERIFY(inside(invitation->geometry(), AnswerFrame));
        QVERIFY(invitation->heightForWidth(invitation->width()) <= invitation->height());
        const QRect yourTurn = child(u"YourTurn"_s)->geometry();
        QVERIFY(yourTurn.top() > NarrationFrame.bottom() + 1 && yourTurn.bottom() < AnswerFrame.top() - 1);

        // Every shipped answer is shown whole in the real fonts, in bold as the verdict shows
        // it: on its line or on two, clear of the key hint beside it.
        LineStore base;
        QVERIFY(base.load(QStringLiteral(ZYB_SOURCE_DIR "/resources/Vopros.txt")).ok());
        const auto hints = child(u"RadioGroup1"_s)->findChildren<QLabel *>();
        auto *first = child<QRadioButton>(u"RadioGroup1Item0"_s);
        for (const QRadioButton *answer : {first, child<QRadioButton>(u"RadioGroup1Item1"_s)}) {
            for (const QLabel *hint : hints)
                QVERIFY(!answer->geometry().intersects(hint->geometry()));
        }
        QStyleOptionButton option;
        option.initFrom(first);
        const QRect room = first->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, first);
        int shown = 0;
        for (int i = 0; i + 3 < base.count(); ++i) {
            if (base.at(i) != u"?")
                continue;
            for (const QString &answer : {base.at(i + 2), base.at(i + 3)}) {
                view.clearAnswers();
                view.appendAnswer(answer);
                QFont bold = first->font();
                bold.setBold(true);
                const QFontMetrics metrics(bold);
                const QStringList lines = first->text().split(u'\n');
                QVERIFY2(lines.join(u' ') == answer && lines.size() <= 2, qPrintable(first->text()));
                QVERIFY2(lines.size() * metrics.lineSpacing() <= room.height(), qPrintable(answer));
                for (const QString &line : lines)
                    QVERIFY2(metrics.horizontalAdvance(line) <= room.width(), qPrintable(answer));
                ++shown;
            }
        }
        QVERIFY(shown > 7000);

        // An answer longer than two lines ends in "…" and is whole for a screen reader.
        const QString longAnswer = u"Очень длинный ответ, который никак не помещается ни в одну, ни в две строки, "
                                   "сколько бы их ни было у этой кнопки"_s;
        view.clearAnswers();
        view.appendAnswer(longAnswer);
        view.appendAnswer(u"Нет"_s);
        view.setAnswersShown(true);
        QVERIFY(first->text().endsWith(u"…"_s));
        QCOMPARE(first->toolTip(), longAnswer);
        QCOMPARE(first->accessibleName(), u"Ответ 1: "_s + longAnswer);
        QCOMPARE(child<QRadioButton>(u"RadioGroup1Item1"_s)->text(), u"Нет"_s);
    }

    void newGameBringsTheWindowToItsStartingState()
    {
        newGame();
        QVERIFY(m_window->isVisible());
        for (int seat = 1; seat <= 8; ++seat) {
            QVERIFY(child(u"Name%1"_s.arg(seat))->isVisible());
            QCOMPARE(child<QLabel>(u"Name%1"_s.arg(seat))->text(), m_state.table.seatNames[seat]);
            QVERIFY(!child(u"_Name%1"_s.arg(seat))->isVisible());
        }
        QVERIFY(!child(u"_Summa"_s)->isVisible());
        QVERIFY(!child(u"Label2"_s)->isVisible());
        QVERIFY(!child(u"RadioGroup1"_s)->isVisible());
        QVERIFY(!child(u"Button2"_s)->isVisible());
        QVERIFY(child(u"Button1"_s)->isVisible());
        QCOMPARE(child<QPushButton>(u"Button1"_s)->text(), u"Начинаем"_s);
        QCOMPARE(child<QLabel>(u"Label1"_s)->text(), u"Время:"_s);
        QCOMPARE(child<QLabel>(u"Bank"_s)->text(), u"0"_s);
        QVERIFY(child<QPlainTextEdit>(u"RichEdit1"_s)->toPlainText().startsWith(u"Добро пожаловать на программу ЗЫБКОЦЕПЬЕ"_s));
        for (const char16_t *chain : {u"_500", u"_10000", u"_50000"})
            QCOMPARE(child<QLabel>(QString::fromUtf16(chain))->palette().color(QPalette::WindowText), QColor(Qt::white));
    }

    void viewOperationsChangeWhatTheWindowShows()
    {
        TableScreen &view = *m_window;
        m_window->show();
        const std::pair<void (TableScreen::*)(bool), const char16_t *> elements[] = {
            {&TableScreen::setPrizeShown, u"_Summa"}, {&TableScreen::setScoreboardShown, u"Label2"},
            {&TableScreen::setStartButtonShown, u"Button1"}, {&TableScreen::offerBank, u"Button2"},
            {&TableScreen::setAnswersShown, u"RadioGroup1"}};
        for (const auto &[show, name] : elements) {
            for (bool visible : {false, true, false}) {
                (view.*show)(visible);
                QCOMPARE(child(QString::fromUtf16(name))->isVisible(), visible);
            }
        }
        for (bool visible : {true, false}) {
            view.setSeatNameShown(3, visible);
            view.setSeatVotesShown(3, visible);
            QCOMPARE(child(u"Name3"_s)->isVisible(), visible);
            QCOMPARE(child(u"_Name3"_s)->isVisible(), visible);
        }

        // The narration keeps a first empty line, and every line as it stands.
        auto *narration = child<QPlainTextEdit>(u"RichEdit1"_s);
        view.clearNarration();
        view.appendNarration(QString());
        view.appendNarration(u"<b>Вася</b>:"_s);
        QCOMPARE(narration->toPlainText(), u"\n<b>Вася</b>:"_s);

        // Answers and names are shown as they stand: no markup, no shortcut marks.
        view.clearAnswers();
        view.appendAnswer(u"Procter & Gamble"_s);
        view.appendAnswer(u"<i>Unilever</i>"_s);
        QCOMPARE(child(u"RadioGroup1Item0"_s)->accessibleName(), u"Ответ 1: Procter & Gamble"_s);
        QCOMPARE(child(u"RadioGroup1Item1"_s)->accessibleName(), u"Ответ 2: <i>Unilever</i>"_s);
        QCOMPARE(child<QRadioButton>(u"RadioGroup1Item0"_s)->text(), u"Procter && Gamble"_s);
        view.showSeatName(1, u"<b>Вася</b>"_s);
        QCOMPARE(child<QLabel>(u"Name1"_s)->text(), u"<b>Вася</b>"_s);
        // Drawn with its tags as letters: rich text would draw only a bold "Вася", narrower.
        auto *name = child<QLabel>(u"Name1"_s);
        QVERIFY(name->sizeHint().width() >= name->fontMetrics().horizontalAdvance(u"<b>Вася</b>"_s));

        // Clearing the choice leaves no answer marked, and the next question starts unmarked.
        view.setAnswersEnabled(true);
        QTest::mouseClick(child<QRadioButton>(u"RadioGroup1Item1"_s), Qt::LeftButton, {}, QPoint(8, 10));
        QVERIFY(child<QRadioButton>(u"RadioGroup1Item1"_s)->isChecked());
        view.selectNoAnswer();
        for (const char16_t *item : {u"RadioGroup1Item0", u"RadioGroup1Item1"})
            QVERIFY(!child<QRadioButton>(QString::fromUtf16(item))->isChecked());
        view.setAnswersEnabled(false);
        QVERIFY(!child(u"RadioGroup1"_s)->isEnabled());
    }

    void theTableShowsWhoIsAskedWhoMayAnswerBankAndVote()
    {
        TableScreen &view = *m_window;
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));

        // The seat being asked has a ring round its name.
        auto *ring = child(u"TurnRing"_s);
        view.markAskedSeat(3);
        QVERIFY(ring->isVisible());
        QVERIFY(ring->geometry().contains(child(u"Name3"_s)->geometry()));
        view.markAskedSeat(6);
        QVERIFY(ring->geometry().contains(child(u"Name6"_s)->geometry()));
        view.markAskedSeat(0);
        QVERIFY(!ring->isVisible());

        // "Ваш ход" only while the player may answer; the answers look inactive otherwise.
        auto *item = child<QRadioButton>(u"RadioGroup1Item0"_s);
        view.setAnswersShown(true);
        view.setAnswersEnabled(false);
        QVERIFY(!child(u"YourTurn"_s)->isVisible());
        const QColor inactive = item->palette().color(QPalette::Disabled, QPalette::WindowText);
        const QColor active = item->palette().color(QPalette::Active, QPalette::WindowText);
        QCOMPARE(active, QColor(0, 255, 0));
        QCOMPARE(inactive.saturation(), 0);  // grey
        QVERIFY(inactive.lightness() < active.lightness());
        view.setAnswersEnabled(true);
        QVERIFY(child(u"YourTurn"_s)->isVisible());
        view.setAnswersShown(false);
        QVERIFY(!child(u"YourTurn"_s)->isVisible());

        // The keys show with their buttons.
        for (bool shown : {true, false}) {
            view.offerBank(shown);
            view.setStartButtonShown(shown);
            QCOMPARE(child(u"BankKey"_s)->isVisible(), shown);
            QCOMPARE(child(u"StartKey"_s)->isVisible(), shown);
        }

        // The vote invites a click, and a name lights up under the pointer only then.
        auto *seat = child<SeatLabel>(u"Name2"_s);
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(seat, &enter);
        QVERIFY(!seat->isLit());
        view.setVoteOpen(true);
        QVERIFY(child(u"VoteInvitation"_s)->isVisible());
        QApplication::sendEvent(seat, &enter);
        QCOMPARE(seat->look(), SeatLabel::Look::Pointed);
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(seat, &leave);
        QVERIFY(!seat->isLit());
        // The pointer anywhere on the seat's oval points at it; the keyboard's focus looks
        // otherwise, so a name pointed at and another with the focus never look alike.
        QApplication::sendEvent(child(u"Oval2"_s), &enter);
        QCOMPARE(seat->look(), SeatLabel::Look::Pointed);
        seat->setFocus();
        QCOMPARE(seat->look(), SeatLabel::Look::Focused);
        view.setVoteOpen(false);
        QVERIFY(!seat->isLit());
        QVERIFY(!child(u"VoteInvitation"_s)->isVisible());
    }

    void answersClockAndEndOfGameSpeakForThemselves()
    {
        TableScreen &view = *m_window;
        m_window->show();
        auto *first = child<QRadioButton>(u"RadioGroup1Item0"_s);
        auto *second = child<QRadioButton>(u"RadioGroup1Item1"_s);

        // A wrong choice is red and the right answer green, until the next question.
        view.showVerdict(1, 0);
        QVERIFY(first->styleSheet().contains(u"rgb(0, 140, 40)"_s));
        QVERIFY(second->styleSheet().contains(u"rgb(200, 0, 0)"_s));
        view.showVerdict(1, 1);
        QVERIFY(first->styleSheet().isEmpty());
        QVERIFY(second->styleSheet().contains(u"rgb(0, 140, 40)"_s));
        view.clearAnswers();
        QVERIFY(first->styleSheet().isEmpty() && second->styleSheet().isEmpty());

        // The last ten seconds pulse in red; the duel's score is no clock.
        auto *clock = child<QLabel>(u"Label2"_s);
        view.showClock(30);
        QCOMPARE(clock->text(), u"30"_s);
        QCOMPARE(clock->palette().color(QPalette::WindowText), QColor(0, 255, 255));
        view.showClock(10);
        QCOMPARE(clock->palette().color(QPalette::WindowText).red(), 255);
        QCOMPARE(clock->palette().color(QPalette::WindowText).green(), 90);
        const auto timers = m_window->findChildren<QTimer *>();
        QVERIFY(std::any_of(timers.begin(), timers.end(), [](QTimer *t) { return t->isActive() && t->interval() == 250; }));
        view.showDuelScore(1, 0);
        QCOMPARE(clock->palette().color(QPalette::WindowText), QColor(0, 255, 255));
        QVERIFY(std::none_of(timers.begin(), timers.end(), [](QTimer *t) { return t->isActive(); }));

        // At the end of the game: back to the menu, or to the hall of fame.
        QVERIFY(!child(u"ToMenu"_s)->isVisible());
        view.showGameOver();
        QVERIFY(child(u"ToMenu"_s)->isVisible());
        QVERIFY(child(u"HallOfFame"_s)->isVisible());
        QSignalSpy hall(m_window.get(), &GameWindow::hallOfFameRequested);
        QSignalSpy closed(m_window.get(), &GameWindow::closed);
        QTest::mouseClick(child(u"HallOfFame"_s), Qt::LeftButton);
        QCOMPARE(hall.size(), 1);
        QTest::mouseClick(child(u"ToMenu"_s), Qt::LeftButton);
        QCOMPARE(closed.size(), 1);
        QVERIFY(!m_window->isVisible());
        m_window->showTable();
        QVERIFY(!child(u"ToMenu"_s)->isVisible());
        QVERIFY(!child(u"HallOfFame"_s)->isVisible());
    }

    void onlyThePlayersClickAnswersNotClearingTheChoice()
    {
        // Play until the player is asked, then clear the choice from code and click.
        newGame();
        child<QPushButton>(u"Button1"_s)->click();
        auto *group = child<QGroupBox>(u"RadioGroup1"_s);
        for (int i = 0; i < 500 && !(group->isVisible() && group->isEnabled()); ++i)
            QVERIFY(fireNextTimer());
        QVERIFY(group->isEnabled());
        auto *narration = child<QPlainTextEdit>(u"RichEdit1"_s);
        const QString before = narration->toPlainText();
        m_window->selectNoAnswer();
        QCOMPARE(narration->toPlainText(), before);
        QVERIFY(!m_window->engine().timers().isActive(GameTimers::Timer::AnswerDelay));

        QTest::mouseClick(child<QRadioButton>(u"RadioGroup1Item0"_s), Qt::LeftButton, {}, QPoint(8, 10));
        QCOMPARE(narration->toPlainText().split(u'\n').last(), u"Верно"_s);
        QVERIFY(!group->isEnabled());
        QCOMPARE(timer(GameTimers::Timer::AnswerDelay).interval(), 1500);
        QVERIFY(timer(GameTimers::Timer::AnswerDelay).isActive());
    }

    void aWholeRoundPlaysThroughTheWindowToTheVoteCall()
    {
        newGame();
        child<QPushButton>(u"Button1"_s)->click();
        QCOMPARE(child<QLabel>(u"Label2"_s)->text(), u"150"_s);
        playUntil(m_state.vote.open, 5000);
        QVERIFY(m_state.vote.open);
        QCOMPARE(child<QLabel>(u"Label2"_s)->text(), u"0"_s);
        QVERIFY(!child(u"RadioGroup1"_s)->isVisible());
        QVERIFY(child(u"_Summa"_s)->isVisible());
        QCOMPARE(child<QLabel>(u"_Summa"_s)->text(), QString::number(m_state.money.prizeTotal));
        QVERIFY(child<QPlainTextEdit>(u"RichEdit1"_s)->toPlainText().endsWith(u"кто на ваш взгляд самое зыбкоцепье!"_s));

        // The vote: a click on a seat's oval, here on its vote label below the name. Its
        // narration opens with an empty line.
        const int seat = m_state.table.playerSeat == 1 ? 2 : 1;
        const QRect vote = child(u"_Name%1"_s.arg(seat))->geometry();
        QWidget *target = m_window->childAt(vote.center());
        QCOMPARE(target, child(u"Oval%1"_s.arg(seat)));
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(m_window.get(), vote.center()));
        const QStringList shown = child<QPlainTextEdit>(u"RichEdit1"_s)->toPlainText().split(u'\n');
        QVERIFY(shown.size() > 4);
        QCOMPARE(shown[0], QString());
        QCOMPARE(shown[2], QString());
        QCOMPARE(m_state.round.number, 2);
        QCOMPARE(m_state.occupiedSeats(), 7);
        QVERIFY(child(u"_Name1"_s)->isVisible());
        QVERIFY(m_errors.isEmpty());
    }

    void theKeyboardPlaysAsTheMouseDoes()
    {
        newGame();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QTest::keyClick(m_window.get(), Qt::Key_Return);  // Начинаем
        QVERIFY(timer(GameTimers::Timer::RoundClock).isActive());
        // A coarse timer ran a round of 150 ticks 0.2 s short on a real screen.
        QCOMPARE(timer(GameTimers::Timer::RoundClock).timerType(), Qt::PreciseTimer);
        auto *group = child<QGroupBox>(u"RadioGroup1"_s);
        auto *bank = child<QPushButton>(u"Button2"_s);
        // The player answers by key 2, by Space on the answer that has the focus, and by Enter
        // on the second answer reached with the arrow; B banks, whatever has the focus, and so
        // does the same key on a Russian-only layout, where it gives И.
        int answered = 0;
        bool banked = false;
        for (int i = 0; i < 6000 && !(answered == 3 && banked); ++i) {
            if (bank->isVisible() && !banked) {
                const int before = m_state.money.bankedSum;
                const int chain = m_state.money.chainStep;
                QTest::sendKeyEvent(QTest::Click, m_window.get(), Qt::Key(u'И'), u"и"_s, Qt::NoModifier);
                QCOMPARE(m_state.money.bankedSum, before + ChainValues[chain]);
                banked = true;
            } else if (group->isVisible() && group->isEnabled() && answered < 3) {
                QCOMPARE(QApplication::focusWidget(), child(u"RadioGroup1Item0"_s));
                // The focus is plainly marked round the answer that has it.
                QWidget *mark = child(u"FocusMark"_s);
                QVERIFY(mark->isVisible());
                QVERIFY(mark->geometry().contains(
                    QRect(child(u"RadioGroup1Item0"_s)->mapTo(m_window.get(), QPoint()), child(u"RadioGroup1Item0"_s)->size())));
                if (answered == 0) {
                    QTest::keyClick(m_window.get(), Qt::Key_2);
                } else if (answered == 1) {
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
                } else {
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
                    QCOMPARE(QApplication::focusWidget(), child(u"RadioGroup1Item1"_s));
                    QVERIFY(group->isEnabled());
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
                }
                QVERIFY(!group->isEnabled());
                QVERIFY(child<QRadioButton>(u"RadioGroup1Item%1"_s.arg(answered == 1 ? 0 : 1))->isChecked());
                ++answered;
            } else if (!fireNextTimer()) {
                break;
            }
        }
        QCOMPARE(answered, 3);
        QVERIFY(banked);
    }

    void aScreenReaderHearsWhatTheTableShows()
    {
        TableScreen &view = *m_window;
        m_window->show();
        auto *clock = child<QLabel>(u"Label2"_s);
        const std::pair<int, QString> clocks[] = {{146, u"Осталось 146 секунд"_s}, {21, u"Осталась 21 секунда"_s},
                                                  {3, u"Осталось 3 секунды"_s}, {11, u"Осталось 11 секунд"_s},
                                                  {1, u"Осталась 1 секунда"_s}, {0, u"Осталось 0 секунд"_s}};
        for (const auto &[seconds, said] : clocks) {
            view.showClock(seconds);
            QCOMPARE(clock->accessibleName(), said);
        }
        view.showDuelScore(2, 1);
        QCOMPARE(clock->accessibleName(), u"Счёт 2:1"_s);
        view.showBank(1000);
        QCOMPARE(child(u"Bank"_s)->accessibleName(), u"Банк: 1000"_s);
        view.showPrize(25000);
        QCOMPARE(child(u"_Summa"_s)->accessibleName(), u"Выигрыш: 25000"_s);
        view.showSeatName(3, u"Станислав"_s);
        QCOMPARE(child(u"Name3"_s)->accessibleName(), u"Место 3: Станислав"_s);
        view.showSeatVotes(3, u"Анна"_s);
        QCOMPARE(child(u"_Name3"_s)->accessibleName(), u"Голос игрока за местом 3: Анна"_s);
        view.markChainStep(2);
        QCOMPARE(child(u"_1000"_s)->accessibleName(), u"Цепочка: 1000 рублей, набрано"_s);
        QCOMPARE(child(u"_500"_s)->accessibleName(), u"Цепочка: 500 рублей"_s);
        view.clearAnswers();
        view.appendAnswer(u"Мха"_s);
        view.appendAnswer(u"Коры"_s);
        QCOMPARE(child(u"RadioGroup1Item0"_s)->accessibleName(), u"Ответ 1: Мха"_s);
        QCOMPARE(child(u"RadioGroup1Item1"_s)->accessibleName(), u"Ответ 2: Коры"_s);
        view.clearAnswers();
        QCOMPARE(child(u"RadioGroup1Item1"_s)->accessibleName(), u"Ответ 2"_s);

        // The window is a frame with its title; its picture stays out of the reader's way.
        QAccessibleInterface *window = QAccessible::queryAccessibleInterface(m_window.get());
        QCOMPARE(window->role(), QAccessible::Window);
        QCOMPARE(window->text(QAccessible::Name), u"Зыбкоцепье"_s);
        QAccessibleInterface *picture = QAccessible::queryAccessibleInterface(child(u"Image1"_s));
        QVERIFY(picture->state().invisible);
        QCOMPARE(picture->role(), QAccessible::NoRole);
    }

    void theFocusGoesWhereTheNextActionIs()
    {
        newGame();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        auto *start = child<QPushButton>(u"Button1"_s);
        QCOMPARE(QApplication::focusWidget(), start);
        QTest::keyClick(m_window.get(), Qt::Key_Return);
        QCOMPARE(child(u"RadioGroup1"_s)->focusPolicy(), Qt::NoFocus);

        // The player's turn: the focus is on the first answer, which carries the question.
        auto *group = child<QGroupBox>(u"RadioGroup1"_s);
        auto *first = child<QRadioButton>(u"RadioGroup1Item0"_s);
        auto *narration = child<QPlainTextEdit>(u"RichEdit1"_s);
        int turns = 0;
        for (int i = 0; i < 3000 && turns < 3; ++i) {
            if (group->isVisible() && group->isEnabled()) {
                QCOMPARE(QApplication::focusWidget(), first);
                const QStringList lines = narration->toPlainText().split(u'\n', Qt::SkipEmptyParts);
                QCOMPARE(first->accessibleDescription(), lines.last());
                QVERIFY(lines.last().startsWith(u"Тестер, "_s));
                QVERIFY(first->accessibleName().startsWith(u"Ответ 1: "_s));
                QVERIFY(first->accessibleName().size() > 9);
                QTest::keyClick(m_window.get(), Qt::Key_1);
                ++turns;
            } else if (!fireNextTimer()) {
                break;
            }
        }
        QCOMPARE(turns, 3);

        // The answer has its own description back once the focus has left it.
        narration->setFocus();
        QCOMPARE(first->accessibleDescription(), QString());

        // The vote: the seats take the focus, the first one the player may vote for first,
        // and Enter votes.
        bool voteOpen = false;
        for (int i = 0; i < 5000 && !(voteOpen = m_state.vote.open); ++i) {
            answerIfAsked();
            QVERIFY(fireNextTimer());
        }
        QVERIFY(voteOpen);
        auto *seat = qobject_cast<SeatLabel *>(QApplication::focusWidget());
        QVERIFY(seat);
        QVERIFY(seat->isLit());
        QVERIFY(seat->objectName() != u"Name%1"_s.arg(m_state.table.playerSeat));
        QCOMPARE(seat->focusPolicy(), Qt::StrongFocus);
        QTest::keyClick(m_window.get(), Qt::Key_Return);
        QVERIFY(!m_state.vote.open);
        QCOMPARE(seat->focusPolicy(), Qt::NoFocus);
        QVERIFY(!seat->isLit());
    }

    void theHostsWordsReachAScreenReaderAsTheyAreSaid()
    {
        // A screen reader speaks a notification as it shows: the host's words of each step
        // are one notification, with the voice off too.
        QTemporaryDir config;
        TestSupport::keepSettingsIn(config);
        RecordingSpeech speech;
        Narrator narrator(speech);
        m_window->setNarrator(&narrator);
        newGame();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        auto *announcer = child(u"Announcer"_s);
        int shown = 0;
        ShowCounter counter(shown);
        announcer->installEventFilter(&counter);

        narrator.hostSays(u"Анна положила в банк 1000"_s);
        narrator.hostSays(u"Борис:"_s);
        narrator.hostSays(u"Верно"_s);
        QTRY_COMPARE(shown, 1);
        QAccessibleInterface *notification = QAccessible::queryAccessibleInterface(announcer);
        QCOMPARE(notification->role(), QAccessible::Notification);
        QCOMPARE(notification->text(QAccessible::Name), u"Анна положила в банк 1000 Борис: Верно"_s);
        QVERIFY(announcer->isVisible());
        QVERIFY(speech.said.isEmpty());

        // The same words again are shown again; the keys' answers are told at once.
        narrator.hostSays(u"Верно"_s);
        QTRY_COMPARE(shown, 2);
        QTest::keyClick(m_window.get(), Qt::Key_T);
        QCOMPARE(shown, 3);
        QCOMPARE(notification->text(QAccessible::Name), u"Раунд не идёт"_s);
        QTest::keyClick(m_window.get(), Qt::Key_N);
        QVERIFY(notification->text(QAccessible::Name).startsWith(u"Место 1: "_s));
    }

    void quickFinalPlaysToTheRecordInTheWinnersFile()
    {
        newGame(u"HiddenRover"_s);
        QCOMPARE(m_state.round.number, 8);
        QVERIFY(child(u"Name4"_s)->isVisible() && child(u"Name5"_s)->isVisible());
        QVERIFY(!child(u"Name1"_s)->isVisible());
        child<QPushButton>(u"Button1"_s)->click();
        QCOMPARE(child<QLabel>(u"Label1"_s)->text(), u"СЧЕТ"_s);
        playUntil(m_state.duel.over, 1000);
        QVERIFY(m_state.duel.over);
        QVERIFY(!fireNextTimer());
        QVERIFY(m_errors.isEmpty());

        LineStore best;
        QVERIFY(best.load(m_dir.filePath(u"best.txt"_s)).ok());
        QCOMPARE(best.count(), 5);
        const auto records = WinnersFile::records(best.lines(), best.count());
        QCOMPARE(records.size(), 1);
        QCOMPARE(records[0].name, m_state.duel.finalist(m_state.duel.winnerSide));
        QCOMPARE(records[0].amount, u"0"_s);

        // «Вопросы этой игры»: the questions the duel put, each once; one is sent to the editor.
        QSignalSpy editRequests(m_window.get(), &GameWindow::questionEditRequested);
        QTest::mouseClick(child(u"GameQuestions"_s), Qt::LeftButton);
        auto *list = child<QListWidget>(u"GameQuestionsList"_s);
        QVERIFY(list->isVisible());
        QVERIFY(list->count() >= 5);
        QStringList texts;
        for (int i = 0; i < list->count(); ++i)
            texts << list->item(i)->data(Qt::UserRole).toString();
        QCOMPARE(QSet<QString>(texts.begin(), texts.end()).size(), texts.size());
        list->setCurrentRow(1);
        QTest::mouseClick(child(u"OpenInEditor"_s), Qt::LeftButton);
        QCOMPARE(editRequests.size(), 1);
        QCOMPARE(editRequests.at(0).at(0).toString(), texts.at(1));
        QVERIFY(texts.at(1).startsWith(u"Вопрос"_s));
        // The list stays open beside the editor.
        QCoreApplication::processEvents();
        QVERIFY(list->isVisible());
    }

    void gameQuestionsMarkTheRightAnswerAndWhoAnsweredWrongly()
    {
        QuestionsOfTheGame put;
        const auto ask = [&put](const QString &name, const QString &text, int right, int chosen) {
            put.questionPut({1, name, text, {u"Да"_s, u"Нет"_s}, false, right});
            put.answerJudged({.chosen = chosen, .right = right, .hostWord = {}});
        };
        ask(u"Анна"_s, u"Первый?"_s, 1, 0);
        ask(u"Борис"_s, u"Второй?"_s, 0, 0);
        ask(u"Вера"_s, u"Первый?"_s, 1, 0);  // put again: one line, both names
        GameQuestionsDialog dialog(put.questions);
        const auto *list = dialog.findChild<QListWidget *>(u"GameQuestionsList"_s);
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->item(0)->text(), u"Первый?\n    1) Да    2) Нет (верный)\n    Ответили неверно: Анна, Вера"_s);
        QCOMPARE(list->item(1)->text(), u"Второй?\n    1) Да (верный)    2) Нет"_s);
    }
};

QTEST_MAIN(GameWindowTest)
#include "GameWindowTest.moc"
