#include "TestSupport.h"
#include "core/data/DataFiles.h"
#include "core/data/QuestionBase.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using TestSupport::cp1251;
using TestSupport::readFile;
using TestSupport::writeFile;

namespace {

const QStringList TwoQuestions{u"?"_s, u"Q1"_s, u"A"_s, u"B"_s, u"0"_s, u"?"_s, u"Q2"_s, u"C"_s, u"D"_s, u"1"_s};

QByteArray crlfFile(const QStringList &lines)
{
    return cp1251(lines.join(u"\r\n"_s) + u"\r\n"_s);
}

} // namespace

class QuestionBaseTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void indexesTwoQuestionsAndReadsTheirRightAnswers();
    void onlyPlayableBlocksAreIndexed_data();
    void onlyPlayableBlocksAreIndexed();
    void fileWithoutFinalLineEndIndexesLikeOneWithIt();
    void appendingToNBlocksGivesNPlusOneBlocks();
    void textsThatWouldBreakTheFileAreRefused_data();
    void textsThatWouldBreakTheFileAreRefused();
    void lowerCaseFileNameReachesTheExistingFile();
};

void QuestionBaseTest::indexesTwoQuestionsAndReadsTheirRightAnswers()
{
    const QuestionBase::Index index = QuestionBase::index(TwoQuestions);
    QCOMPARE(index.starts, (QList<int>{0, 5}));
    QCOMPARE(index.skipped, 0);

    const QuestionBase::Question q0 = QuestionBase::question(TwoQuestions, 0);
    QCOMPARE(q0.text, u"Q1"_s);
    QCOMPARE(q0.right, 0);
    QCOMPARE(q0.right == 0 ? q0.first : q0.second, u"A"_s);
    const QuestionBase::Question q1 = QuestionBase::question(TwoQuestions, 5);
    QCOMPARE(q1.text, u"Q2"_s);
    QCOMPARE(q1.right, 1);
    QCOMPARE(q1.right == 0 ? q1.first : q1.second, u"D"_s);
}

void QuestionBaseTest::onlyPlayableBlocksAreIndexed_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QList<int>>("starts");
    QTest::addColumn<int>("skipped");

    QTest::newRow("last block cut after its question") << TwoQuestions + QStringList{u"?"_s, u"Q3"_s} << QList<int>{0, 5} << 1;
    QTest::newRow("last block without its index") << TwoQuestions + QStringList{u"?"_s, u"Q3"_s, u"E"_s, u"F"_s}
                                                  << QList<int>{0, 5} << 1;
    QTest::newRow("last line a lone marker") << TwoQuestions + QStringList{u"?"_s} << QList<int>{0, 5} << 1;
    QTest::newRow("cut block before a good one") << QStringList{u"?"_s, u"Q1"_s, u"A"_s, u"?"_s, u"Q2"_s, u"C"_s, u"D"_s, u"1"_s}
                                                 << QList<int>{3} << 1;
    for (const QString &bad : {u"2"_s, u"-1"_s, u"x"_s, u""_s, u" 1"_s, u"01"_s}) {
        QStringList lines = TwoQuestions;
        lines[4] = bad;
        QTest::addRow("index line \"%s\"", qPrintable(bad)) << lines << QList<int>{5} << 1;
    }
    QTest::newRow("no marker at all") << QStringList{u"Q1"_s, u"A"_s, u"B"_s, u"0"_s} << QList<int>{} << 0;
    QTest::newRow("empty base") << QStringList{} << QList<int>{} << 0;
    QTest::newRow("blank before the mark is text") << QStringList{u" ?"_s, u"Q"_s, u"A"_s, u"B"_s, u"0"_s} << QList<int>{} << 0;
    QTest::newRow("double mark is text") << QStringList{u"??"_s, u"Q"_s, u"A"_s, u"B"_s, u"0"_s} << QList<int>{} << 0;
    QTest::newRow("mark-like question text") << QStringList{u"?"_s, u"??"_s, u" ?"_s, u"?!"_s, u"1"_s} << QList<int>{0} << 0;
    QTest::newRow("empty lines after the last block") << TwoQuestions + QStringList{u""_s, u""_s} << QList<int>{0, 5} << 0;
}

void QuestionBaseTest::onlyPlayableBlocksAreIndexed()
{
    QFETCH(QStringList, lines);
    QFETCH(QList<int>, starts);
    QFETCH(int, skipped);
    const QuestionBase::Index index = QuestionBase::index(lines);
    QCOMPARE(index.starts, starts);
    QCOMPARE(index.skipped, skipped);
    // Every indexed block can be read without leaving the lines.
    for (int s : index.starts)
        QVERIFY(s + 4 < lines.size());
}

void QuestionBaseTest::fileWithoutFinalLineEndIndexesLikeOneWithIt()
{
    QTemporaryDir dir;
    const QString with = dir.filePath(u"with.txt"_s);
    const QString without = dir.filePath(u"without.txt"_s);
    writeFile(with, crlfFile(TwoQuestions));
    writeFile(without, crlfFile(TwoQuestions).chopped(2));
    LineStore a, b;
    QVERIFY(a.load(with).ok());
    QVERIFY(b.load(without).ok());
    QCOMPARE(a.lines(), TwoQuestions);
    QCOMPARE(b.lines(), TwoQuestions);
    QCOMPARE(QuestionBase::index(b.lines()).starts, (QList<int>{0, 5}));
}

void QuestionBaseTest::appendingToNBlocksGivesNPlusOneBlocks()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(u"Vopros.txt"_s);
    writeFile(file, crlfFile(TwoQuestions));
    LineStore store;
    QVERIFY(store.load(file).ok());
    QuestionBase::append(store, u"Столица России?"_s, u"Москва"_s, u"Тверь"_s, 0);
    QVERIFY(store.save(file).ok());

    const QStringList added{u"?"_s, u"Столица России?"_s, u"Москва"_s, u"Тверь"_s, u"0"_s};
    QCOMPARE(readFile(file), crlfFile(TwoQuestions + added));
    LineStore reloaded;
    QVERIFY(reloaded.load(file).ok());
    QCOMPARE(QuestionBase::index(reloaded.lines()).starts, (QList<int>{0, 5, 10}));
    QCOMPARE(QuestionBase::question(reloaded.lines(), 10).first, u"Москва"_s);
}

void QuestionBaseTest::textsThatWouldBreakTheFileAreRefused_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("refused");
    QTest::newRow("a lone mark") << u"?"_s << true;
    QTest::newRow("not in Windows-1251") << u"日本"_s << true;
    QTest::newRow("line break") << u"Кто?\nЯ"_s << true;
    QTest::newRow("blank and mark") << u" ?"_s << false;
    QTest::newRow("question with mark") << u"Кто там?"_s << false;
    QTest::newRow("Ё and typographic quotes") << u"«Ёлка» — 100 €"_s << false;
}

void QuestionBaseTest::textsThatWouldBreakTheFileAreRefused()
{
    QFETCH(QString, text);
    QFETCH(bool, refused);
    QCOMPARE(!QuestionBase::refusal(text).isEmpty(), refused);
}

void QuestionBaseTest::lowerCaseFileNameReachesTheExistingFile()
{
    QTemporaryDir dir;
    const QDir d(dir.path());
    QCOMPARE(DataFiles::path(d, u"vopros.txt"_s), d.filePath(u"vopros.txt"_s));
    writeFile(d.filePath(u"Vopros.txt"_s), "?\r\n");
    QCOMPARE(DataFiles::path(d, u"vopros.txt"_s), d.filePath(u"Vopros.txt"_s));
    QCOMPARE(DataFiles::path(d, QString::fromLatin1(DataFiles::QuestionBase)), d.filePath(u"Vopros.txt"_s));
}

QTEST_GUILESS_MAIN(QuestionBaseTest)
#include "QuestionBaseTest.moc"
