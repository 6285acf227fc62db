// A whole game played by keyboard and ear alone: the player hears only what the host's voice
// reads (and what R, T and N make it say) and acts only with the keys at the table.
#include "core/data/LineStore.h"
#include "core/data/WinnersFile.h"
#include "core/engine/RandomSource.h"
#include "ui/look/ErrorReport.h"
#include "ui/speech/Narrator.h"
#include "ui/speech/VoiceSettings.h"
#include "ui/table/GameWindow.h"

#include "EngineTimers.h"
#include "FixedClock.h"
#include "RecordingSpeech.h"
#include "TestSupport.h"
#include "TestTimers.h"

#include <QHash>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// The right answer stands first in even questions and second in odd ones, so that the
// player has to listen to both to pick it.
QByteArray questionBase(int questions)
{
    QStringList lines;
    for (int i = 0; i < questions; ++i) {
        const QString right = u"Верно %1"_s.arg(i), wrong = u"Неверно %1"_s.arg(i);
        lines << u"?"_s << u"Вопрос %1?"_s.arg(i);
        lines << (i % 2 == 0 ? QStringList{right, wrong, u"0"_s} : QStringList{wrong, right, u"1"_s});
    }
    return TestSupport::cp1251(lines.join(u"\r\n"_s) + u"\r\n"_s);
}

// The player's ears: every line the host's voice reads, each to its end.
class Ear
{
public:
    explicit Ear(RecordingSpeech &speech) : m_speech(speech) {}

    // What was said since the player last listened.
    QStringList listen()
    {
        m_speech.finishAll();
        const QStringList heard = m_speech.said.mid(m_heard);
        m_heard = m_speech.said.size();
        return heard;
    }

    QString lastWords() const { return m_speech.said.mid(m_speech.said.size() - 3).join(u" | "_s); }

private:
    RecordingSpeech &m_speech;
    qsizetype m_heard = 0;
};

} // namespace

class PlayByEarTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_config;
    QTemporaryDir m_data;
    QStringList m_errors;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_data.isValid());
        TestSupport::keepSettingsIn(m_config);
        VoiceSettings::storeOn(true);
        TestSupport::writeFile(m_data.filePath(u"Vopros.txt"_s), questionBase(60));
        TestSupport::writeFile(m_data.filePath(u"names.txt"_s),
                               TestSupport::eightNames());
        ErrorReport::setHandler([this](QWidget *, const Status &s) { m_errors << s.message; });
    }

    void aWholeGameIsPlayedByKeysAndEarAlone()
    {
        GameState state;
        state.setStartValues();
        state.table.playerName = Me;
        // With this draw the player survives every vote and meets a computer player in the final.
        SystemRandom random(11);
        FixedClock clock;
        RecordingSpeech speech;
        Narrator narrator(speech);
        TestTimers timers;  // time passes only when the test says so, however slow the machine
        GameWindow window(state, random, clock, QDir(m_data.path()), nullptr, &timers);
        window.setNarrator(&narrator);
        m_window = &window;
        LineStore names;
        QVERIFY(window.engine().newGame(names).ok());
        window.showTable();
        QVERIFY(QTest::qWaitForWindowActive(&window));

        // From here on the player only listens and presses keys; time passes between.
        Ear ear(speech);
        int moments = 0;
        for (; moments < 30000 && !m_over && !QTest::currentTestFailed(); ++moments) {
            const QStringList heard = ear.listen();
            for (const QString &line : heard)
                hear(line);
            if (!heard.isEmpty())
                continue;  // the keys pressed may have brought new words
            QVERIFY2(fireNextTimer(), qPrintable(u"The game waits, and the host said last: "_s + ear.lastWords()));
            QCoreApplication::processEvents();
        }
        QVERIFY2(m_over, qPrintable(u"No end heard; the host said last: "_s + ear.lastWords()));
        QVERIFY(m_errors.isEmpty());

        // The player was told when to start, asked by name, offered the bank and invited to
        // vote, and heard its own keys work.
        QVERIFY(m_starts >= 1);
        QVERIFY(m_answered > 0);
        QCOMPARE(m_answeredRight, m_answered);
        QVERIFY(m_votes >= 1);
        QVERIFY(m_banksOffered > 0);
        QCOMPARE(m_banksHeard, m_banksTaken);

        LineStore best;
        QVERIFY(best.load(m_data.filePath(u"best.txt"_s)).ok());
        const auto records = WinnersFile::records(best.lines(), best.count());
        QCOMPARE(records.size(), 1);
        if (m_votedOff) {
            // The winner is not told, only written to the hall of fame: someone else.
            QVERIFY(records[0].name != Me);
            return;
        }
        // The final: the verdict names the winner, T tells the score, and the hall of fame
        // has the winner with the prize the host announced before the final.
        QTest::keyClick(&window, Qt::Key_T);
        const QStringList score = ear.listen();
        QCOMPARE(score.size(), 1);
        const auto scores = QRegularExpression(u"^Счёт: (.+) — (\\d+), (.+) — (\\d+)$"_s).match(score[0]);
        QVERIFY2(scores.hasMatch(), qPrintable(score[0]));
        const int winnerScore = scores.captured(1) == m_winner ? scores.captured(2).toInt() : scores.captured(4).toInt();
        const int loserScore = scores.captured(1) == m_winner ? scores.captured(4).toInt() : scores.captured(2).toInt();
        QVERIFY2(winnerScore > loserScore, qPrintable(score[0]));
        // Every answer of the player's was right: it wins.
        QCOMPARE(m_winner, Me);
        QCOMPARE(records[0].name, m_winner);
        QCOMPARE(records[0].amount, m_prize);
        qInfo("%d moments; the player won %s after %d answers, %d of %d banks taken", moments, qPrintable(m_prize),
              m_answered, m_banksTaken, m_banksOffered);
    }

private:
    inline static const QString Me = u"Тестер"_s;

    // The player: what it does on hearing a line.
    void hear(const QString &line)
    {
        static const QRegularExpression myQuestion(
            u"^%1, .+ Первый ответ: (.+)\\. Второй ответ: (.+)\\.$"_s.arg(Me));
        static const QRegularExpression someonesAnswer(u"^(\\S+): (.+)$"_s);
        static const QRegularExpression seat(u"Место (\\d): ([^.]+)\\."_s);
        static const QRegularExpression prize(u"Финальный приз игры определен\\. Он составляет сегодня (\\d+) рублей"_s);
        static const QRegularExpression verdict(
            u"^Ну, чтоже, сегодня в игре самым сильным звеном был (.+)\\. А вы, (.+), становитесь самым слабым"_s);

        if (line == u"Чтобы начать, нажмите Enter"_s) {
            ++m_starts;
            press(Qt::Key_Return);
        } else if (const auto asked = myQuestion.match(line); asked.hasMatch()) {
            // The player knows every answer: the one that says it is right.
            ++m_answered;
            m_awaitingVerdict = true;
            press(asked.captured(1).startsWith(u"Верно"_s) ? Qt::Key_1 : Qt::Key_2);
        } else if (line == u"B — положить в банк"_s) {
            // Every other offer is taken.
            if (m_banksOffered++ % 2 == 0) {
                ++m_banksTaken;
                press(Qt::Key_B);
            }
        } else if (line.startsWith(u"Голосование: "_s)) {
            // Who sits where, to vote by seat number.
            m_voting = true;
            press(Qt::Key_N);
        } else if (m_voting && line.startsWith(u"Место "_s)) {
            // Against the player heard missing most; the first one listed when none has.
            int chosen = 0, most = -1;
            for (auto it = seat.globalMatch(line); it.hasNext();) {
                const auto s = it.next();
                const QString name = s.captured(2);
                if (!name.endsWith(u", это вы"_s) && m_misses.value(name) > most) {
                    chosen = s.captured(1).toInt();
                    most = m_misses.value(name);
                }
            }
            QVERIFY2(chosen > 0, qPrintable(line));
            m_voting = false;
            ++m_votes;
            m_misses.clear();
            press(Qt::Key(Qt::Key_0 + chosen));
        } else if (line == u"Верно"_s || line.startsWith(u"Не верно"_s)) {
            const bool right = line == u"Верно"_s;
            if (std::exchange(m_awaitingVerdict, false))
                m_answeredRight += right;
            else if (!right)
                ++m_misses[m_lastToAnswer];
        } else if (const auto answer = someonesAnswer.match(line); answer.hasMatch()) {
            m_lastToAnswer = answer.captured(1);
            if (m_lastToAnswer == Me && answer.captured(2) == u"БАНК!"_s)
                ++m_banksHeard;
        } else if (const auto announced = prize.match(line); announced.hasMatch()) {
            m_prize = announced.captured(1);
        } else if (line.endsWith(u"вы уходите! (узнайте кто выиграл в зале почета)"_s)) {
            m_over = m_votedOff = true;
        } else if (const auto end = verdict.match(line); end.hasMatch()) {
            m_over = true;
            m_winner = end.captured(1);
        }
    }

    void press(Qt::Key key)
    {
        QTest::keyClick(m_window, key);
        QCoreApplication::processEvents();
    }

    bool fireNextTimer() { return ::fireNextTimer(m_window->engine(), m_ticks); }

    GameWindow *m_window = nullptr;
    int m_ticks = 0;

    // What the player has heard and done.
    int m_starts = 0;
    int m_answered = 0;
    int m_answeredRight = 0;
    bool m_awaitingVerdict = false;
    int m_banksOffered = 0;
    int m_banksTaken = 0;
    int m_banksHeard = 0;
    bool m_voting = false;
    int m_votes = 0;
    QString m_lastToAnswer;
    QHash<QString, int> m_misses;
    QString m_prize;
    bool m_over = false;
    bool m_votedOff = false;
    QString m_winner;
};

QTEST_MAIN(PlayByEarTest)
#include "PlayByEarTest.moc"
