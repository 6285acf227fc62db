// The sound: the player's steps of cues, silence without an audio output, the controls in
// the settings window and the key M at the table, all kept in the player's settings.
#include "ui/settings/SettingsWindow.h"
#include "ui/sound/SoundOutput.h"
#include "ui/sound/SoundPlayer.h"
#include "ui/sound/SoundSettings.h"
#include "ui/table/GameWindow.h"

#include "FixedClock.h"
#include "RecordingSounds.h"
#include "ScriptedRandom.h"
#include "TestSupport.h"
#include "TestTimers.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QAudioDevice>
#include <QMediaDevices>
#include <QSettings>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QtEndian>

using namespace Qt::StringLiterals;
using Cue = GameSounds::Cue;

namespace {

// A player whose effects are names in a list: what started, what was stopped. A cue in
// `broken` cannot sound, as if its file failed to decode. Every sound lasts `length` ms:
// by default long enough that only the test ends one, with effectEnded().
class ListenedPlayer : public SoundPlayer
{
public:
    QStringList started;
    int stops = 0;
    QList<Cue> broken;
    int length = 3600 * 1000;

    using SoundPlayer::effectEnded;

protected:
    bool startEffect(Cue cue) override
    {
        if (broken.contains(cue))
            return false;
        started << RecordingSounds::name(cue);
        return true;
    }
    void stopEffects() override { ++stops; }
    int soundLength(Cue) const override { return length; }
};

// A PCM WAV file: mono, 16 bits, `rate` frames a second, `frames` frames, with an extra
// chunk before the samples if asked.
QByteArray wav(int rate, int frames, bool extraChunk = false)
{
    auto le32 = [](quint32 v) { QByteArray b(4, 0); qToLittleEndian(v, b.data()); return b; };
    auto le16 = [](quint16 v) { QByteArray b(2, 0); qToLittleEndian(v, b.data()); return b; };
    QByteArray fmt = le16(1) + le16(1) + le32(quint32(rate)) + le32(quint32(rate * 2)) + le16(2) + le16(16);
    QByteArray body = "WAVE" + QByteArray("fmt ") + le32(16) + fmt;
    if (extraChunk)
        body += QByteArray("LIST") + le32(3) + QByteArray("abc") + QByteArray(1, 0);  // odd: padded
    body += QByteArray("data") + le32(quint32(frames * 2)) + QByteArray(frames * 2, 0);
    return "RIFF" + le32(quint32(body.size())) + body;
}

// The game's next step: the event loop runs once between two of them.
void nextStep() { QCoreApplication::processEvents(); }


} // namespace

class SoundPlayerTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_config;
    QTemporaryDir m_data;

private Q_SLOTS:
    void initTestCase()
    {
        TestSupport::keepSettingsIn(m_config);
        // No sound server, whatever the machine has: the tests never sound.
        qputenv("PULSE_SERVER", "unix:/nonexistent");
        TestSupport::writeFile(m_data.filePath(u"Vopros.txt"_s), TestSupport::questionBase(30));
        TestSupport::writeFile(m_data.filePath(u"names.txt"_s),
                               TestSupport::eightNames());
    }

    void init()
    {
        TestSupport::clearSettings();
    }

    void everyCueHasASoundBuiltIntoTheProgram()
    {
        QSet<QString> sources;
        for (int i = 0; i < GameSounds::CueCount; ++i) {
            const QString source = SoundPlayer::source(Cue(i));
            QVERIFY2(source.startsWith(u"qrc:"_s), qPrintable(source));
            QFile file(source.mid(3));
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(source));
            const QByteArray header = file.read(12);
            QVERIFY2(header.startsWith("RIFF") && header.endsWith("WAVE"), qPrintable(source));
            sources.insert(source);
        }
        QCOMPARE(sources.size(), GameSounds::CueCount);

        // Each cue its own sound: two swapped would pass every check above.
        const std::pair<Cue, const char *> files[] = {
            {Cue::QuestionPut, "question"}, {Cue::RightAnswer, "right_answer"}, {Cue::WrongAnswer, "chain_break"},
            {Cue::Banked, "bank"},          {Cue::ClockTick, "tick"},           {Cue::RoundOver, "round_end"},
            {Cue::VoteVerdict, "verdict"},  {Cue::PlayerLeaves, "player_leaves"}, {Cue::DuelStarts, "duel_start"},
            {Cue::Won, "win"},              {Cue::Lost, "loss"}};
        QCOMPARE(int(std::size(files)), GameSounds::CueCount);
        for (const auto &[cue, file] : files)
            QCOMPARE(SoundPlayer::source(cue), u"qrc:/sounds/%1.wav"_s.arg(QLatin1StringView(file)));
    }

    void cuesOfOneStepPlayOneAfterAnother()
    {
        ListenedPlayer player;
        // The player is voted off: the verdict, the leaving and the loss, in turn.
        player.play(Cue::VoteVerdict);
        player.play(Cue::PlayerLeaves);
        player.play(Cue::Lost);
        QCOMPARE(player.started, QStringList{u"VoteVerdict"_s});
        nextStep();
        // The clock keeps time whatever else sounds.
        player.play(Cue::ClockTick);
        QCOMPARE(player.started, (QStringList{u"VoteVerdict"_s, u"ClockTick"_s}));
        player.effectEnded(Cue::ClockTick);
        QCOMPARE(player.started.size(), 2);
        player.effectEnded(Cue::VoteVerdict);
        QCOMPARE(player.started.last(), u"PlayerLeaves"_s);
        player.effectEnded(Cue::PlayerLeaves);
        QCOMPARE(player.started.last(), u"Lost"_s);
        player.effectEnded(Cue::Lost);
        QCOMPARE(player.started.size(), 4);
    }

    void aStepGoesOnWhenEachSoundHasHadItsLength()
    {
        ListenedPlayer player;
        player.length = 0;
        player.play(Cue::RightAnswer);
        player.play(Cue::Banked);
        QCOMPARE(player.started, QStringList{u"RightAnswer"_s});
        QTRY_COMPARE_WITH_TIMEOUT(player.started, (QStringList{u"RightAnswer"_s, u"Banked"_s}), 1000);
    }

    void theLengthOfASoundComesFromItsFile()
    {
        QCOMPARE(SoundPlayer::wavLength(wav(22050, 22050)), 1000);
        QCOMPARE(SoundPlayer::wavLength(wav(22050, 11025, true)), 500);
        QCOMPARE(SoundPlayer::wavLength(wav(8000, 0)), 0);
        // Cut short: what is there.
        QCOMPARE(SoundPlayer::wavLength(wav(1000, 1000).left(44 + 500)), 250);
        QCOMPARE(SoundPlayer::wavLength("RIFF"), -1);
        QCOMPARE(SoundPlayer::wavLength(wav(22050, 10).replace(0, 4, "RIFX")), -1);
        QByteArray compressed = wav(22050, 10);
        compressed[20] = 2;
        QCOMPARE(SoundPlayer::wavLength(compressed), -1);
        for (int i = 0; i < GameSounds::CueCount; ++i) {
            QFile file(SoundPlayer::source(Cue(i)).mid(3));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const int ms = SoundPlayer::wavLength(file.readAll());
            QVERIFY2(ms > 0 && ms < 5000, qPrintable(u"%1: %2 ms"_s.arg(file.fileName()).arg(ms)));
        }
    }

    void theNextStepDropsWhatTheLastOneLeft()
    {
        ListenedPlayer player;
        player.play(Cue::RightAnswer);
        player.play(Cue::Banked);
        nextStep();
        player.play(Cue::QuestionPut);
        QCOMPARE(player.started, (QStringList{u"RightAnswer"_s, u"QuestionPut"_s}));
        player.effectEnded(Cue::RightAnswer);
        player.effectEnded(Cue::QuestionPut);
        QCOMPARE(player.started.size(), 2);
    }

    void aSoundThatCannotPlayGivesWayToTheNext()
    {
        ListenedPlayer player;
        player.broken = {Cue::DuelStarts};
        player.play(Cue::DuelStarts);
        player.play(Cue::QuestionPut);
        QCOMPARE(player.started, QStringList{u"QuestionPut"_s});
    }

    void nothingPlaysWhileTheSoundIsOffOrAtZero()
    {
        ListenedPlayer player;
        player.play(Cue::VoteVerdict);
        player.play(Cue::PlayerLeaves);
        player.setOn(false);
        QCOMPARE(player.stops, 1);
        player.effectEnded(Cue::VoteVerdict);
        for (int i = 0; i < GameSounds::CueCount; ++i)
            player.play(Cue(i));
        QCOMPARE(player.started, QStringList{u"VoteVerdict"_s});

        player.setOn(true);
        player.setVolume(0);
        nextStep();
        player.play(Cue::Won);
        QCOMPARE(player.started.size(), 1);
        player.setVolume(140);
        QCOMPARE(player.volume(), 100);
        player.play(Cue::Won);
        QCOMPARE(player.started.last(), u"Won"_s);
    }

    void withoutAnAudioOutputThePlayerIsSilentAndQuick()
    {
        // The tests run with no sound server: the player makes no effect and says nothing,
        // neither when it looks for the device nor on a cue. With an output, it only has to
        // be as quick.
        QTest::failOnWarning(QRegularExpression(u"audio device|PulseAudio"_s, QRegularExpression::CaseInsensitiveOption));
        QElapsedTimer elapsed;
        elapsed.start();
        SoundPlayer player;
        const bool loaded = player.load();
        const bool noOutput = QMediaDevices::audioOutputs().isEmpty();
        for (int round = 0; round < 3; ++round) {
            for (int i = 0; i < GameSounds::CueCount; ++i)
                player.play(Cue(i));
            nextStep();
        }
        QVERIFY2(elapsed.elapsed() < 500, qPrintable(u"%1 ms"_s.arg(elapsed.elapsed())));
        if (noOutput) {
            QVERIFY(!loaded);
            QVERIFY(player.findChildren<QObject *>().isEmpty());
        }
    }

    void theProgramPlaysThroughTheModuleAndIsSilentWithoutIt()
    {
        SoundSettings::storeOn(true);
        SoundSettings::storeVolume(45);
        SoundOutput missing(m_data.filePath(u"no-such-module"_s));
        QCOMPARE(missing.volume(), 45);
        QVERIFY(missing.isOn());
        missing.play(Cue::RightAnswer);  // loads, finds nothing, stays silent
        QVERIFY(!missing.player());
        QVERIFY(!missing.load());
        missing.setVolume(120);
        QCOMPARE(missing.volume(), 100);
        missing.setOn(false);
        QVERIFY(!missing.isOn());

        SoundOutput output(QStringLiteral(ZYB_SOUND_MODULE));
        QVERIFY(!output.player());  // nothing loaded before it is needed
        QCOMPARE(output.load(), !QMediaDevices::audioOutputs().isEmpty());
        SoundControl *player = output.player();
        QVERIFY(player);
        QCOMPARE(player->volume(), 45);
        output.setVolume(30);
        output.setOn(false);
        QCOMPARE(player->volume(), 30);
        QVERIFY(!player->isOn());
    }

    void theSettingsWindowStoresTheSoundAndAppliesItAtOnce()
    {
        GameState state;
        state.setStartValues();
        ScriptedRandom random;
        ListenedPlayer player;
        {
            SettingsWindow window(state, random, QDir(m_data.path()));
            window.setSounds(&player);
            window.reload();
            auto *on = window.findChild<QCheckBox *>(u"SoundOn"_s);
            auto *volume = window.findChild<QSlider *>(u"SoundVolume"_s);
            QVERIFY(on && volume);
            QCOMPARE(volume->accessibleName(), u"Громкость"_s);
            QCOMPARE(volume->minimum(), 0);
            QCOMPARE(volume->maximum(), 100);
            // Before the player has chosen: on, at 80.
            QVERIFY(on->isChecked());
            QCOMPARE(volume->value(), 80);

            volume->setValue(35);
            QCOMPARE(player.volume(), 35);
            QCOMPARE(SoundSettings::volume(), 35);
            // A drag is heard at once and stored when the slider is let go.
            volume->setSliderDown(true);
            volume->setValue(60);
            QCOMPARE(player.volume(), 60);
            QCOMPARE(SoundSettings::volume(), 35);
            volume->setSliderDown(false);
            QCOMPARE(SoundSettings::volume(), 60);

            on->click();
            QVERIFY(!player.isOn());
            QVERIFY(!SoundSettings::isOn());
            QVERIFY(!volume->isEnabled());
        }

        // The next time the window is shown.
        SettingsWindow window(state, random, QDir(m_data.path()));
        window.reload();
        QVERIFY(!window.findChild<QCheckBox *>(u"SoundOn"_s)->isChecked());
        QCOMPARE(window.findChild<QSlider *>(u"SoundVolume"_s)->value(), 60);
        QCOMPARE(SoundPlayer().volume(), 60);
        QVERIFY(!SoundPlayer().isOn());
    }

    void theKeyMTurnsTheSoundOffAndOnAtTheTable()
    {
        GameState state;
        state.setStartValues();
        state.table.playerName = u"Тестер"_s;
        SystemRandom random(3);
        FixedClock clock;
        ListenedPlayer player;
        TestTimers timers;  // time passes only when the test says so, however slow the machine
        GameWindow window(state, random, clock, QDir(m_data.path()), nullptr, &timers);
        window.setSounds(&player);
        LineStore names;
        QVERIFY(window.engine().newGame(names).ok());
        window.showTable();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto *hint = window.findChild<QLabel *>(u"SoundKey"_s);
        QVERIFY(hint && hint->isVisible());
        QCOMPARE(hint->text(), u"Звук: вкл. (M)"_s);

        QTest::keyClick(&window, Qt::Key_M);
        QVERIFY(!player.isOn());
        QVERIFY(!SoundSettings::isOn());
        QCOMPARE(hint->text(), u"Звук: выкл. (M)"_s);
        QVERIFY(window.rect().contains(hint->geometry()));
        // "Начинаем" puts the first question, unheard.
        QTest::keyClick(&window, Qt::Key_Return);
        QVERIFY(window.engine().timers().isActive(GameTimers::Timer::RoundClock));
        QVERIFY(player.started.isEmpty());

        QTest::keyClick(&window, Qt::Key_M);
        QVERIFY(player.isOn());
        QVERIFY(SoundSettings::isOn());
        QCOMPARE(hint->text(), u"Звук: вкл. (M)"_s);
        nextStep();
        for (int second = 0; second < 200 && player.started.isEmpty(); ++second)
            window.engine().clockTicked();
        QCOMPARE(player.started.value(0), u"ClockTick"_s);
    }
};

QTEST_MAIN(SoundPlayerTest)
#include "SoundPlayerTest.moc"
