// The host's voice: what the narrator reads and when, the voice settings, the keys for
// playing by ear at the table, and silence when the system has no speech.
#include "ui/settings/SettingsWindow.h"
#include "ui/speech/Narrator.h"
#include "ui/speech/QtSpeechEngine.h"
#include "ui/speech/VoiceSettings.h"
#include "ui/table/GameWindow.h"

#include "EngineTimers.h"
#include "FixedClock.h"
#include "RecordingSpeech.h"
#include "ScriptedRandom.h"
#include "TestSupport.h"
#include "TestTimers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QSettings>
#include <QSignalSpy>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// The game's next step: the event loop runs once between two of them.
void nextStep() { QCoreApplication::processEvents(); }


// The table the tests play at: Анна at seat 1, Борис at seat 2, the player at seat 8.
PerSeat<QString> table()
{
    PerSeat<QString> names;
    names.fill(EmptySeat);
    names[1] = u"Анна"_s;
    names[2] = u"Борис"_s;
    names[8] = u"Тестер"_s;
    return names;
}

GameListener::Question question(int seat, const QString &text, const QString &first, const QString &second)
{
    return {seat, table()[seat], text, {first, second}, false};
}

GameListener::Verdict verdict(int seat, int chosen, const QString &hostWord)
{
    GameListener::Verdict v;
    v.seat = seat;
    v.chosen = chosen;
    v.hostWord = hostWord;
    return v;
}

} // namespace

class NarratorTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_config;
    QTemporaryDir m_data;

    static void turnVoiceOn()
    {
        VoiceSettings::storeOn(true);
    }

private Q_SLOTS:
    void initTestCase()
    {
        TestSupport::keepSettingsIn(m_config);
        TestSupport::writeFile(m_data.filePath(u"Vopros.txt"_s), TestSupport::questionBase(40));
        TestSupport::writeFile(m_data.filePath(u"names.txt"_s),
                               TestSupport::eightNames());
    }

    void init()
    {
        TestSupport::clearSettings();
    }

    void linesOfAStepAreReadInTurnOnceTheStepIsOver()
    {
        turnVoiceOn();
        RecordingSpeech speech;
        Narrator narrator(speech);
        narrator.tableSeated(table(), 8);
        narrator.hostSays(u"Добро пожаловать"_s);
        narrator.hostPauses();
        narrator.hostSays(QString());
        narrator.hostSays(u"  Однако, все знают  "_s);
        narrator.questionPut(question(1, u"Столица?"_s, u"Париж"_s, u"Лион"_s));
        // Анна's answer is read with her name; the player's own answer is not read.
        narrator.answerJudged(verdict(1, 0, u"Верно"_s));
        narrator.answerJudged(verdict(8, 1, u"Не верно!"_s));
        QVERIFY(speech.said.isEmpty());
        nextStep();
        QCOMPARE(speech.said, QStringList{u"Добро пожаловать"_s});
        QCOMPARE(narrator.waiting(), (QStringList{u"Однако, все знают"_s, u"Анна, Столица? Первый ответ: Париж. Второй ответ: Лион."_s,
                                                  u"Анна: Париж"_s, u"Верно"_s, u"Не верно!"_s}));
        speech.finishAll();
        QCOMPARE(speech.said.size(), 6);
        // A report from the engine with nothing being read changes nothing.
        Q_EMIT speech.finished();
        QCOMPARE(speech.said.size(), 6);
        QCOMPARE(speech.stops, 0);

        // What the table offers is read after the host's words, once; what it takes back in
        // the same step is not read.
        narrator.hintShown(u"B — положить в банк"_s);
        narrator.hintShown(u"Чтобы начать, нажмите Enter"_s);
        narrator.hostSays(u"Верно"_s);
        narrator.hintShown(u"B — положить в банк"_s);
        narrator.hintHidden(u"Чтобы начать, нажмите Enter"_s);
        nextStep();
        speech.finishAll();
        QCOMPARE(speech.said.mid(6), (QStringList{u"Верно"_s, u"B — положить в банк"_s}));
        narrator.banked(1, 500);
        nextStep();
        speech.finishAll();
        QCOMPARE(speech.said.last(), u"Анна: БАНК!"_s);
    }

    void aQuestionIsReadWithItsAnswersAndCutsShortWhatWasBeingRead()
    {
        turnVoiceOn();
        RecordingSpeech speech;
        Narrator narrator(speech);
        narrator.tableSeated(table(), 8);
        nextStep();
        narrator.hostSays(u"Раунд завершился"_s);
        narrator.hostSays(u"Молодцы!"_s);
        nextStep();

        // The round's start: its opening line, then the question, in one step.
        narrator.roundStarted(2, 140, 0, table());
        narrator.hostSays(u"Время пошло!"_s);
        narrator.questionPut(question(1, u"столица Франции?"_s, u"Париж"_s, u"Лион"_s));
        nextStep();
        QCOMPARE(speech.stops, 1);
        const QString put = u"Анна, столица Франции? Первый ответ: Париж. Второй ответ: Лион."_s;
        QCOMPARE(speech.said, (QStringList{u"Раунд завершился"_s, u"Время пошло!"_s}));
        QCOMPARE(narrator.waiting(), QStringList{put});
        QCOMPARE(narrator.question(), put);

        // The answer and the verdict wait for the question to be read.
        narrator.answerJudged(verdict(1, 0, u"Верно"_s));
        nextStep();
        QCOMPARE(speech.stops, 1);
        QCOMPARE(narrator.waiting(), (QStringList{put, u"Анна: Париж"_s, u"Верно"_s}));

        // The next question does not wait: what is left is dropped.
        speech.finishReading();
        QCOMPARE(speech.said.last(), put);
        narrator.questionPut(question(2, u"столица Италии"_s, u"Рим."_s, u"Милан"_s));
        nextStep();
        QCOMPARE(speech.stops, 2);
        QCOMPARE(speech.said.last(), u"Борис, столица Италии? Первый ответ: Рим. Второй ответ: Милан."_s);
        QVERIFY(narrator.waiting().isEmpty());
    }

    void nothingIsReadWhileTheVoiceIsOff()
    {
        RecordingSpeech speech;
        Narrator narrator(speech);
        // Off until the player turns it on; a game without it never opens the engine.
        QVERIFY(!narrator.isOn());
        narrator.tableSeated(table(), 8);
        narrator.questionPut(question(1, u"вопрос?"_s, u"Да"_s, u"Нет"_s));
        nextStep();
        narrator.repeatQuestion();
        narrator.repeatLastWords();
        narrator.sayAside(u"До конца раунда 5 секунд"_s);
        QVERIFY(speech.said.isEmpty());
        QCOMPARE(speech.prepared, 0);

        // Turned on: the question put meanwhile can be asked again.
        narrator.setOn(true);
        QCOMPARE(speech.prepared, 1);
        narrator.repeatQuestion();
        QCOMPARE(speech.said, QStringList{u"Анна, вопрос? Первый ответ: Да. Второй ответ: Нет."_s});

        // Turned off while reading: the reading stops and what waits is dropped.
        narrator.hostSays(u"Верно"_s);
        nextStep();
        QCOMPARE(narrator.waiting(), QStringList{u"Верно"_s});
        narrator.setOn(false);
        QCOMPARE(speech.stops, 1);
        QVERIFY(narrator.waiting().isEmpty());
        speech.finishReading();
        QCOMPARE(speech.said.size(), 1);
    }

    void theSpokenNumbersAgree()
    {
        QCOMPARE(Narrator::secondsLeft(150), u"До конца раунда 150 секунд"_s);
        QCOMPARE(Narrator::secondsLeft(1), u"До конца раунда 1 секунда"_s);
        QCOMPARE(Narrator::secondsLeft(22), u"До конца раунда 22 секунды"_s);
        QCOMPARE(Narrator::secondsLeft(12), u"До конца раунда 12 секунд"_s);
        QCOMPARE(Narrator::secondsLeft(111), u"До конца раунда 111 секунд"_s);
        // The teens take the plural whatever their last digit, up to 14 and past a hundred.
        for (int seconds : {13, 14, 114})
            QCOMPARE(Narrator::secondsLeft(seconds), u"До конца раунда %1 секунд"_s.arg(seconds));
        QCOMPARE(Narrator::secondsLeft(104), u"До конца раунда 104 секунды"_s);
        QCOMPARE(Narrator::secondsLeft(0), u"До конца раунда 0 секунд"_s);
        QCOMPARE(Narrator::seats({{1, u"Анна"_s}, {4, u"Тестер, это вы"_s}}), u"Место 1: Анна. Место 4: Тестер, это вы."_s);
    }

    void theSettingsWindowStoresTheVoiceAndAppliesItAtOnce()
    {
        GameState state;
        state.setStartValues();
        ScriptedRandom random;
        RecordingSpeech speech;
        speech.knownVoices = {u"Russian"_s, u"Russian+Max"_s};
        {
            Narrator narrator(speech);
            SettingsWindow window(state, random, QDir(m_data.path()));
            window.setNarrator(&narrator);
            window.reload();
            auto *on = window.findChild<QCheckBox *>(u"HostVoice"_s);
            auto *voice = window.findChild<QComboBox *>(u"HostVoiceName"_s);
            auto *rate = window.findChild<QSlider *>(u"HostVoiceRate"_s);
            QVERIFY(on && voice && rate);
            QCOMPARE(on->text(), u"Голос ведущего"_s);
            QCOMPARE(voice->accessibleName(), u"Голос"_s);
            QCOMPARE(rate->accessibleName(), u"Скорость речи"_s);
            QCOMPARE(rate->minimum(), -100);
            QCOMPARE(rate->maximum(), 100);
            // Before the player has chosen: off, the engine's own voice, the normal rate.
            QVERIFY(!on->isChecked());
            QVERIFY(!voice->isEnabled() && !rate->isEnabled());
            QCOMPARE(voice->count(), 3);
            QCOMPARE(voice->currentData().toString(), QString());
            QCOMPARE(rate->value(), 0);

            on->click();
            QVERIFY(narrator.isOn());
            QVERIFY(VoiceSettings::isOn());
            QCOMPARE(speech.prepared, 1);
            QVERIFY(voice->isEnabled() && rate->isEnabled());
            // A sample says how the voice sounds.
            QCOMPARE(speech.said.size(), 1);

            // The engine tells its voices once it has opened.
            speech.knownVoices << u"Russian+Anna"_s;
            Q_EMIT speech.voicesChanged();
            QCOMPARE(voice->count(), 4);
            voice->setCurrentIndex(2);
            Q_EMIT voice->activated(2);
            QCOMPARE(speech.voice, u"Russian+Max"_s);
            QCOMPARE(VoiceSettings::voice(), u"Russian+Max"_s);

            rate->setValue(50);
            QCOMPARE(speech.rate, 0.5);
            QCOMPARE(VoiceSettings::rate(), 50);
            // A drag is applied at once and stored when the slider is let go.
            rate->setSliderDown(true);
            rate->setValue(-100);
            QCOMPARE(speech.rate, -1.0);
            QCOMPARE(VoiceSettings::rate(), 50);
            rate->setSliderDown(false);
            QCOMPARE(VoiceSettings::rate(), -100);
        }

        // The next start: the stored voice before the engine has told its voices, and a
        // narrator that speaks as chosen.
        RecordingSpeech later;
        Narrator narrator(later);
        QVERIFY(narrator.isOn());
        QCOMPARE(later.voice, u"Russian+Max"_s);
        QCOMPARE(later.rate, -1.0);
        SettingsWindow window(state, random, QDir(m_data.path()));
        window.setNarrator(&narrator);
        window.reload();
        QVERIFY(window.findChild<QCheckBox *>(u"HostVoice"_s)->isChecked());
        QCOMPARE(window.findChild<QComboBox *>(u"HostVoiceName"_s)->currentText(), u"Russian+Max"_s);
        QCOMPARE(window.findChild<QSlider *>(u"HostVoiceRate"_s)->value(), -100);
    }

    void theKeysAtTheTableSayWhatThePlayerAsks()
    {
        turnVoiceOn();
        GameState state;
        state.setStartValues();
        state.table.playerName = u"Тестер"_s;
        SystemRandom random(3);
        FixedClock clock;
        RecordingSpeech speech;
        Narrator narrator(speech);
        TestTimers timers;  // time passes only when the test says so, however slow the machine
        GameWindow window(state, random, clock, QDir(m_data.path()), nullptr, &timers);
        window.setNarrator(&narrator);
        LineStore names;
        QVERIFY(window.engine().newGame(names).ok());
        window.showTable();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        nextStep();
        QCOMPARE(speech.said.value(0), u"Добро пожаловать на программу ЗЫБКОЦЕПЬЕ"_s);

        // "Начинаем": the welcome is cut short for the round's first line and question.
        QTest::keyClick(&window, Qt::Key_Return);
        nextStep();
        QCOMPARE(speech.stops, 1);
        QCOMPARE(speech.said.last(), u"У вас есть 150 секунд на этот раунд. Время пошло!"_s);
        const QString question = narrator.question();
        QVERIFY2(QRegularExpression(u"^\\S+, Вопрос \\d+\\? Первый ответ: Верно \\d+\\. Второй ответ: Неверно \\d+\\.$"_s)
                     .match(question).hasMatch(),
                 qPrintable(question));
        QCOMPARE(narrator.waiting(), QStringList{question});

        QTest::keyClick(&window, Qt::Key_R);
        QCOMPARE(speech.said.last(), question);
        QCOMPARE(speech.stops, 2);
        window.engine().clockTicked();
        QTest::keyClick(&window, Qt::Key_T);
        QCOMPARE(speech.said.last(), u"До конца раунда 149 секунд"_s);

        QStringList seats;
        for (int seat = 1; seat <= SeatCount; ++seat) {
            const QString &name = state.table.seatNames[seat];
            seats << u"Место %1: %2."_s.arg(seat).arg(seat == state.table.playerSeat ? name + u", это вы"_s : name);
        }
        QTest::keyClick(&window, Qt::Key_N);
        QCOMPARE(speech.said.last(), seats.join(u' '));

        // The round played to its end: the player answers with the keys. A digit that is no
        // answer does nothing.
        int answeredByKey = 0;
        auto *answers = window.findChild<QGroupBox *>(u"RadioGroup1"_s);
        for (int event = 0; event < 2000 && !state.vote.open; ++event) {
            speech.finishAll();
            if (answers->isVisible() && answers->isEnabled()) {
                QTest::keyClick(&window, Qt::Key_5);
                QVERIFY(answers->isEnabled());
                QTest::keyClick(&window, Qt::Key_1);
                QVERIFY(!answers->isEnabled());
                ++answeredByKey;
            }
            fireNextTimer(window);
            nextStep();
        }
        QVERIFY(state.vote.open);
        QVERIFY(answeredByKey > 0);
        speech.finishAll();

        // The vote: R says again what the host said last, and how to vote; T that no round is on.
        QTest::keyClick(&window, Qt::Key_R);
        QCOMPARE(narrator.waiting().mid(narrator.waiting().size() - 2),
                 (QStringList{u"Кто же играет не так как все. Кому пришло время покинуть игровую площадку. Сейчас мы "
                              u"узнаем, кто на ваш взгляд самое зыбкоцепье!"_s,
                              u"Голосование: нажмите номер места игрока, которого хотите выгнать. N — кто за каким местом"_s}));
        QTest::keyClick(&window, Qt::Key_T);
        QCOMPARE(speech.said.last(), u"Раунд не идёт"_s);

        // A digit votes against the player at that seat; the verdict is read, then how to go on.
        int seat = 1;
        while (seat == state.table.playerSeat || !state.isOccupied(seat))
            ++seat;
        const int readBefore = int(speech.said.size());
        QTest::keyClick(&window, Qt::Key(Qt::Key_0 + seat));
        QVERIFY(!state.vote.open);
        nextStep();
        speech.finishAll();
        const QString shown = window.findChild<QPlainTextEdit *>(u"RichEdit1"_s)->toPlainText();
        QVERIFY(speech.said.size() > readBefore + 2);
        QCOMPARE(speech.said.last(), u"Чтобы начать, нажмите Enter"_s);
        for (qsizetype i = readBefore; i < speech.said.size() - 1; ++i)
            QVERIFY2(shown.contains(speech.said[i]), qPrintable(speech.said[i]));

        // With the voice off the keys say nothing.
        narrator.setOn(false);
        const qsizetype said = speech.said.size();
        for (Qt::Key key : {Qt::Key_R, Qt::Key_T, Qt::Key_N})
            QTest::keyClick(&window, key);
        QCOMPARE(speech.said.size(), said);
    }

    void withoutASpeechEngineTheVoiceIsSilentAndQuick()
    {
        // An engine that is not there, as on a server without speech: no message, no delay,
        // nothing read, nothing reported as read.
        QTest::failOnWarning(QRegularExpression(u".*"_s));
        QElapsedTimer elapsed;
        elapsed.start();
        auto engine = std::make_unique<QtSpeechEngine>(u"no-such-engine"_s);
        QSignalSpy finished(engine.get(), &SpeechEngine::finished);
        engine->setRate(0.5);
        engine->say(u"Добро пожаловать"_s);
        QCOMPARE(engine->status(), QtSpeechEngine::Status::Opening);
        engine->stop();
        engine->say(u"Верно"_s);
        QVERIFY2(elapsed.elapsed() < 200, qPrintable(u"%1 ms"_s.arg(elapsed.elapsed())));
        QTRY_COMPARE_WITH_TIMEOUT(engine->status(), QtSpeechEngine::Status::Silent, 5000);
        engine->say(u"Не верно!"_s);
        QVERIFY(engine->voices().isEmpty());
        QVERIFY(finished.isEmpty());
        elapsed.restart();
        engine.reset();
        QVERIFY2(elapsed.elapsed() < 200, qPrintable(u"%1 ms"_s.arg(elapsed.elapsed())));
    }

private:
    int m_ticks = 0;
    bool fireNextTimer(GameWindow &window) { return ::fireNextTimer(window.engine(), m_ticks); }
};

QTEST_MAIN(NarratorTest)
#include "NarratorTest.moc"
