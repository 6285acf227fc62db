// The command line: a seed is read whole or refused with the reason, never half-read.
#include "ui/StartOptions.h"

#include <QTest>

using namespace Qt::StringLiterals;

class StartOptionsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void aSeedIsReadWholeOrRefused_data()
    {
        QTest::addColumn<QList<QByteArray>>("args");
        QTest::addColumn<qint64>("seed");  // -1: no seed; -2: refused
        QTest::newRow("none") << QList<QByteArray>{"-platform", "offscreen"} << qint64(-1);
        QTest::newRow("apart") << QList<QByteArray>{"--seed", "42"} << qint64(42);
        QTest::newRow("joined") << QList<QByteArray>{"--seed=0"} << qint64(0);
        QTest::newRow("largest") << QList<QByteArray>{"--seed", "4294967295"} << qint64(4294967295);
        QTest::newRow("too large") << QList<QByteArray>{"--seed", "4294967296"} << qint64(-2);
        QTest::newRow("negative") << QList<QByteArray>{"--seed=-1"} << qint64(-2);
        QTest::newRow("a word") << QList<QByteArray>{"--seed", "abc"} << qint64(-2);
        QTest::newRow("missing") << QList<QByteArray>{"--seed"} << qint64(-2);
    }
    void aSeedIsReadWholeOrRefused()
    {
        QFETCH(QList<QByteArray>, args);
        QFETCH(qint64, seed);
        QList<const char *> argv{"zybkotsepye"};
        for (const QByteArray &a : args)
            argv << a.constData();
        const StartOptions options = StartOptions::read(int(argv.size()), argv.constData());
        if (seed == -2) {
            QVERIFY(!options.seed);
            QVERIFY(options.error.contains(u"4294967295"_s));
        } else {
            QVERIFY2(options.error.isEmpty(), qPrintable(options.error));
            QCOMPARE(options.seed.has_value(), seed >= 0);
            if (seed >= 0)
                QCOMPARE(qint64(*options.seed), seed);
        }
    }
};

QTEST_GUILESS_MAIN(StartOptionsTest)
#include "StartOptionsTest.moc"
