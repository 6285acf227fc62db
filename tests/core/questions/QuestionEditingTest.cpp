#include "TestSupport.h"
#include "core/data/QuestionBase.h"
#include "core/questions/QuestionEditing.h"
#include "core/questions/QuestionFile.h"
#include "core/questions/QuestionWords.h"

#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using TestSupport::cp1251;
using TestSupport::readFile;
using TestSupport::writeFile;

namespace {

QByteArray crlf(const QStringList &lines)
{
    return cp1251(lines.join(u"\r\n"_s) + u"\r\n"_s);
}

QStringList block(const QString &q, const QString &a, const QString &b, const QString &right)
{
    return {u"?"_s, q, a, b, right};
}

// Text before the first block, three questions, a block whose right answer is "2" followed
// by a stray line, a question, and a block cut short at the end.
const QStringList Base = QStringList{u"Вопросы о столицах"_s} + block(u"Столица Франции?"_s, u"Париж"_s, u"Лион"_s, u"0"_s)
    + block(u"Столица Италии?"_s, u"Милан"_s, u"Рим"_s, u"1"_s) + block(u"Ёлка — это?"_s, u"Дерево"_s, u"Куст"_s, u"0"_s)
    + block(u"Столица Испании?"_s, u"Мадрид"_s, u"Севилья"_s, u"2"_s) + QStringList{u"лишняя строка"_s}
    + block(u"Столица Японии?"_s, u"Токио"_s, u"Осака"_s, u"0"_s) + QStringList{u"?"_s, u"Обрезанный"_s};

QList<int> playable(const QuestionEditing &e)
{
    QList<int> result;
    for (int i = 0; i < e.count(); ++i) {
        if (e.block(i).playable)
            result.append(e.block(i).line);
    }
    return result;
}

} // namespace

class QuestionEditingTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_path = m_dir->filePath(u"Vopros.txt"_s);
        writeFile(m_path, crlf(Base));
        QuestionFile::setLockWait(5000);
    }

    void blocksAreTheGamesAndTheBrokenOnesAreMarked()
    {
        QuestionEditing e(m_path, u"Vopros.txt"_s);
        QVERIFY(e.load().ok());
        QCOMPARE(e.count(), 6);
        QCOMPARE(e.brokenCount(), 2);
        // The playable blocks are exactly the ones the game plays.
        QCOMPARE(playable(e), QuestionBase::index(Base).starts);
        QVERIFY(!e.block(3).playable);
        QVERIFY(e.problem(3).contains(u"«2»"_s));
        QCOMPARE(e.block(5).length, 2);
        QCOMPARE(e.question(5).text, u"Обрезанный"_s);
        QCOMPARE(e.question(5).right, -1);
        // A question text "?" opens a block of its own: both halves are broken, none is played wrongly.
        const QStringList shifted = block(u"?"_s, u"A"_s, u"B"_s, u"0"_s);
        writeFile(m_path, crlf(shifted));
        QVERIFY(e.load().ok());
        QCOMPARE(e.count(), 2);
        QCOMPARE(e.playableCount(), 0);
    }

    void editsRemovalsAndUndoRewriteOnlyWhatChanged()
    {
        QuestionEditing e(m_path, u"Vopros.txt"_s);
        QVERIFY(e.load().ok());
        const QByteArray original = readFile(m_path);

        // Fixing the broken block makes it whole; the stray line after it stays.
        QVERIFY(e.edit(3, {u"Столица Испании?"_s, u"Мадрид"_s, u"Севилья"_s, 0}).ok());
        QStringList expected = Base;
        expected[20] = u"0"_s;
        QCOMPARE(readFile(m_path), crlf(expected));
        // The block cut short at the end gets its missing lines.
        QVERIFY(e.edit(5, {u"Обрезанный"_s, u"да"_s, u"нет"_s, 1}).ok());
        expected += QStringList{u"да"_s, u"нет"_s, u"1"_s};
        QCOMPARE(readFile(m_path), crlf(expected));
        QCOMPARE(e.brokenCount(), 0);

        // Removing blocks far apart in one change.
        QVERIFY(e.remove({4, 0, 2}).ok());
        QCOMPARE(e.count(), 3);
        QCOMPARE(e.question(0).text, u"Столица Италии?"_s);
        QCOMPARE(e.question(1).text, u"Столица Испании?"_s);
        QCOMPARE(e.question(2).text, u"Обрезанный"_s);
        QCOMPARE(e.undoText(), u"удаление 3 вопросов"_s);
        // The counts' words, alone and after a noun.
        using namespace QuestionWords;
        QCOMPARE(counted(21) + u' ' + counted(3) + u' ' + counted(12), u"21 вопрос 3 вопроса 12 вопросов"_s);
        QCOMPARE(countedOf(21) + u' ' + countedOf(2) + u' ' + countedOf(11), u"21 вопроса 2 вопросов 11 вопросов"_s);

        // Undo takes the changes back in turn, to the byte.
        QVERIFY(e.undo().ok());
        QCOMPARE(readFile(m_path), crlf(expected));
        QVERIFY(e.undo().ok());
        QVERIFY(e.undo().ok());
        QCOMPARE(readFile(m_path), original);
        QVERIFY(!e.canUndo());

        // Refused texts never reach the file.
        QVERIFY(!e.edit(0, {u"?"_s, u"a"_s, u"b"_s, 0}).ok());
        QVERIFY(!e.edit(0, {u"Вопрос"_s, u"  "_s, u"b"_s, 0}).ok());
        QVERIFY(!e.edit(0, {u"Вопрос ✓"_s, u"a"_s, u"b"_s, 0}).ok());
        QCOMPARE(readFile(m_path), original);
    }

    void aUtf8BaseStaysUtf8()
    {
        const QByteArray utf8 = (u"\uFEFF"_s + block(u"Вопрос"_s, u"да"_s, u"нет"_s, u"0"_s).join(u"\r\n"_s) + u"\r\n"_s).toUtf8();
        writeFile(m_path, utf8);
        QuestionEditing e(m_path, u"Vopros.txt"_s);
        QVERIFY(e.load().ok());
        QVERIFY(e.edit(0, {u"Вопрос"_s, u"да"_s, u"нет"_s, 1}).ok());
        QCOMPARE(readFile(m_path), QByteArray(utf8).replace("0\r\n", "1\r\n"));
    }

    void searchIgnoresCaseAndTheDotsOfYo_data()
    {
        QTest::addColumn<QString>("words");
        QTest::addColumn<QList<int>>("found");
        QTest::newRow("case") << u"СТОЛИЦА"_s << QList<int>{0, 1, 3, 4};
        QTest::newRow("е finds ё") << u"елка"_s << QList<int>{2};
        QTest::newRow("ё finds е") << u"дёрево"_s << QList<int>{2};
        QTest::newRow("in an answer") << u"севиль"_s << QList<int>{3};
        QTest::newRow("every word, in any field") << u"  италии   рим "_s << QList<int>{1};
        QTest::newRow("not across fields") << u"франции? париж"_s << QList<int>{0};
        QTest::newRow("a word spanning two fields") << u"?париж"_s << QList<int>{};
        QTest::newRow("no words") << u" "_s << QList<int>{0, 1, 2, 3, 4, 5};
    }

    void searchIgnoresCaseAndTheDotsOfYo()
    {
        QFETCH(QString, words);
        QFETCH(QList<int>, found);
        QuestionEditing e(m_path, u"Vopros.txt"_s);
        QVERIFY(e.load().ok());
        QCOMPARE(e.matching(words), found);
        // After a change the search sees the new texts.
        QVERIFY(e.edit(5, {u"Столица Кореи?"_s, u"Сеул"_s, u"Пусан"_s, 0}).ok());
        QVERIFY(e.matching(u"сеул"_s) == QList<int>{5});
    }

    void importSkipsRepeatsAndListsUnreadableBlocks()
    {
        QuestionEditing e(m_path, u"Vopros.txt"_s);
        QVERIFY(e.load().ok());
        const QStringList file = QStringList{u""_s}
            + block(u"столица  франции?"_s, u"Лион"_s, u"ПАРИЖ"_s, u"1"_s)           // line 2: a repeat, answers swapped
            + block(u"Новый вопрос"_s, u"да"_s, u"нет"_s, u"0"_s)                    // 7: added
            + QStringList{u"?"_s, u"Без ответов"_s}                                 // 12: cut short
            + block(u"Плохой номер"_s, u"да"_s, u"нет"_s, u"первый"_s)               // 14: right answer unreadable (18)
            + QStringList{u"потерянный вопрос"_s, u"да"_s}                          // 19: text outside any block
            + block(u"Знак ✓"_s, u"да"_s, u"нет"_s, u"0"_s)                         // 21: cannot be stored (22)
            + block(u"Новый вопрос"_s, u"да"_s, u"нет"_s, u"0"_s)                    // 26: repeats line 7
            + block(u"Столица Испании?"_s, u"Мадрид"_s, u"Севилья"_s, u"0"_s);       // 31: the broken one, whole
        const QuestionImport::Plan plan = e.planImport(file);
        QVERIFY(plan.blocks);
        QCOMPARE(plan.added.size(), 2);
        QCOMPARE(plan.added.at(0).text, u"Новый вопрос"_s);
        QCOMPARE(plan.added.at(1).right, 0);
        QCOMPARE(plan.repeats, 2);
        QList<int> lines;
        for (const auto &u : plan.unreadable)
            lines.append(u.line);
        QCOMPARE(lines, (QList<int>{12, 18, 19, 22}));
        QVERIFY(plan.unreadable.at(3).reason.contains(u"✓"_s));
        // Planning writes nothing.
        QCOMPARE(readFile(m_path), crlf(Base));

        QVERIFY(e.add(plan.added).ok());
        QCOMPARE(readFile(m_path), crlf(Base + QuestionBlocks::lines(plan.added.at(0)) + QuestionBlocks::lines(plan.added.at(1))));
        QCOMPARE(e.undoText(), u"добавление 2 вопросов"_s);
    }

    void importReadsOneQuestionALineInEitherEncoding_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QString text = u"Столица Франции?\t*Париж\tЛион\r\n\r\nГлавная река Египта?\tАмазонка\t *Нил \t\t\n"
                             u"Без отметки\tда\tнет\nДве части\t*да\n"_s;
        QTest::newRow("UTF-8") << text.toUtf8();
        QTest::newRow("Windows-1251") << cp1251(text);
    }

    void importReadsOneQuestionALineInEitherEncoding()
    {
        QFETCH(QByteArray, bytes);
        const QString path = m_dir->filePath(u"список.tsv"_s);
        writeFile(path, bytes);
        QStringList lines;
        QVERIFY(QuestionImport::read(path, &lines).ok());
        QuestionEditing e(m_path, u"Vopros.txt"_s);
        QVERIFY(e.load().ok());
        const QuestionImport::Plan plan = e.planImport(lines);
        QVERIFY(!plan.blocks);
        QCOMPARE(plan.repeats, 1);
        QCOMPARE(plan.added.size(), 1);
        QCOMPARE(plan.added.at(0).text, u"Главная река Египта?"_s);
        QCOMPARE(plan.added.at(0).second, u"Нил"_s);
        QCOMPARE(plan.added.at(0).right, 1);
        QCOMPARE(plan.unreadable.size(), 2);
        QCOMPARE(plan.unreadable.at(0).line, 4);
        QCOMPARE(plan.unreadable.at(1).line, 5);
    }

    void exportWritesBlocksThatImportBackAsRepeats()
    {
        QuestionEditing e(m_path, u"Vopros.txt"_s);
        QVERIFY(e.load().ok());
        const QString out = m_dir->filePath(u"выбранные.txt"_s);
        QVERIFY(e.exportTo(out, {4, 0}).ok());
        const QStringList expected = block(u"Столица Франции?"_s, u"Париж"_s, u"Лион"_s, u"0"_s)
            + block(u"Столица Японии?"_s, u"Токио"_s, u"Осака"_s, u"0"_s);
        QCOMPARE(readFile(out), (expected.join(u"\r\n"_s) + u"\r\n"_s).toUtf8());

        const QString all = m_dir->filePath(u"все.txt"_s);
        QList<int> every{0, 1, 2, 3, 4, 5};
        QVERIFY(e.exportTo(all, every).ok());
        QStringList lines;
        QVERIFY(QuestionImport::read(all, &lines).ok());
        const QuestionImport::Plan plan = e.planImport(lines);
        QCOMPARE(plan.added.size(), 0);
        QCOMPARE(plan.repeats, 4);
        QCOMPARE(plan.unreadable.size(), 2);  // the two broken blocks, as they stand
    }

    void aChangeMadeElsewhereIsKeptAndTheSessionsGoesOnTop()
    {
        QuestionEditing e(m_path, u"Vopros.txt"_s);
        QVERIFY(e.load().ok());
        QVERIFY(e.remove({0}).ok());
        // Another window puts a question first meanwhile.
        QuestionFile other(m_path, u"Vopros.txt"_s);
        LineStore store;
        const QStringList theirs = block(u"Чужой"_s, u"да"_s, u"нет"_s, u"0"_s);
        QVERIFY(other.update(store, [&](LineStore &s) { s.setLines(theirs + s.lines()); }).ok());
        QVERIFY(e.edit(0, {u"Другой вопрос"_s, u"Милан"_s, u"Рим"_s, 1}).ok());
        QVERIFY(e.merged());
        QCOMPARE(e.changedBlock(), 1);
        QCOMPARE(e.question(1).text, u"Другой вопрос"_s);
        // The session's changes are undone where they now stand; theirs stays.
        QVERIFY(e.undo().ok());
        QVERIFY(e.undo().ok());
        QCOMPARE(readFile(m_path), crlf(theirs + Base));
        // A question removed outside is that question, not the end of one and the start of the next.
        QVERIFY(other.update(store, [](LineStore &s) { s.setLines(s.lines().mid(0, 11) + s.lines().mid(16)); }).ok());
        QVERIFY(e.edit(3, {u"Ёлка?"_s, u"Дерево"_s, u"Куст"_s, 0}).ok());
        QVERIFY(e.merged());
        QCOMPARE(readFile(m_path), crlf(theirs + Base.mid(0, 6) + block(u"Ёлка?"_s, u"Дерево"_s, u"Куст"_s, u"0"_s) + Base.mid(16)));

        // A change to the lines being edited is not overwritten, and the failure says who made it.
        QVERIFY(other.update(store, [](LineStore &s) { s.setLines(QStringList{u"?"_s, u"Их"_s} + s.lines().mid(2)); }).ok());
        const QByteArray now = readFile(m_path);
        const Status s = e.edit(0, {u"Мой"_s, u"да"_s, u"нет"_s, 0});
        QVERIFY(!s.ok() && e.reloaded());
        QVERIFY(s.detail.contains(u"другое окно игры изменило файл"_s));
        QCOMPARE(readFile(m_path), now);
    }

    void aHeldLockStopsTheWriteAndLosesNothing()
    {
        QuestionEditing e(m_path, u"Vopros.txt"_s);
        QVERIFY(e.load().ok());
        QuestionFile::setLockWait(100);
        {
            QLockFile held(m_path + u".lock"_s);
            QVERIFY(held.tryLock(0));
            const Status s = e.remove({1});
            QVERIFY(!s.ok());
            QVERIFY(s.detail.contains(u"другое окно"_s));
            QCOMPARE(e.count(), 6);
            QCOMPARE(readFile(m_path), crlf(Base));
        }
        QVERIFY(e.remove({1}).ok());
        QCOMPARE(e.count(), 5);
    }

    void aConcurrentWriterAndTheEditorLoseNoQuestion()
    {
        constexpr int Each = 150;
        QProcess writer;
        writer.start(QStringLiteral(ZYB_ADD_QUESTIONS), {m_path, QString::number(Each)});
        QVERIFY(writer.waitForStarted());
        QuestionEditing e(m_path, u"Vopros.txt"_s);
        QVERIFY(e.load().ok());
        int retries = 0;
        for (int i = 0; i < Each; ++i) {
            const QuestionBase::Question q{u"Редактор %1"_s.arg(i), u"да"_s, u"нет"_s, 0};
            Status s = e.add({q});
            // The other writer got there first: the editor read its questions and tries again.
            while (!s.ok() && e.reloaded() && ++retries < 10 * Each)
                s = e.add({q});
            QVERIFY2(s.ok(), qPrintable(s.message + u": "_s + s.detail));
        }
        QVERIFY2(writer.waitForFinished(120000), "the other writer hung");
        QCOMPARE(writer.exitCode(), 0);

        QuestionEditing after(m_path, u"Vopros.txt"_s);
        QVERIFY(after.load().ok());
        int mine = 0, theirs = 0;
        for (int i = 0; i < after.count(); ++i) {
            const QString text = after.question(i).text;
            mine += text.startsWith(u"Редактор "_s);
            theirs += text.startsWith(u"Окно "_s);
        }
        QCOMPARE(mine, Each);
        QCOMPARE(theirs, Each);
        QCOMPARE(after.count(), 6 + 2 * Each);
        QVERIFY(!QFile::exists(m_path + u".lock"_s));
    }
};

QTEST_GUILESS_MAIN(QuestionEditingTest)
#include "QuestionEditingTest.moc"
