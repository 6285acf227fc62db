#include "ui/settings/SettingsWindow.h"

#include "TestSupport.h"
#include "ui/winners/WinnersWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

class ScriptedRandom final : public RandomSource
{
public:
    QList<int> script;
    QList<int> asked;
    int random(int n) override
    {
        asked.append(n);
        return script.isEmpty() ? 0 : script.takeFirst();
    }
};

class FixedClock final : public Clock
{
public:
    QDateTime now() const override { return QDateTime(QDate(2024, 3, 15), QTime(10, 0)); }
};

class Window : public SettingsWindow
{
public:
    using SettingsWindow::SettingsWindow;
    QStringList errors;

protected:
    void showError(const Status &status) override { errors.append(status.message); }
};

const QStringList Questions{u"?"_s, u"Столица Франции?"_s, u"Париж"_s, u"Лион"_s, u"0"_s,
                            u"?"_s, u"2 + 2?"_s, u"5"_s, u"4"_s, u"1"_s};
// Out of order on purpose.
const QStringList Names{u"Яков"_s, u"борис"_s, u"Анна"_s, u"Виктор"_s};

QByteArray fileBytes(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += TestSupport::cp1251(line) + "\r\n";
    return bytes;
}

} // namespace

class SettingsWindowTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    GameState m_state;
    ScriptedRandom m_random;
    std::unique_ptr<Window> m_window;

    QString path(const QString &name) const { return m_dir->filePath(name); }
    template <typename T>
    T *child(const QString &name) const
    {
        T *w = m_window->findChild<T *>(name);
        [&] { QVERIFY2(w, qPrintable(name)); }();
        return w;
    }
    QLineEdit *edit(int n) const { return child<QLineEdit>(u"Edit%1"_s.arg(n)); }
    QPushButton *button(int n) const { return child<QPushButton>(u"BitBtn%1"_s.arg(n)); }
    QRadioButton *answer(int i) const { return child<QRadioButton>(u"RadioGroup1Item%1"_s.arg(i)); }
    QString countShown() const { return child<QLabel>(u"Label8"_s)->text(); }
    QStringList listed() const
    {
        QStringList items;
        const QListWidget *list = child<QListWidget>(u"ListBox1"_s);
        for (int i = 0; i < list->count(); ++i)
            items.append(list->item(i)->text());
        return items;
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        TestSupport::writeFile(path(u"Vopros.txt"_s), fileBytes(Questions));
        TestSupport::writeFile(path(u"names.txt"_s), fileBytes(Names));
        m_state = GameState{};
        m_state.setStartValues();
        m_random.script.clear();
        m_random.asked.clear();
        m_window = std::make_unique<Window>(m_state, m_random, QDir(m_dir->path()));
    }

    void cleanup()
    {
        m_window.reset();
        m_dir.reset();
    }

    void activationLoadsBothBasesAndResetsEveryField()
    {
        m_window->reload();
        QVERIFY(m_window->errors.isEmpty());
        QCOMPARE(edit(1)->text(), u"Новый Игрок"_s);
        QCOMPARE(edit(2)->text(), u"Новый Игрок"_s);
        QCOMPARE(m_state.settings.questionCount, 2);
        QCOMPARE(countShown(), u"2"_s);
        QCOMPARE(m_window->questions().lines(), Questions);
        QCOMPARE(listed(), (QStringList{u"Анна"_s, u"борис"_s, u"Виктор"_s, u"Яков"_s}));

        edit(1)->setText(u"черновик"_s);
        edit(2)->setText(u"черновик"_s);
        edit(3)->setText(u"вопрос"_s);
        edit(4)->setText(u"да"_s);
        edit(5)->setText(u"нет"_s);
        QCOMPARE(answer(0)->text(), u"да"_s);
        QCOMPARE(answer(1)->text(), u"нет"_s);
        answer(1)->click();

        m_window->reload();
        QCOMPARE(edit(1)->text(), u"Новый Игрок"_s);
        QCOMPARE(edit(2)->text(), u"Новый Игрок"_s);
        for (int n : {3, 4, 5})
            QCOMPARE(edit(n)->text(), QString());
        QCOMPARE(answer(0)->text(), QString());
        QCOMPARE(answer(1)->text(), QString());
        // The marked answer stays marked.
        QVERIFY(answer(1)->isChecked());
    }

    void returningFromTheWinnersWindowResetsTheFields()
    {
        FixedClock clock;
        WinnersWindow best(m_state, clock, QDir(m_dir->path()));
        connect(m_window.get(), &SettingsWindow::winnersRequested, &best, &WinnersWindow::openFromSettings);

        m_window->show();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QTRY_COMPARE(edit(1)->text(), u"Новый Игрок"_s);

        edit(1)->setText(u"черновик"_s);
        edit(3)->setText(u"вопрос"_s);
        button(5)->click();
        QVERIFY(best.isVisible());
        QVERIFY(QTest::qWaitForWindowActive(&best));
        QCOMPARE(m_state.winners.lineCount, 0);

        best.findChild<QPushButton *>(u"BitBtn1"_s)->click();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QTRY_COMPARE(edit(1)->text(), u"Новый Игрок"_s);
        QCOMPARE(edit(3)->text(), QString());
    }

    void okStoresTheNameAndCloses_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("empty") << QString() << u"Новый"_s;
        QTest::newRow("blanks kept") << u" Петя "_s << u" Петя "_s;
    }

    void okStoresTheNameAndCloses()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QSignalSpy closed(m_window.get(), &SettingsWindow::closed);
        m_window->show();
        m_window->reload();
        edit(1)->setText(typed);
        button(1)->click();
        QCOMPARE(m_state.table.playerName, stored);
        QVERIFY(!m_window->isVisible());
        QCOMPARE(closed.size(), 1);
    }

    void closeBoxKeepsTheName()
    {
        QSignalSpy closed(m_window.get(), &SettingsWindow::closed);
        m_window->show();
        m_window->reload();
        edit(1)->setText(u"Петя"_s);
        m_window->close();
        QCOMPARE(closed.size(), 1);
        QCOMPARE(m_state.table.playerName, u"Новый Игрок"_s);
    }

    void okRefusesANameTheGameCannotUse_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("empty seat mark") << u"0"_s;
        QTest::newRow("record mark") << u"!"_s;
        QTest::newRow("not in the code page") << u"π"_s;
    }

    void okRefusesANameTheGameCannotUse()
    {
        QFETCH(QString, typed);
        QSignalSpy closed(m_window.get(), &SettingsWindow::closed);
        m_window->show();
        m_window->reload();
        edit(1)->setText(typed);
        button(1)->click();
        QVERIFY(m_window->isVisible());
        QCOMPARE(closed.size(), 0);
        QCOMPARE(m_state.table.playerName, u"Новый Игрок"_s);
        QVERIFY(!edit(1)->text().isEmpty());
        QVERIFY(edit(1)->text() != typed);
    }

    void randomNameIsDrawnFromTheSortedList()
    {
        m_window->reload();
        m_random.script = {2};
        button(3)->click();
        QCOMPARE(m_random.asked, QList<int>{4});
        QCOMPARE(edit(1)->text(), u"Виктор"_s);
        QCOMPARE(m_state.table.playerName, u"Новый Игрок"_s);

        // An empty names base has nothing to draw: the field stays as it is.
        TestSupport::writeFile(path(u"names.txt"_s), {});
        m_window->reload();
        QVERIFY(m_window->errors.isEmpty());
        edit(1)->setText(u"Свой"_s);
        button(3)->click();
        QCOMPARE(edit(1)->text(), u"Свой"_s);
        QCOMPARE(m_random.asked.size(), 1);
    }

    void shownWithoutPreparationShowsEveryControl()
    {
        // As the main menu opens it: no call but show().
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        const QList<QWidget *> children = m_window->findChildren<QWidget *>();
        QVERIFY(children.size() > 20);
        for (const QWidget *w : children) {
            if (!w->objectName().isEmpty() && !w->objectName().startsWith(u"qt_"_s))
                QVERIFY2(w->isVisible(), qPrintable(w->objectName()));
        }
        QCOMPARE(m_window->focusWidget(), button(1));
    }

    void addedSettingsHaveAFrameOfTheirOwn()
    {
        // The window size, the sound and the host's voice sit in their own group, inside
        // its frame, clear of the areas above it.
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        auto *group = child<QWidget>(u"SoundAndScreen"_s);
        const QRect frame = group->geometry();
        QVERIFY(m_window->rect().contains(frame));
        const QStringList added{u"WindowScale"_s, u"SoundOn"_s, u"SoundVolume"_s, u"HostVoice"_s,
                                u"HostVoiceName"_s, u"HostVoiceRate"_s};
        for (const QString &name : added)
            QCOMPARE(child<QWidget>(name)->parentWidget(), group);
        for (const QWidget *w : group->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
            QVERIFY2(group->rect().contains(w->geometry()), qPrintable(w->objectName()));
        for (const QWidget *w : m_window->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
            if (w != group && w->objectName() != u"Image1"_s && w->isVisible())
                QVERIFY2(!w->geometry().intersects(frame), qPrintable(w->objectName()));
        }
    }

    void buttonGlyphsSayWhatTheButtonsDo()
    {
        // No button shows a glyph that says "delete": none of them deletes anything.
        m_window->show();
        const QStyle *style = m_window->style();
        const auto image = [](const QIcon &icon) { return icon.pixmap(16, 16).toImage(); };
        const QList<QImage> deleting{image(style->standardIcon(QStyle::SP_DialogDiscardButton)),
                                     image(style->standardIcon(QStyle::SP_TrashIcon))};
        for (int n : {1, 2, 3, 4, 5}) {
            const QIcon glyph = button(n)->icon();
            QVERIFY2(!glyph.isNull(), qPrintable(button(n)->text()));
            QVERIFY2(!deleting.contains(image(glyph)), qPrintable(button(n)->text()));
        }
    }

    void longNamesArePutWholeButTypingStaysLimited()
    {
        const QString longName = u"Александр-Второй"_s;
        TestSupport::writeFile(path(u"names.txt"_s), fileBytes({longName}));
        m_window->reload();
        button(3)->click();
        QCOMPARE(edit(1)->text(), longName);
        button(1)->click();
        QCOMPARE(m_state.table.playerName, longName);

        // The player's long name comes back whole; typing cannot lengthen it, only shorten it.
        m_window->reload();
        QCOMPARE(edit(1)->text(), longName);
        QCOMPARE(edit(2)->text(), longName);
        edit(1)->end(false);
        QTest::keyClicks(edit(1), u"x"_s);
        QCOMPARE(edit(1)->text(), longName);
        QTest::keyClick(edit(1), Qt::Key_Backspace);
        QTest::keyClicks(edit(1), u"xy"_s);
        QCOMPARE(edit(1)->text(), longName.chopped(1));

        edit(2)->clear();
        QTest::keyClicks(edit(2), u"abcdefghijklmno"_s);
        QCOMPARE(edit(2)->text(), u"abcdefghijkl"_s);
    }

    void questionBaseIsTheGamesFileAlsoBesideALowerCaseTwin()
    {
        // A folder copied from a file system that ignores letter case may hold both.
        const QStringList twin{u"?"_s, u"Другой файл?"_s, u"Да"_s, u"Нет"_s, u"0"_s};
        TestSupport::writeFile(path(u"vopros.txt"_s), fileBytes(twin));
        m_window->reload();
        QCOMPARE(m_state.settings.questionCount, 2);
        edit(3)->setText(u"Новый?"_s);
        edit(4)->setText(u"Да"_s);
        edit(5)->setText(u"Нет"_s);
        answer(1)->click();
        button(2)->click();
        QVERIFY(m_window->errors.isEmpty());
        QCOMPARE(TestSupport::readFile(path(u"Vopros.txt"_s)),
                 fileBytes(Questions + QStringList{u"?"_s, u"Новый?"_s, u"Да"_s, u"Нет"_s, u"1"_s}));
        QCOMPARE(TestSupport::readFile(path(u"vopros.txt"_s)), fileBytes(twin));
        QCOMPARE(countShown(), u"3"_s);
    }

    void addingANameRewritesTheFileSorted()
    {
        m_window->reload();
        // Right after opening the field holds the player's own name.
        button(4)->click();
        QVERIFY(listed().contains(u"Новый Игрок"_s));
        TestSupport::writeFile(path(u"names.txt"_s), fileBytes(Names));
        m_window->reload();

        edit(2)->setText(u"Глеб"_s);
        button(4)->click();
        const QStringList expected{u"Анна"_s, u"борис"_s, u"Виктор"_s, u"Глеб"_s, u"Яков"_s};
        QCOMPARE(listed(), expected);
        QCOMPARE(TestSupport::readFile(path(u"names.txt"_s)), fileBytes(expected));
        QCOMPARE(edit(2)->text(), u"Глеб"_s);

        // Letter case makes a different name.
        edit(2)->setText(u"Борис"_s);
        button(4)->click();
        QCOMPARE(listed().size(), 6);
        QVERIFY(listed().contains(u"Борис"_s));
        QVERIFY(listed().contains(u"борис"_s));
        QCOMPARE(TestSupport::readFile(path(u"names.txt"_s)), fileBytes(listed()));
        QVERIFY(m_window->errors.isEmpty());
    }

    void messagesReplaceTheFieldAndAreNeverStored()
    {
        m_window->reload();
        const QByteArray before = TestSupport::readFile(path(u"names.txt"_s));

        edit(2)->clear();
        button(4)->click();
        QCOMPARE(edit(2)->text(), u"Нет имени!"_s);
        QCOMPARE(TestSupport::readFile(path(u"names.txt"_s)), before);

        edit(2)->setText(u"Анна"_s);
        button(4)->click();
        QCOMPARE(edit(2)->text(), u"Повт.имя!"_s);
        QCOMPARE(TestSupport::readFile(path(u"names.txt"_s)), before);

        // A second click does not take the message for a name: it stays a message.
        button(4)->click();
        QCOMPARE(edit(2)->text(), u"Повт.имя!"_s);
        edit(2)->clear();
        button(4)->click();
        button(4)->click();
        QCOMPARE(edit(2)->text(), u"Нет имени!"_s);
        QVERIFY(!listed().contains(u"Повт.имя!"_s));
        QVERIFY(!listed().contains(u"Нет имени!"_s));
        QCOMPARE(TestSupport::readFile(path(u"names.txt"_s)), before);

        // Typed by the player, the same text is a name like any other.
        edit(2)->selectAll();
        QTest::keyClicks(edit(2), u"Net imeni!"_s);
        edit(2)->setText(u"Нет имени!"_s);
        button(4)->click();
        QVERIFY(listed().contains(u"Нет имени!"_s));
        QCOMPARE(TestSupport::readFile(path(u"names.txt"_s)), fileBytes(listed()));

        // Nor does a confirmation or a refusal become a question.
        edit(3)->setText(u"Вопрос?"_s);
        edit(4)->setText(u"Да"_s);
        edit(5)->setText(u"Нет"_s);
        answer(0)->click();
        button(2)->click();
        QCOMPARE(edit(3)->text(), u"OK!"_s);
        const QByteArray questions = TestSupport::readFile(path(u"Vopros.txt"_s));
        edit(4)->setText(u"Да"_s);
        edit(5)->setText(u"Нет"_s);
        button(2)->click();
        QCOMPARE(TestSupport::readFile(path(u"Vopros.txt"_s)), questions);
        QCOMPARE(edit(3)->text(), u"OK!"_s);
    }

    void namesThatWouldBreakTheGameAreRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("empty seat mark") << u"0"_s;
        QTest::newRow("record mark") << u"!"_s;
        QTest::newRow("not in the code page") << u"Пи π"_s;
    }

    void namesThatWouldBreakTheGameAreRefused()
    {
        QFETCH(QString, name);
        m_window->reload();
        const QByteArray before = TestSupport::readFile(path(u"names.txt"_s));
        edit(2)->setText(name);
        button(4)->click();
        QVERIFY(edit(2)->text() != name);
        QVERIFY(!edit(2)->text().isEmpty());
        QCOMPARE(listed().size(), Names.size());
        QCOMPARE(TestSupport::readFile(path(u"names.txt"_s)), before);
    }

    void addingAQuestion()
    {
        m_window->reload();
        const QByteArray before = TestSupport::readFile(path(u"Vopros.txt"_s));

        // Nothing happens while anything is missing.
        edit(3)->setText(u"Сколько ног у паука?"_s);
        edit(4)->setText(u"6"_s);
        edit(5)->setText(u"8"_s);
        button(2)->click();
        QCOMPARE(edit(3)->text(), u"Сколько ног у паука?"_s);
        answer(1)->click();
        edit(3)->clear();
        button(2)->click();
        QCOMPARE(edit(4)->text(), u"6"_s);
        QCOMPARE(TestSupport::readFile(path(u"Vopros.txt"_s)), before);
        QVERIFY(m_window->errors.isEmpty());

        edit(3)->setText(u"Сколько ног у паука?"_s);
        button(2)->click();
        const QStringList expected = Questions + QStringList{u"?"_s, u"Сколько ног у паука?"_s, u"6"_s, u"8"_s, u"1"_s};
        QCOMPARE(TestSupport::readFile(path(u"Vopros.txt"_s)), fileBytes(expected));
        QCOMPARE(m_window->questions().lines(), expected);
        QCOMPARE(edit(3)->text(), u"OK!"_s);
        QCOMPARE(edit(4)->text(), QString());
        QCOMPARE(edit(5)->text(), QString());
        QCOMPARE(answer(0)->text(), QString());
        QCOMPARE(answer(1)->text(), QString());
        QVERIFY(answer(1)->isChecked());
        QCOMPARE(m_state.settings.questionCount, 3);
        QCOMPARE(countShown(), u"3"_s);

        // The answers are gone, so a second click does nothing.
        button(2)->click();
        QCOMPARE(TestSupport::readFile(path(u"Vopros.txt"_s)), fileBytes(expected));
        QCOMPARE(m_state.settings.questionCount, 3);
        // Only the one file: the base asked for as "vopros.txt" is Vopros.txt.
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files).size(), 2);
    }

    void addingAQuestionKeepsWhatAnotherWindowWroteMeanwhile()
    {
        m_window->reload();
        // The question editor removes the first question after this window opened.
        const QStringList edited = Questions.mid(5);
        TestSupport::writeFile(path(u"Vopros.txt"_s), fileBytes(edited));
        edit(3)->setText(u"Сколько ног у паука?"_s);
        edit(4)->setText(u"6"_s);
        edit(5)->setText(u"8"_s);
        answer(1)->click();
        button(2)->click();
        QCOMPARE(TestSupport::readFile(path(u"Vopros.txt"_s)),
                 fileBytes(edited + QStringList{u"?"_s, u"Сколько ног у паука?"_s, u"6"_s, u"8"_s, u"1"_s}));
        QCOMPARE(countShown(), u"2"_s);
    }

    void questionTextsThatWouldBreakTheFileAreRefused_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("text");
        QTest::newRow("question is a marker") << 3 << u"?"_s;
        QTest::newRow("answer is a marker") << 4 << u"?"_s;
        QTest::newRow("answer not in the code page") << 5 << u"π"_s;
    }

    void questionTextsThatWouldBreakTheFileAreRefused()
    {
        QFETCH(int, field);
        QFETCH(QString, text);
        m_window->reload();
        const QByteArray before = TestSupport::readFile(path(u"Vopros.txt"_s));
        edit(3)->setText(u"Вопрос"_s);
        edit(4)->setText(u"да"_s);
        edit(5)->setText(u"нет"_s);
        edit(field)->setText(text);
        answer(0)->click();
        button(2)->click();
        QVERIFY(edit(field)->text() != text);
        QVERIFY(edit(field)->text() != u"OK!"_s);
        QCOMPARE(TestSupport::readFile(path(u"Vopros.txt"_s)), before);
        QCOMPARE(m_state.settings.questionCount, 2);
        // The answer item shows what its field shows.
        QCOMPARE(answer(0)->text(), edit(4)->text());
    }

    void missingQuestionBaseStopsActivationAndSparesTheNames()
    {
        QVERIFY(QFile::remove(path(u"Vopros.txt"_s)));
        m_window->reload();
        QCOMPARE(m_window->errors, QStringList{u"Не удаётся открыть файл Vopros.txt"_s});
        QCOMPARE(edit(1)->text(), u"Новый Игрок"_s);
        QVERIFY(listed().isEmpty());

        // The names were never read, so the file is not rewritten from an empty list.
        const QByteArray names = TestSupport::readFile(path(u"names.txt"_s));
        edit(2)->setText(u"Глеб"_s);
        button(4)->click();
        QCOMPARE(m_window->errors.size(), 2);
        QCOMPARE(TestSupport::readFile(path(u"names.txt"_s)), names);
        QVERIFY(listed().isEmpty());

        // A question can still start a new base.
        edit(3)->setText(u"Вопрос"_s);
        edit(4)->setText(u"да"_s);
        edit(5)->setText(u"нет"_s);
        answer(0)->click();
        button(2)->click();
        QCOMPARE(TestSupport::readFile(path(u"Vopros.txt"_s)),
                 fileBytes({u"?"_s, u"Вопрос"_s, u"да"_s, u"нет"_s, u"0"_s}));
        QCOMPARE(countShown(), u"1"_s);
    }

    void basesNotReadAtThisOpeningAreNeverWrittenBack()
    {
        m_window->reload();
        // Between two openings a name is added outside the game, and the question base
        // becomes unreadable: the second opening stops before it reads the names.
        const QStringList outside = Names + QStringList{u"Зоя"_s};
        TestSupport::writeFile(path(u"names.txt"_s), fileBytes(outside));
        QVERIFY(QFile::remove(path(u"Vopros.txt"_s)));
        QVERIFY(QDir(m_dir->path()).mkdir(u"Vopros.txt"_s));
        m_window->reload();
        QCOMPARE(m_window->errors.size(), 1);
        edit(2)->setText(u"Глеб"_s);
        button(4)->click();
        QCOMPARE(TestSupport::readFile(path(u"names.txt"_s)), fileBytes(outside));
        // Nor does the window show them.
        QVERIFY(listed().isEmpty());

        // Files removed meanwhile are started anew, without the lists of an earlier opening.
        QVERIFY(QFile::remove(path(u"names.txt"_s)));
        QVERIFY(QDir(m_dir->path()).rmdir(u"Vopros.txt"_s));
        m_window->reload();
        edit(2)->setText(u"Глеб"_s);
        button(4)->click();
        QCOMPARE(TestSupport::readFile(path(u"names.txt"_s)), fileBytes({u"Глеб"_s}));
        edit(3)->setText(u"Вопрос"_s);
        edit(4)->setText(u"да"_s);
        edit(5)->setText(u"нет"_s);
        answer(0)->click();
        button(2)->click();
        QCOMPARE(TestSupport::readFile(path(u"Vopros.txt"_s)), fileBytes({u"?"_s, u"Вопрос"_s, u"да"_s, u"нет"_s, u"0"_s}));
    }

    void missingNamesBaseIsReportedAfterTheCount()
    {
        QVERIFY(QFile::remove(path(u"names.txt"_s)));
        m_window->reload();
        QCOMPARE(m_window->errors, QStringList{u"Не удаётся открыть файл names.txt"_s});
        QCOMPARE(countShown(), u"2"_s);
        // A new names base can be started.
        edit(2)->setText(u"Глеб"_s);
        button(4)->click();
        QCOMPARE(m_window->errors.size(), 1);
        QCOMPARE(TestSupport::readFile(path(u"names.txt"_s)), fileBytes({u"Глеб"_s}));
    }

    void failedSaveIsReportedAndKeepsTheWindowsCopy()
    {
        m_window->reload();
        // Folders in the place of the files: both saves fail.
        for (const QString &name : {u"names.txt"_s, u"Vopros.txt"_s}) {
            QVERIFY(QFile::remove(path(name)));
            QVERIFY(QDir(m_dir->path()).mkdir(name));
        }

        edit(2)->setText(u"Глеб"_s);
        button(4)->click();
        QCOMPARE(m_window->errors, QStringList{u"Не удаётся записать файл names.txt"_s});
        QVERIFY(listed().contains(u"Глеб"_s));

        edit(3)->setText(u"Вопрос"_s);
        edit(4)->setText(u"да"_s);
        edit(5)->setText(u"нет"_s);
        answer(0)->click();
        button(2)->click();
        QCOMPARE(m_window->errors.size(), 2);
        QCOMPARE(m_window->errors.last(), u"Не удаётся записать файл Vopros.txt"_s);
        QCOMPARE(edit(3)->text(), u"OK!"_s);
        QCOMPARE(countShown(), u"2"_s);
        QCOMPARE(m_window->questions().count(), Questions.size() + 5);
    }

    void comingBackFromItsOwnMessageIsNoNewActivation()
    {
        // The error is shown in a window of its own, as a message box would be.
        struct Reporting : Window
        {
            using Window::Window;
            void showError(const Status &status) override
            {
                Window::showError(status);
                QWidget message(this, Qt::Window);
                message.show();
                message.activateWindow();
                QVERIFY(QTest::qWaitForWindowActive(&message));
                message.hide();
            }
        };
        QVERIFY(QFile::remove(path(u"names.txt"_s)));
        Reporting window(m_state, m_random, QDir(m_dir->path()));
        QWidget other;
        window.show();
        window.activateWindow();
        QTRY_COMPARE(window.errors.size(), 1);
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::qWait(50);
        QCOMPARE(window.errors.size(), 1);

        // Coming back from another window is.
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        window.activateWindow();
        QTRY_COMPARE(window.errors.size(), 2);
        QTest::qWait(50);
        QCOMPARE(window.errors.size(), 2);
    }
};

QTEST_MAIN(SettingsWindowTest)
#include "SettingsWindowTest.moc"
