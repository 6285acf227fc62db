#include "core/winners/WinnersQuery.h"

#include <QTest>

using namespace Qt::StringLiterals;
using WinnersQuery::Record;

namespace {

// 15 March 2024, ten in the morning.
const QDateTime Now(QDate(2024, 3, 15), QTime(10, 0));

Record record(const QString &name, qint64 amount, QDate date = Now.date())
{
    Record r;
    r.name = name;
    r.amount = QString::number(amount);
    r.amountValue = amount;
    r.date = date.toString(u"dd.MM.yyyy"_s);
    r.dateValue = date;
    r.time = u"12:00:00"_s;
    return r;
}

QStringList names(const QList<Record> &records)
{
    QStringList result;
    for (const Record &r : records)
        result.append(r.name);
    return result;
}

} // namespace

class WinnersQueryTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lastDaysCountsTheTimeOfDay_data()
    {
        QTest::addColumn<int>("days");
        QTest::addColumn<QStringList>("listed");
        // The records are dated: day after tomorrow, tomorrow, today, yesterday,
        // six days ago, seven days ago.
        QTest::newRow("-1: far enough in the future") << -1 << QStringList{u"+2"_s};
        QTest::newRow("no limit") << std::numeric_limits<int>::max()
                                  << QStringList{u"+2"_s, u"+1"_s, u"0"_s, u"-1"_s, u"-6"_s, u"-7"_s};
        QTest::newRow("no record is that far ahead") << std::numeric_limits<int>::min() << QStringList{};
    }

    void lastDaysCountsTheTimeOfDay()
    {
        QFETCH(int, days);
        QFETCH(QStringList, listed);
        QList<Record> records;
        for (int offset : {2, 1, 0, -1, -6, -7})
            records.append(record(offset > 0 ? u"+%1"_s.arg(offset) : QString::number(offset), 500,
                                  Now.date().addDays(offset)));
        QCOMPARE(names(WinnersQuery::lastDays(records, days, Now)), listed);
    }

    void ageIsExactAtMidnight()
    {
        const QDateTime midnight(QDate(2024, 3, 15), QTime(0, 0));
        QCOMPARE(WinnersQuery::ageMsecs(QDate(2024, 3, 14), midnight), 24LL * 3600 * 1000);
        // Yesterday's record is exactly one day old at midnight and still within one day.
        QCOMPARE(names(WinnersQuery::lastDays({record(u"вчера"_s, 1, QDate(2024, 3, 14))}, 1, midnight)),
                 QStringList{u"вчера"_s});
    }

    void biggestAndSmallestKeepTheEarliestOfEqualAmounts()
    {
        const QList<Record> records{record(u"a"_s, 500), record(u"b"_s, 9000), record(u"c"_s, 100),
                                    record(u"d"_s, 9000), record(u"e"_s, 100)};
        QCOMPARE(WinnersQuery::biggest(records)->name, u"b"_s);
        QCOMPARE(WinnersQuery::smallest(records)->name, u"c"_s);
        QCOMPARE(WinnersQuery::biggest({record(u"x"_s, -5)})->name, u"x"_s);
        QVERIFY(!WinnersQuery::biggest({}).has_value());
        QVERIFY(!WinnersQuery::smallest({}).has_value());
    }

    void listingShowsTheLinesAsTheyStand()
    {
        QCOMPARE(WinnersQuery::listing({}), QString());
        Record r = record(u"Вася"_s, 125000, QDate(2024, 3, 1));
        r.time = u"9:05:07"_s;
        QCOMPARE(WinnersQuery::listing({r}),
                 u"Игрок: Вася\nВыиграл: 125000 рублей\nИгра состоялась: 01.03.2024\nВ: 9:05:07\n"_s);
    }
};

QTEST_GUILESS_MAIN(WinnersQueryTest)
#include "WinnersQueryTest.moc"
