#include "TestSupport.h"
#include "core/data/LineStore.h"
#include "core/data/NamesBase.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using TestSupport::cp1251;
using TestSupport::readFile;
using TestSupport::writeFile;

class NamesBaseTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sortsInRussianAlphabetOrderIgnoringLetterCase();
    void newNameGoesToItsSortedPlace_data();
    void newNameGoesToItsSortedPlace();
    void namesDifferingOnlyInLetterCaseAreDifferentNames();
    void namesThatWouldBreakTheGameAreRefused_data();
    void namesThatWouldBreakTheGameAreRefused();
    void addingToAnUnsortedFileWritesItSorted();
};

void NamesBaseTest::sortsInRussianAlphabetOrderIgnoringLetterCase()
{
    const QStringList shuffled{u"Яна"_s, u"Ёлка"_s, u"жанна"_s, u"Елена"_s, u"ёжик"_s, u"Ева"_s,
                               u"дима"_s, u"Анна"_s, u"борис"_s, u"Эрик"_s, u"юрий"_s};
    // Ё sorts with Е, as in Russian dictionaries: between Д and Ж, never after Я.
    const QStringList expected{u"Анна"_s, u"борис"_s, u"дима"_s, u"Ева"_s, u"ёжик"_s, u"Елена"_s,
                               u"Ёлка"_s, u"жанна"_s, u"Эрик"_s, u"юрий"_s, u"Яна"_s};
    QCOMPARE(NamesBase::sorted(shuffled), expected);
}

void NamesBaseTest::newNameGoesToItsSortedPlace_data()
{
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("position");

    const QStringList abc{u"Анна"_s, u"Борис"_s, u"Глеб"_s};
    QTest::newRow("into an empty list") << QStringList{} << u"Анна"_s << 0;
    QTest::newRow("first") << abc << u"Аарон"_s << 0;
    QTest::newRow("middle") << abc << u"Вера"_s << 2;
    QTest::newRow("last") << abc << u"Яна"_s << 3;
    QTest::newRow("lower case among capitals") << abc << u"вера"_s << 2;
    QTest::newRow("after the same name in another case") << abc << u"анна"_s << 1;
    QTest::newRow("Ё before Ж") << QStringList{u"Дима"_s, u"Жанна"_s} << u"Ёлка"_s << 1;
    QTest::newRow("Cyrillic before Latin") << QStringList{u"Анна"_s, u"Alex"_s} << u"Борис"_s << 1;
}

void NamesBaseTest::newNameGoesToItsSortedPlace()
{
    QFETCH(QStringList, list);
    QFETCH(QString, name);
    QFETCH(int, position);
    QCOMPARE(NamesBase::insertPosition(list, name), position);
    list.insert(position, name);
    QCOMPARE(NamesBase::sorted(list), list);
}

void NamesBaseTest::namesDifferingOnlyInLetterCaseAreDifferentNames()
{
    const QStringList names{u"Анна"_s, u"анна"_s, u"АННА"_s, u"Анна"_s, u"Игрок"_s};
    QCOMPARE(NamesBase::distinctSeatable(names, u"Игрок"_s), 3);
    QCOMPARE(NamesBase::distinctSeatable(names, u"игрок"_s), 4);
}

void NamesBaseTest::namesThatWouldBreakTheGameAreRefused_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("refused");
    QTest::newRow("empty seat mark") << u"0"_s << true;
    QTest::newRow("record mark") << u"!"_s << true;
    QTest::newRow("not in Windows-1251") << u"Łukasz"_s << true;
    QTest::newRow("line break") << u"Анна\r\nБорис"_s << true;
    QTest::newRow("zero with a blank") << u"0 "_s << false;
    QTest::newRow("Ё") << u"Ёлкин"_s << false;
}

void NamesBaseTest::namesThatWouldBreakTheGameAreRefused()
{
    QFETCH(QString, name);
    QFETCH(bool, refused);
    QCOMPARE(!NamesBase::refusal(name).isEmpty(), refused);
}

void NamesBaseTest::addingToAnUnsortedFileWritesItSorted()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(u"names.txt"_s);
    writeFile(file, cp1251(u"Яна\r\nанна"_s));
    LineStore store;
    QVERIFY(store.load(file).ok());
    QCOMPARE(store.lines(), (QStringList{u"Яна"_s, u"анна"_s}));

    store.setLines(NamesBase::sorted(store.lines()));
    store.insert(NamesBase::insertPosition(store.lines(), u"Борис"_s), u"Борис"_s);
    QVERIFY(store.save(file).ok());
    QCOMPARE(readFile(file), cp1251(u"анна\r\nБорис\r\nЯна\r\n"_s));
}

QTEST_GUILESS_MAIN(NamesBaseTest)
#include "NamesBaseTest.moc"
