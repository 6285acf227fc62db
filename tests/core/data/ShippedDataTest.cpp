#include "core/data/LineStore.h"
#include "core/data/NamesBase.h"
#include "core/data/QuestionBase.h"

#include <QFileInfo>
#include <QSet>
#include <QTest>

using namespace Qt::StringLiterals;

// The data files that come with the game are read by the same code as a player's files;
// a block the game cannot play or a name it cannot seat is a fault of the shipped data.
class ShippedDataTest : public QObject
{
    Q_OBJECT

private:
    static QStringList load(const QString &name)
    {
        const QString path = QStringLiteral(ZYB_SOURCE_DIR "/resources/") + name;
        if (!QFileInfo::exists(path))
            return {u"missing"_s};
        LineStore store;
        if (!store.load(path) || store.encoding() != LineStore::Encoding::Windows1251)
            return {u"unreadable"_s};
        return store.lines();
    }

private Q_SLOTS:
    void everyShippedQuestionIsPlayable();
    void shippedNamesSeatAFullTable();
    void shippedWinnersFileIsEmpty();
};

void ShippedDataTest::everyShippedQuestionIsPlayable()
{
    const QStringList lines = load(u"Vopros.txt"_s);
    const QuestionBase::Index index = QuestionBase::index(lines);
    QCOMPARE(index.skipped, 0);
    QVERIFY(index.starts.size() >= 1000);
    QCOMPARE(index.starts.size() * 5, lines.size());
    QSet<QString> texts;
    int rightFirst = 0;
    for (int start : index.starts) {
        const QuestionBase::Question q = QuestionBase::question(lines, start);
        const QString where = u"question at line %1"_s.arg(start + 1);
        QVERIFY2(QuestionBase::refusal(q.text).isEmpty() && !q.text.trimmed().isEmpty(), qPrintable(where));
        QVERIFY2(QuestionBase::refusal(q.first).isEmpty() && QuestionBase::refusal(q.second).isEmpty(), qPrintable(where));
        QVERIFY2(q.first != q.second && !q.first.isEmpty() && !q.second.isEmpty(), qPrintable(where));
        // The same question twice, told apart only by letter case, "ё" or blanks round it.
        const QString key = q.text.trimmed().toLower().replace(u'ё', u'е');
        QVERIFY2(!texts.contains(key), qPrintable(where + u": asked twice"_s));
        texts.insert(key);
        rightFirst += q.right == 0 ? 1 : 0;
    }
    // Neither answer place gives the right answer away.
    const double share = double(rightFirst) / index.starts.size();
    QVERIFY2(share >= 0.4 && share <= 0.6, qPrintable(QString::number(share)));
}

void ShippedDataTest::shippedNamesSeatAFullTable()
{
    const QStringList lines = load(u"names.txt"_s);
    QVERIFY(lines.size() >= 120);
    QVERIFY(NamesBase::distinctSeatable(lines, u"Игрок"_s) >= NamesBase::NeededForDraw);
    QCOMPARE(QSet<QString>(lines.begin(), lines.end()).size(), lines.size());
    for (const QString &name : lines)
        QVERIFY2(NamesBase::refusal(name).isEmpty() && !name.trimmed().isEmpty(), qPrintable(name));
}

void ShippedDataTest::shippedWinnersFileIsEmpty()
{
    // The game ships no winners: the hall of fame starts empty.
    QCOMPARE(load(u"best.txt"_s), QStringList());
}

QTEST_GUILESS_MAIN(ShippedDataTest)
#include "ShippedDataTest.moc"
