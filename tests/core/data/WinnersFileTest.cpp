#include "TestSupport.h"
#include "core/data/WinnersFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using TestSupport::cp1251;
using TestSupport::readFile;
using TestSupport::writeFile;

namespace {

const QLocale Russian(QLocale::Russian, QLocale::Russia);
const QDateTime Evening(QDate(2024, 3, 9), QTime(19, 5, 7));
const QDateTime Morning(QDate(2024, 3, 9), QTime(7, 5, 7));

QStringList record(const QString &name, const QString &amount, const QString &date, const QString &time = u"12:00:00"_s)
{
    return {u"!"_s, name, amount, date, time};
}

QStringList names(const QList<WinnersFile::Record> &records)
{
    QStringList result;
    for (const auto &r : records)
        result.append(r.name);
    return result;
}

} // namespace

class WinnersFileTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void recordIsExactlyFiveLines_data();
    void recordIsExactlyFiveLines();
    void dateIsReadBackUnderTheLocaleThatWroteIt_data();
    void dateIsReadBackUnderTheLocaleThatWroteIt();
    void twoDigitYearsOfOlderFilesAreReadInThisCentury();
    void appendingToAnEmptyFileWritesOneRecord();
    void appendingKeepsEarlierRecordsAndCreatesAMissingFile();
    void folderInPlaceOfTheFileCannotBeOpened();
    void fileThatCannotBeCreatedIsReportedWithoutWaiting();
    void unreadableRecordsAreSkippedAndLaterOnesKept_data();
    void unreadableRecordsAreSkippedAndLaterOnesKept();
    void twoGamesAppendingAtOnceLoseNoRecord();
};

void WinnersFileTest::recordIsExactlyFiveLines_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QDateTime>("when");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("time");
    QTest::newRow("ru_RU evening") << Russian << Evening << u"09.03.2024"_s << u"19:05:07"_s;
    QTest::newRow("ru_RU morning") << Russian << Morning << u"09.03.2024"_s << u"07:05:07"_s;
    QTest::newRow("en_US evening") << QLocale(u"en_US"_s) << Evening << u"3/9/2024"_s << u"7:05:07 PM"_s;
    QTest::newRow("de_DE four-digit year") << QLocale(u"de_DE"_s) << Morning << u"09.03.2024"_s << u"07:05:07"_s;
}

void WinnersFileTest::recordIsExactlyFiveLines()
{
    QFETCH(QLocale, locale);
    QFETCH(QDateTime, when);
    QFETCH(QString, date);
    QFETCH(QString, time);
    QCOMPARE(WinnersFile::recordLines(u"Ёлкин"_s, 125000, when, locale),
             (QStringList{u"!"_s, u"Ёлкин"_s, u"125000"_s, date, time}));
}

void WinnersFileTest::dateIsReadBackUnderTheLocaleThatWroteIt_data()
{
    QTest::addColumn<QLocale>("locale");
    for (const QString &name : {u"ru_RU"_s, u"en_US"_s, u"C"_s, u"de_DE"_s, u"en_GB"_s, u"ja_JP"_s, u"ff_SN"_s})
        QTest::newRow(qPrintable(name)) << QLocale(name);
}

void WinnersFileTest::dateIsReadBackUnderTheLocaleThatWroteIt()
{
    QFETCH(QLocale, locale);
    for (const QDate date : {QDate(2024, 3, 9), QDate(1999, 12, 31), QDate(2000, 1, 1), QDate(2024, 2, 29), QDate(2049, 11, 12)}) {
        const QString text = WinnersFile::formatDate(date, locale);
        QCOMPARE(WinnersFile::parseDate(text, locale), date);
    }
    QVERIFY(!WinnersFile::parseDate(u"вчера"_s, locale).isValid());
    QVERIFY(!WinnersFile::parseDate(u""_s, locale).isValid());
}

void WinnersFileTest::twoDigitYearsOfOlderFilesAreReadInThisCentury()
{
    QCOMPARE(WinnersFile::parseDate(u"09.03.24"_s, QLocale(u"de_DE"_s)), QDate(2024, 3, 9));
    QCOMPARE(WinnersFile::parseDate(u"3/9/24"_s, QLocale(u"en_US"_s)), QDate(2024, 3, 9));
    QCOMPARE(WinnersFile::parseDate(u"09.03.2024"_s, QLocale(u"en_US"_s)), QDate(2024, 3, 9));
}

void WinnersFileTest::appendingToAnEmptyFileWritesOneRecord()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(u"best.txt"_s);
    writeFile(file, {});
    LineStore buffer;
    buffer.setLines({u"stale question"_s});
    QVERIFY(WinnersFile::appendRecord(buffer, file, u"Ёлкин"_s, 125000, Morning, Russian).ok());
    QCOMPARE(readFile(file), cp1251(u"!\r\nЁлкин\r\n125000\r\n09.03.2024\r\n07:05:07\r\n"_s));
    QCOMPARE(buffer.count(), 5);
    QVERIFY(!QFile::exists(file + u".lock"_s));
}

void WinnersFileTest::appendingKeepsEarlierRecordsAndCreatesAMissingFile()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(u"best.txt"_s);
    // The buffer last held a question base kept in UTF-8: a new winners file is Windows-1251
    // all the same.
    LineStore buffer;
    buffer.setEncoding(LineStore::Encoding::Utf8);
    buffer.setLines({u"Вопрос в UTF-8"_s});
    QVERIFY(WinnersFile::appendRecord(buffer, file, u"Анна"_s, 8000, Morning, Russian).ok());
    const QByteArray first = readFile(file);
    QCOMPARE(first, cp1251(u"!\r\nАнна\r\n8000\r\n09.03.2024\r\n07:05:07\r\n"_s));
    QVERIFY(WinnersFile::appendRecord(buffer, file, u"Борис"_s, 0, Evening, Russian).ok());
    const QByteArray both = readFile(file);
    QVERIFY(both.startsWith(first));
    QCOMPARE(both.mid(first.size()), cp1251(u"!\r\nБорис\r\n0\r\n09.03.2024\r\n19:05:07\r\n"_s));
}

void WinnersFileTest::folderInPlaceOfTheFileCannotBeOpened()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(u"best.txt"_s);
    QVERIFY(QDir().mkpath(file));
    LineStore buffer;
    QCOMPARE(WinnersFile::appendRecord(buffer, file, u"Анна"_s, 1, Morning, Russian).message,
             u"Не удаётся открыть файл best.txt"_s);
    QVERIFY(QFileInfo(file).isDir());
}

void WinnersFileTest::fileThatCannotBeCreatedIsReportedWithoutWaiting()
{
    QTemporaryDir dir;
    writeFile(dir.filePath(u"plain"_s), "x");
    LineStore buffer;
    QElapsedTimer timer;
    timer.start();
    const Status status = WinnersFile::appendRecord(buffer, dir.filePath(u"plain/best.txt"_s), u"Анна"_s, 1, Morning, Russian);
    QCOMPARE(status.message, u"Не удаётся записать файл best.txt"_s);
    QVERIFY(!status.detail.contains(u"занят"_s));
    QVERIFY(timer.elapsed() < 5000);
}

void WinnersFileTest::unreadableRecordsAreSkippedAndLaterOnesKept_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("names");
    const QStringList good = record(u"Первый"_s, u"500"_s, u"01.02.2024"_s);
    const QStringList last = record(u"Последний"_s, u"1000"_s, u"02.02.2024"_s);
    const QStringList both{u"Первый"_s, u"Последний"_s};

    QTest::newRow("all readable") << good + last << both;
    QTest::newRow("cut short at the end") << good + last + QStringList{u"!"_s, u"Обрезанный"_s, u"700"_s} << both;
    QTest::newRow("missing time") << good + QStringList{u"!"_s, u"Без времени"_s, u"700"_s, u"01.02.2024"_s} + last << both;
    QTest::newRow("missing name") << good + QStringList{u"!"_s, u"700"_s, u"01.02.2024"_s, u"12:00:00"_s} + last << both;
    QTest::newRow("bad amount") << good + record(u"Плохая сумма"_s, u"12 000"_s, u"01.02.2024"_s) + last << both;
    QTest::newRow("empty amount") << good + record(u"Пустая сумма"_s, u""_s, u"01.02.2024"_s) + last << both;
    QTest::newRow("bad date") << good + record(u"Плохая дата"_s, u"700"_s, u"32.13.2024"_s) + last << both;
    QTest::newRow("text before the first marker") << QStringList{u"мусор"_s, u""_s} + good + last << both;
    QTest::newRow("winner named like the marker") << record(u"!"_s, u"900"_s, u"01.02.2024"_s) + last
                                                  << QStringList{u"!"_s, u"Последний"_s};
}

void WinnersFileTest::unreadableRecordsAreSkippedAndLaterOnesKept()
{
    QFETCH(QStringList, lines);
    QFETCH(QStringList, names);
    const QList<WinnersFile::Record> records = WinnersFile::records(lines, int(lines.size()), Russian);
    QCOMPARE(::names(records), names);
    QCOMPARE(records.last().amountValue, 1000);
    QCOMPARE(records.last().dateValue, QDate(2024, 2, 2));
    QCOMPARE(records.last().time, u"12:00:00"_s);
    QCOMPARE(lines.at(records.last().line + 1), u"Последний"_s);
}

void WinnersFileTest::twoGamesAppendingAtOnceLoseNoRecord()
{
    constexpr int PerGame = 200;
    QTemporaryDir dir;
    const QString file = dir.filePath(u"best.txt"_s);
    QProcess first, second;
    first.start(QStringLiteral(ZYB_APPEND_RECORDS), {file, QString::number(PerGame), u"Первый"_s});
    second.start(QStringLiteral(ZYB_APPEND_RECORDS), {file, QString::number(PerGame), u"Второй"_s});
    for (QProcess *p : {&first, &second}) {
        QVERIFY2(p->waitForFinished(120000), "an appending game hung");
        QVERIFY2(p->exitStatus() == QProcess::NormalExit && p->exitCode() == 0, p->readAllStandardError().constData());
    }

    LineStore store;
    QVERIFY(store.load(file).ok());
    QCOMPARE(store.count(), 2 * PerGame * 5);
    const QList<WinnersFile::Record> records = WinnersFile::records(store.lines(), store.count(), Russian);
    QCOMPARE(records.size(), 2 * PerGame);
    int firsts = 0;
    for (const auto &r : records) {
        QCOMPARE(r.line % 5, 0);
        QVERIFY(r.name == u"Первый"_s || r.name == u"Второй"_s);
        firsts += r.name == u"Первый"_s;
    }
    QCOMPARE(firsts, PerGame);
    QVERIFY(!QFile::exists(file + u".lock"_s));
}

QTEST_GUILESS_MAIN(WinnersFileTest)
#include "WinnersFileTest.moc"
