// The data files survive a game killed in the middle of a save, and records written by
// several games at once are all kept.
#include "SaveVersions.h"
#include "TestSupport.h"

#include "core/data/LineStore.h"
#include "core/data/WinnersFile.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

using namespace Qt::StringLiterals;

namespace {

QByteArray bytesOf(const QStringList &lines)
{
    LineStore store;
    store.setLines(lines);
    QByteArray bytes;
    LineStore::encode(store.lines(), LineStore::Encoding::Windows1251, &bytes);
    return bytes;
}

} // namespace

class CrashAndConcurrencyTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    // Starts the save loop and kills it at a random moment of its work.
    void killDuringSave(const QString &kind, const QString &path, QRandomGenerator &random)
    {
        QProcess loop;
        loop.start(QStringLiteral(ZYB_SAVE_LOOP), {kind, path});
        QVERIFY(loop.waitForStarted(10000));
        QVERIFY(loop.waitForReadyRead(10000));
        QTest::qSleep(int(random.bounded(40)));
        ::kill(pid_t(loop.processId()), SIGKILL);
        QVERIFY(loop.waitForFinished(10000));
        QCOMPARE(loop.exitStatus(), QProcess::CrashExit);
    }

private Q_SLOTS:
    void aKilledSaveLeavesTheOldOrTheNewFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("question base") << u"questions"_s;
        QTest::newRow("names base") << u"names"_s;
    }

    void aKilledSaveLeavesTheOldOrTheNewFile()
    {
        QFETCH(QString, kind);
        const QString path = m_dir.filePath(kind + u".txt"_s);
        const QByteArray a = bytesOf(SaveVersions::version(kind, 0));
        const QByteArray b = bytesOf(SaveVersions::version(kind, 1));
        TestSupport::writeFile(path, a);
        QRandomGenerator random(42);
        int sawA = 0, sawB = 0;
        for (int i = 0; i < 200; ++i) {
            killDuringSave(kind, path, random);
            const QByteArray now = TestSupport::readFile(path);
            QVERIFY2(now == a || now == b, qPrintable(u"run %1: %2 bytes, neither version"_s.arg(i).arg(now.size())));
            (now == a ? sawA : sawB)++;
        }
        qInfo("%s: old version %d times, new version %d times", qPrintable(kind), sawA, sawB);
    }

    void aKilledRecordWriteLeavesWholeRecords()
    {
        const QString path = m_dir.filePath(u"best.txt"_s);
        TestSupport::writeFile(path, {});
        const QStringList record = WinnersFile::recordLines(SaveVersions::winnerName(), 500, SaveVersions::when(),
                                                            SaveVersions::locale());
        const QByteArray recordBytes = bytesOf(record);
        QRandomGenerator random(7);
        for (int i = 0; i < 200; ++i) {
            killDuringSave(u"winners"_s, path, random);
            const QByteArray now = TestSupport::readFile(path);
            QVERIFY2(now.size() % recordBytes.size() == 0, qPrintable(u"run %1: %2 bytes"_s.arg(i).arg(now.size())));
            QCOMPARE(now, recordBytes.repeated(now.size() / recordBytes.size()));
        }
    }

    void fourGamesEndingAtOnceKeepAllTheirRecords()
    {
        const QString path = m_dir.filePath(u"concurrent-best.txt"_s);
        std::vector<std::unique_ptr<QProcess>> games;
        for (int g = 0; g < 4; ++g) {
            auto p = std::make_unique<QProcess>();
            p->start(QStringLiteral(ZYB_APPEND_RECORDS), {path, u"100"_s, u"Игра %1"_s.arg(g)});
            QVERIFY(p->waitForStarted(10000));
            games.push_back(std::move(p));
        }
        for (auto &p : games) {
            QVERIFY(p->waitForFinished(300000));
            QVERIFY2(p->exitCode() == 0, p->readAllStandardError().constData());
        }
        LineStore file;
        QVERIFY(file.load(path).ok());
        QCOMPARE(file.count(), 2000);
        const auto records = WinnersFile::records(file.lines(), file.count(), QLocale(QLocale::Russian, QLocale::Russia));
        QCOMPARE(records.size(), 400);
        for (int g = 0; g < 4; ++g) {
            const auto mine = std::count_if(records.begin(), records.end(),
                                            [&](const WinnersFile::Record &r) { return r.name == u"Игра %1"_s.arg(g); });
            QCOMPARE(mine, 100);
        }
    }
};

QTEST_GUILESS_MAIN(CrashAndConcurrencyTest)
#include "CrashAndConcurrencyTest.moc"
