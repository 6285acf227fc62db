#include "ui/winners/WinnersWindow.h"

#include "TestSupport.h"
#include "core/data/WinnersFile.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// 15 March 2024, ten in the morning.
const QDateTime Now(QDate(2024, 3, 15), QTime(10, 0));

class FixedClock final : public Clock
{
public:
    QDateTime now() const override { return Now; }
};

class Window : public WinnersWindow
{
public:
    using WinnersWindow::WinnersWindow;
    QList<Status> errors;

protected:
    void showError(const Status &status) override { errors.append(status); }
};

QStringList record(const QString &name, qint64 amount, int daysFromToday)
{
    return WinnersFile::recordLines(name, amount, QDateTime(Now.date().addDays(daysFromToday), QTime(12, 30, 5)));
}

void writeLines(const QString &path, const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += TestSupport::cp1251(line) + "\r\n";
    TestSupport::writeFile(path, bytes);
}

} // namespace

class WinnersWindowTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    FixedClock m_clock;
    GameState m_state;
    std::unique_ptr<Window> m_window;

    QString bestPath() const { return m_dir.filePath(u"best.txt"_s); }
    QComboBox *viewChoice() const { return m_window->findChild<QComboBox *>(u"ComboBox1"_s); }
    QSpinBox *daysField() const { return m_window->findChild<QSpinBox *>(u"Vvod"_s); }
    QGroupBox *infoBox() const { return m_window->findChild<QGroupBox *>(u"GroupBox1"_s); }
    QString listing() const { return m_window->findChild<QPlainTextEdit *>(u"RichEdit1"_s)->toPlainText(); }

    // Picks a view as the user does.
    void choose(int index)
    {
        viewChoice()->setCurrentIndex(index);
        Q_EMIT viewChoice()->activated(index);
    }

    // The names listed in the information area; checks that every record takes five
    // lines and ends with an empty one.
    QStringList listedNames() const
    {
        const QString text = listing();
        if (text.isEmpty())
            return {};
        QStringList lines = text.split(u'\n');
        [&] { QCOMPARE(lines.size() % 5, 0); }();
        QStringList names;
        for (int i = 0; i + 4 < lines.size(); i += 5) {
            names.append(lines.at(i).mid(QStringLiteral("Игрок: ").size()));
            [&] { QCOMPARE(lines.at(i + 4), QString()); }();
        }
        return names;
    }

    void open(const QStringList &lines)
    {
        writeLines(bestPath(), lines);
        m_window->open();
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_dir.isValid());
        QFile::remove(bestPath());
        m_state = GameState{};
        m_window = std::make_unique<Window>(m_state, m_clock, QDir(m_dir.path()));
    }

    void cleanup() { m_window.reset(); }

    void openingLoadsTheFileAndClearsTheChoice()
    {
        const QStringList lines = record(u"Аня"_s, 500, 0) + record(u"Боря"_s, 1000, -1);
        open(lines);
        QVERIFY(m_window->isVisible());
        QCOMPARE(m_state.winners.lineCount, 10);
        QCOMPARE(m_window->lines().lines(), lines);
        QCOMPARE(viewChoice()->currentIndex(), -1);
        QVERIFY(!infoBox()->isVisible());
        QVERIFY(!daysField()->isVisible());

        choose(1);
        daysField()->setValue(7);
        QCOMPARE(listedNames(), (QStringList{u"Аня"_s, u"Боря"_s}));

        // "Закрыть" hides the window; the next opening forgets the view but keeps the number.
        m_window->findChild<QPushButton *>(u"BitBtn1"_s)->click();
        QVERIFY(!m_window->isVisible());
        open(lines + record(u"Вова"_s, 10, 0));
        QCOMPARE(m_state.winners.lineCount, 15);
        QCOMPARE(viewChoice()->currentIndex(), -1);
        QVERIFY(!infoBox()->isVisible());
        QVERIFY(!daysField()->isVisible());
        QCOMPARE(daysField()->value(), 7);
        // The new record is there once a view is chosen.
        choose(0);
        QCOMPARE(listedNames(), (QStringList{u"Аня"_s, u"Боря"_s, u"Вова"_s}));
        QVERIFY(m_window->errors.isEmpty());
    }

    void viewsOfAFixture()
    {
        open(record(u"a"_s, 500, -3) + record(u"b"_s, 9000, 0) + record(u"c"_s, 100, -10)
             + record(u"d"_s, 9000, 1) + record(u"e"_s, 100, -1));

        choose(0);
        QCOMPARE(listedNames(), (QStringList{u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"e"_s}));
        QVERIFY(infoBox()->isVisible());
        QVERIFY(!daysField()->isVisible());
        QVERIFY(listing().startsWith(u"Игрок: a\nВыиграл: 500 рублей\nИгра состоялась: "_s));

        choose(2);
        QCOMPARE(listedNames(), QStringList{u"b"_s});
        QVERIFY(listing().contains(u"Выиграл: 9000 рублей"_s));
        choose(3);
        QCOMPARE(listedNames(), QStringList{u"c"_s});
        QVERIFY(!daysField()->isVisible());
    }

    void daysViewListsOnlyWhenTheNumberChanges_data()
    {
        QTest::addColumn<int>("days");
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("0") << 0 << QStringList{u"завтра"_s};
        QTest::newRow("1") << 1 << QStringList{u"сегодня"_s, u"завтра"_s};
        QTest::newRow("7") << 7 << QStringList{u"сегодня"_s, u"вчера"_s, u"6 дней"_s, u"завтра"_s};
    }

    void daysViewListsOnlyWhenTheNumberChanges()
    {
        QFETCH(int, days);
        QFETCH(QStringList, listed);
        open(record(u"сегодня"_s, 1, 0) + record(u"вчера"_s, 2, -1) + record(u"6 дней"_s, 3, -6)
             + record(u"неделя"_s, 4, -7) + record(u"завтра"_s, 5, 1));
        daysField()->setValue(-100);

        choose(0);
        QVERIFY(!listing().isEmpty());
        choose(1);
        QVERIFY(daysField()->isVisible());
        QVERIFY(infoBox()->isVisible());
        QCOMPARE(listing(), QString());

        daysField()->setValue(days);
        QCOMPARE(listedNames(), listed);

        // In another view a change of the number only empties the area.
        choose(0);
        daysField()->setValue(days + 1);
        QCOMPARE(listing(), QString());
    }

    void daysFieldWithoutANumberListsNothing()
    {
        open(record(u"сегодня"_s, 1, 0) + record(u"завтра"_s, 5, 1));
        choose(1);
        daysField()->setValue(7);
        QCOMPARE(listedNames(), (QStringList{u"сегодня"_s, u"завтра"_s}));

        // Emptied as the player does it: the old listing goes with the number.
        daysField()->setFocus();
        QTest::keyClick(daysField(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(daysField(), Qt::Key_Backspace);
        QCOMPARE(daysField()->cleanText(), QString());
        QCOMPARE(listing(), QString());

        // A lone minus is no number either: it does not count as 0.
        QTest::keyClicks(daysField(), u"-"_s);
        QCOMPARE(listing(), QString());
        QTest::keyClicks(daysField(), u"1"_s);
        QCOMPARE(listing(), QString());
        QTest::keyClick(daysField(), Qt::Key_Backspace);
        QTest::keyClick(daysField(), Qt::Key_Backspace);
        QTest::keyClicks(daysField(), u"1"_s);
        QCOMPARE(listedNames(), (QStringList{u"сегодня"_s, u"завтра"_s}));

        // The number the field held before it was emptied, typed again, lists again:
        // whatever the field shows is what is listed.
        QTest::keyClick(daysField(), Qt::Key_Backspace);
        QCOMPARE(listing(), QString());
        QTest::keyClicks(daysField(), u"1"_s);
        QCOMPARE(daysField()->cleanText(), u"1"_s);
        QCOMPARE(listedNames(), (QStringList{u"сегодня"_s, u"завтра"_s}));
    }

    void noRecordsGiveAnEmptyAreaInEveryView_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty file") << QStringList{};
        QTest::newRow("no marker") << QStringList{u"Вася"_s, u"500"_s, u"01.01.2024"_s, u"10:00:00"_s, u"x"_s};
        QTest::newRow("cut short") << QStringList{u"!"_s, u"Вася"_s, u"500"_s};
    }

    void noRecordsGiveAnEmptyAreaInEveryView()
    {
        QFETCH(QStringList, lines);
        open(lines);
        QCOMPARE(m_state.winners.lineCount, lines.size());
        for (int view : {0, 1, 2, 3}) {
            choose(view);
            daysField()->setValue(view + 5);
            QCOMPARE(listing(), QString());
            QVERIFY(infoBox()->isVisible());
        }
        QVERIFY(m_window->errors.isEmpty());
    }

    void unreadableRecordsAreLeftOut()
    {
        // A bad amount, a bad date, a record missing its time line and one cut short by
        // the end of the file; the good ones around them are still listed.
        QStringList badAmount = record(u"сумма"_s, 1, 0);
        badAmount[2] = u"много"_s;
        QStringList badDate = record(u"дата"_s, 1, 0);
        badDate[3] = u"вчера"_s;
        QStringList noTime = record(u"без времени"_s, 1, 0);
        noTime.removeLast();
        open(record(u"первый"_s, 700, 0) + badAmount + badDate + noTime + record(u"второй"_s, 300, -2)
             + QStringList{u"!"_s, u"обрыв"_s, u"999999"_s});

        choose(0);
        QCOMPARE(listedNames(), (QStringList{u"первый"_s, u"второй"_s}));
        choose(2);
        QCOMPARE(listedNames(), QStringList{u"первый"_s});
        choose(3);
        QCOMPARE(listedNames(), QStringList{u"второй"_s});
        choose(1);
        daysField()->setValue(1);
        QCOMPARE(listedNames(), QStringList{u"первый"_s});
        QVERIFY(m_window->errors.isEmpty());
    }

    void missingFileIsAnEmptyListAndAnUnreadableOneKeepsTheLastOpening()
    {
        m_window->open();
        QVERIFY(m_window->errors.isEmpty());
        QCOMPARE(m_state.winners.lineCount, 0);
        QVERIFY(m_window->isVisible());

        open(record(u"Аня"_s, 500, 0));
        QCOMPARE(m_state.winners.lineCount, 5);

        // A folder where the file should be cannot be read.
        QVERIFY(QFile::remove(bestPath()));
        QVERIFY(QDir(m_dir.path()).mkdir(u"best.txt"_s));
        choose(0);
        m_window->open();
        QCOMPARE(m_window->errors.size(), 1);
        QCOMPARE(m_window->errors.first().message, u"Не удаётся открыть файл best.txt"_s);
        QVERIFY(m_window->isVisible());
        QCOMPARE(viewChoice()->currentIndex(), -1);
        QCOMPARE(m_state.winners.lineCount, 5);
        choose(0);
        QCOMPARE(listedNames(), QStringList{u"Аня"_s});
        QVERIFY(QDir(m_dir.path()).rmdir(u"best.txt"_s));
    }

    void manyRecordsAreListedWhole()
    {
        QStringList lines;
        const int count = 100000;
        lines.reserve(count * 5);
        for (int i = 0; i < count; ++i)
            lines += record(u"Игрок %1"_s.arg(i), 500 * (i % 200), -(i % 30));
        open(lines);
        QElapsedTimer timer;
        timer.start();
        choose(0);
        const qint64 elapsed = timer.elapsed();
        const QString text = listing();
        QCOMPARE(text.count(u'\n'), count * 5 - 1);
        QVERIFY(text.endsWith(u"\n"_s));
        qInfo("%d records listed in %lld ms", count, elapsed);
    }
};

QTEST_MAIN(WinnersWindowTest)
#include "WinnersWindowTest.moc"
