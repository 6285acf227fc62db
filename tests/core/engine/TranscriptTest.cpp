// One game, one transcript: whole games played from a seed and written down line by line as
// the player sees and hears them (narration, seats, chain, bank, prize, clock, vote, answers,
// verdicts, duel score, sounds, the end, the winners record), compared byte for byte with the
// transcripts stored in transcripts/. A change to the engine that changes what a player goes
// through in one of these games shows here at its first line.
//
// A transcript that differs is written beside the test program (transcripts/ in its build
// folder) for a diff. ZYB_UPDATE_TRANSCRIPTS=1 rewrites the stored ones, for a change made on
// purpose: read the diff before committing it.
//
// The game's draws come from the command line's `--seed N` as the program reads it, so that a
// transcript is the game the program plays with that seed and the same moves.
#include "EngineHarness.h"
#include "GameDriver.h"
#include "RecordingSounds.h"
#include "TestTimers.h"

#include "core/engine/SoundCues.h"
#include "screen/TablePresenter.h"
#include "ui/StartOptions.h"

#include <QCoreApplication>
#include <QDir>
#include <QStringDecoder>

#include <random>

using namespace Qt::StringLiterals;

namespace {

QString shown(bool on) { return on ? u"shown"_s : u"hidden"_s; }

// The table screen and the player's ears, written down: a line for each call that changes
// what is seen or heard (showing again what is already shown is no change), stamped with the
// time of the game's timers.
class TranscriptView final : public FakeTableScreen, public GameSounds
{
public:
    explicit TranscriptView(const TestTimers &timers) : m_timers(timers) {}
    QStringList lines;

    void write(const QString &line) { lines << line; }
    // The player's moves and the timers, with the time of the game.
    void event(const QString &what)
    {
        const qint64 now = m_timers.now;
        write(u"[%1.%2] %3"_s.arg(now / 1000).arg(now % 1000, 3, 10, QChar(u'0')).arg(what));
    }
    template <typename T>
    void change(const T &was, const T &is, const QString &line)
    {
        if (was != is)
            write(line);
    }

    void showSeatName(int seat, const QString &name) override
    {
        change(names[seat].caption, name, u"seat %1: %2"_s.arg(seat).arg(name));
        FakeTableScreen::showSeatName(seat, name);
    }
    void setSeatNameShown(int seat, bool v) override
    {
        change(names[seat].visible, v, u"seat %1 %2"_s.arg(seat).arg(shown(v)));
        FakeTableScreen::setSeatNameShown(seat, v);
    }
    void showSeatVotes(int seat, const QString &text) override
    {
        change(votes[seat].caption, text, u"seat %1 vote: %2"_s.arg(seat).arg(text));
        FakeTableScreen::showSeatVotes(seat, text);
    }
    void setSeatVotesShown(int seat, bool v) override
    {
        change(votes[seat].visible, v, u"seat %1 vote %2"_s.arg(seat).arg(shown(v)));
        FakeTableScreen::setSeatVotesShown(seat, v);
    }
    void showBank(int sum) override { change(bank, sum, u"bank: %1"_s.arg(sum)); FakeTableScreen::showBank(sum); }
    void markChainStep(int step) override { change(chainStep, step, u"chain step: %1"_s.arg(step)); FakeTableScreen::markChainStep(step); }
    void showPrize(int total) override { change(prize, total, u"prize: %1"_s.arg(total)); FakeTableScreen::showPrize(total); }
    void setPrizeShown(bool v) override { change(prizeShown, v, u"prize "_s + shown(v)); FakeTableScreen::setPrizeShown(v); }
    void setScoreboardTitle(const QString &title) override
    {
        change(scoreboardTitle, title, u"scoreboard title: "_s + title);
        FakeTableScreen::setScoreboardTitle(title);
    }
    void setScoreboardShown(bool v) override
    {
        change(scoreboardShown, v, u"scoreboard "_s + shown(v));
        FakeTableScreen::setScoreboardShown(v);
    }
    void showClock(int seconds) override
    {
        change(scoreboard, QString::number(seconds), u"clock: %1"_s.arg(seconds));
        FakeTableScreen::showClock(seconds);
    }
    void showDuelScore(int first, int second) override
    {
        const QString score = u"%1:%2"_s.arg(first).arg(second);
        change(scoreboard, score, u"duel score: "_s + score);
        FakeTableScreen::showDuelScore(first, second);
    }
    void setStartButtonText(const QString &text) override
    {
        change(startText, text, u"start button: "_s + text);
        FakeTableScreen::setStartButtonText(text);
    }
    void setStartButtonShown(bool v) override
    {
        change(startShown, v, u"start button "_s + shown(v));
        FakeTableScreen::setStartButtonShown(v);
    }
    void offerBank(bool v) override { change(bankOffered, v, u"bank button "_s + shown(v)); FakeTableScreen::offerBank(v); }
    void clearNarration() override { change(narration.isEmpty(), true, u"narration cleared"_s); FakeTableScreen::clearNarration(); }
    void appendNarration(const QString &line) override
    {
        write(line.isEmpty() ? u"|"_s : u"| "_s + line);
        FakeTableScreen::appendNarration(line);
    }
    void setAnswersShown(bool v) override { change(answersShown, v, u"answers "_s + shown(v)); FakeTableScreen::setAnswersShown(v); }
    void clearAnswers() override { change(answers.isEmpty(), true, u"answers cleared"_s); FakeTableScreen::clearAnswers(); }
    void appendAnswer(const QString &text) override { write(u"answer: "_s + text); FakeTableScreen::appendAnswer(text); }
    void selectNoAnswer() override { change(selected, -1, u"answer unselected"_s); FakeTableScreen::selectNoAnswer(); }
    void setAnswersEnabled(bool v) override
    {
        change(answersEnabled, v, v ? u"answers enabled"_s : u"answers disabled"_s);
        FakeTableScreen::setAnswersEnabled(v);
    }
    void markAskedSeat(int seat) override
    {
        change(askedSeat, seat, seat == 0 ? u"asked: nobody"_s : u"asked: seat %1"_s.arg(seat));
        FakeTableScreen::markAskedSeat(seat);
    }
    void showVerdict(int chosen, int right) override
    {
        write(chosen == right ? u"verdict: right, %1"_s.arg(answers.value(chosen))
                              : u"verdict: wrong, %1; right: %2"_s.arg(answers.value(chosen), answers.value(right)));
        FakeTableScreen::showVerdict(chosen, right);
    }
    void setVoteOpen(bool open) override
    {
        change(voteOpen, open, open ? u"vote open"_s : u"vote closed"_s);
        FakeTableScreen::setVoteOpen(open);
    }
    void showGameOver() override { write(u"game over"_s); FakeTableScreen::showGameOver(); }
    void reportFailure(const Status &status) override { write(u"error: "_s + status.message); }
    void play(Cue cue) override { write(u"sound: "_s + RecordingSounds::name(cue)); }

private:
    const TestTimers &m_timers;
};

// Plays one whole game from `seed`, the player acting by the test's own rules, and hands back
// its transcript: UTF-8, LF after every line.
void playGame(unsigned seed, bool quickFinal, QByteArray &transcript)
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    Fixture::writeNames(dir.path(), Fixture::defaultNames() << u"Илья"_s << u"Кира"_s);
    Fixture::writeQuestions(dir.path(), Fixture::questionLines(40));

    GameState state;
    state.setStartValues();
    state.table.playerName = quickFinal ? u"HiddenRover"_s : u"Игрок"_s;
    TestTimers timers;
    TranscriptView view(timers);
    TablePresenter presenter(view);
    SoundCues cues;
    cues.setSounds(&view);
    const QByteArray seedArgument = "--seed=" + QByteArray::number(seed);
    const char *const arguments[] = {"zybkotsepye", seedArgument.constData()};
    const std::unique_ptr<RandomSource> random = StartOptions::read(2, arguments).random();
    FixedClock clock;
    GameEngine engine(state, *random, clock, QDir(dir.path()), QLocale(QLocale::Russian, QLocale::Russia), &timers);
    engine.addListener(&presenter);
    engine.addListener(&cues);
    LineStore namesList;
    // The player's own choices come from a generator of their own.
    std::mt19937 player(seed + 1000);

    view.write(u"# %1, seed %2"_s.arg(quickFinal ? u"quick final"_s : u"normal game"_s).arg(seed));
    view.event(u"the player presses «Играть» as %1"_s.arg(state.table.playerName));
    if (const Status s = engine.newGame(namesList); !s)
        view.write(u"error: "_s + s.message);
    else
        view.write(u"window shown"_s);

    qint64 answerAt = -1;  // when the player clicks an answer, once it may be given
    bool bankWeighed = false;
    int events = 0;
    for (; events < 100000; ++events) {
        const bool mayAnswer = view.answersShown && view.answersEnabled;
        if (!mayAnswer)
            answerAt = -1;
        else if (answerAt < 0)
            answerAt = timers.now + 1000 + qint64(player() % 4000);
        if (!view.bankOffered)
            bankWeighed = false;
        GameTimers::Timer timer;
        const bool timerRuns = timers.next(timer);

        if (view.voteOpen) {
            // A vote for another seated player, at random.
            QList<int> others;
            for (int seat = 1; seat <= SeatCount; ++seat) {
                if (state.isOccupied(seat) && seat != state.table.playerSeat)
                    others << seat;
            }
            const int seat = others.at(int(player() % unsigned(others.size())));
            view.event(u"the player votes for %1, seat %2"_s.arg(state.table.seatNames[seat]).arg(seat));
            engine.seatVoted(state.table.playerSeat, seat);
        } else if (view.startShown) {
            view.event(u"the player presses «%1»"_s.arg(view.startText));
            engine.startPressed();
        } else if (view.bankOffered && !bankWeighed) {
            // The player banks from 2000 up.
            bankWeighed = true;
            if (view.chainStep >= 3) {
                view.event(u"the player presses «БАНК!»"_s);
                engine.bankPressed(engine.state().table.playerSeat);
            }
        } else if (mayAnswer && (!timerRuns || answerAt < timers.due[size_t(timer)])) {
            // Three answers in four are right.
            timers.now = answerAt;
            const int right = state.round.rightAnswer;
            const int chosen = player() % 4 != 0 ? right : 1 - right;
            view.event(u"the player chooses %1"_s.arg(view.answers.value(chosen)));
            view.selected = chosen;  // the click checks the answer's button
            engine.answerChosen(state.table.playerSeat, chosen);
        } else if (timerRuns) {
            if (timer == GameTimers::Timer::AnswerDelay || timer == GameTimers::Timer::Pause) {
                timers.now = timers.due[size_t(timer)];
                view.event(timer == GameTimers::Timer::AnswerDelay ? u"the answer delay ends"_s : u"the pause ends"_s);
            }
            timers.fire(timer);
        } else {
            break;
        }
    }
    QVERIFY2(events < 100000, "the game does not end");
    QCOMPARE(view.gameOver, 1);

    // The winners record the engine wrote, line by line as the file holds it.
    QFile best(dir.filePath(u"best.txt"_s));
    QVERIFY(best.open(QIODevice::ReadOnly));
    QString text = QStringDecoder("windows-1251").decode(best.readAll());
    QVERIFY2(text.endsWith(u"\r\n"_s), "the winners file's last line has no CR LF");
    text.chop(2);
    for (const QString &line : text.split(u"\r\n"_s))
        view.write(u"best.txt: "_s + line);

    transcript = view.lines.join(u'\n').toUtf8() + '\n';
}

} // namespace

class TranscriptTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void aSeededGameTellsTheStoredStory_data();
    void aSeededGameTellsTheStoredStory();
};

void TranscriptTest::aSeededGameTellsTheStoredStory_data()
{
    QTest::addColumn<unsigned>("seed");
    QTest::addColumn<bool>("quickFinal");
    // The player wins the duel; is voted off in the sixth vote.
    QTest::newRow("normal-seed-1") << 1u << false;
    QTest::newRow("normal-seed-2") << 2u << false;
    // The player wins in sudden death.
    QTest::newRow("quick-final-seed-18") << 18u << true;
}

void TranscriptTest::aSeededGameTellsTheStoredStory()
{
    QFETCH(unsigned, seed);
    QFETCH(bool, quickFinal);
    QByteArray now;
    playGame(seed, quickFinal, now);
    if (QTest::currentTestFailed())
        return;

    const QString name = QString::fromLatin1(QTest::currentDataTag()) + u".txt"_s;
    const QString stored = QStringLiteral(ZYB_TEST_DATA "/transcripts/") + name;
    if (qEnvironmentVariableIntValue("ZYB_UPDATE_TRANSCRIPTS") == 1) {
        TestSupport::writeFile(stored, now);
        qInfo("rewrote %s", qPrintable(stored));
        return;
    }
    const QString fresh = QCoreApplication::applicationDirPath() + u"/transcripts/"_s + name;
    QFile::remove(fresh);  // left by an earlier failure
    const QByteArray before = TestSupport::readFile(stored);
    if (now == before)
        return;

    QVERIFY(QDir().mkpath(QFileInfo(fresh).path()));
    TestSupport::writeFile(fresh, now);
    const QList<QByteArray> was = before.split('\n');
    const QList<QByteArray> is = now.split('\n');
    qsizetype line = 0;
    while (line < was.size() && line < is.size() && was[line] == is[line])
        ++line;
    QFAIL(qPrintable(u"%1 differs from line %2 on:\n  stored: %3\n  now:    %4\nthe new transcript: %5"_s
                         .arg(stored)
                         .arg(line + 1)
                         .arg(QString::fromUtf8(was.value(line, "(end)")), QString::fromUtf8(is.value(line, "(end)")), fresh)));
}

QTEST_GUILESS_MAIN(TranscriptTest)
#include "TranscriptTest.moc"
