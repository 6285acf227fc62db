#include "ui/settings/SettingsWindow.h"

#include "TestSupport.h"
#include "ui/winners/WinnersWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHash>
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
    QTemporaryDir m_config;
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
    QLineEdit *playerNameField() const { return child<QLineEdit>(u"Edit1"_s); }
    QLineEdit *newNameField() const { return child<QLineEdit>(u"Edit2"_s); }
    QLineEdit *questionField() const { return child<QLineEdit>(u"Edit3"_s); }
    QLineEdit *firstAnswerField() const { return child<QLineEdit>(u"Edit4"_s); }
    QLineEdit *secondAnswerField() const { return child<QLineEdit>(u"Edit5"_s); }
    QPushButton *okButton() const { return child<QPushButton>(u"BitBtn1"_s); }
    QPushButton *addQuestionButton() const { return child<QPushButton>(u"BitBtn2"_s); }
    QPushButton *randomNameButton() const { return child<QPushButton>(u"BitBtn3"_s); }
    QPushButton *addNameButton() const { return child<QPushButton>(u"BitBtn4"_s); }
    QPushButton *winnersButton() const { return child<QPushButton>(u"BitBtn5"_s); }
    // The item that marks the first (0) or the second (1) answer as the right one.
    QRadioButton *rightAnswerItem(int i) const { return child<QRadioButton>(u"RadioGroup1Item%1"_s.arg(i)); }
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
    void initTestCase() { TestSupport::keepSettingsIn(m_config); }

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
        QCOMPARE(playerNameField()->text(), u"Новый Игрок"_s);
        QCOMPARE(newNameField()->text(), u"Новый Игрок"_s);
        QCOMPARE(m_state.settings.questionCount, 2);
        QCOMPARE(countShown(), u"2"_s);
        QCOMPARE(m_window->questions().lines(), Questions);
        QCOMPARE(listed(), (QStringList{u"Анна"_s, u"борис"_s, u"Виктор"_s, u"Яков"_s}));

        playerNameField()->setText(u"черновик"_s);
        newNameField()->setText(u"черновик"_s);
        questionField()->setText(u"вопрос"_s);
        firstAnswerField()->setText(u"да"_s);
        secondAnswerField()->setText(u"нет"_s);
        QCOMPARE(rightAnswerItem(0)->text(), u"да"_s);
        QCOMPARE(rightAnswerItem(1)->text(), u"нет"_s);
        rightAnswerItem(1)->click();

        m_window->reload();
        QCOMPARE(playerNameField()->text(), u"Новый Игрок"_s);
        QCOMPARE(newNameField()->text(), u"Новый Игрок"_s);
        for (QLineEdit *field : {questionField(), firstAnswerField(), secondAnswerField()})
            QCOMPARE(field->text(), QString());
        QCOMPARE(rightAnswerItem(0)->text(), QString());
        QCOMPARE(rightAnswerItem(1)->text(), QString());
        // The marked answer stays marked.
        QVERIFY(rightAnswerItem(1)->isChecked());
    }

    void returningFromTheWinnersWindowResetsTheFields()
    {
        FixedClock clock;
        WinnersWindow best(m_state, clock, QDir(m_dir->path()));
        connect(m_window.get(), &SettingsWindow::winnersRequested, &best, &WinnersWindow::open);

        m_window->show();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QTRY_COMPARE(playerNameField()->text(), u"Новый Игрок"_s);

        playerNameField()->setText(u"черновик"_s);
        questionField()->setText(u"вопрос"_s);
        winnersButton()->click();
        QVERIFY(best.isVisible());
        QVERIFY(QTest::qWaitForWindowActive(&best));
        QCOMPARE(m_state.winners.lineCount, 0);

        best.findChild<QPushButton *>(u"BitBtn1"_s)->click();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QTRY_COMPARE(playerNameField()->text(), u"Новый Игрок"_s);
        QCOMPARE(questionField()->text(), QString());
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
        playerNameField()->setText(typed);
        okButton()->click();
        QCOMPARE(m_state.table.playerName, stored);
        QVERIFY(!m_window->isVisible());
        QCOMPARE(closed.size(), 1);
    }

    void closeBoxKeepsTheName()
    {
        QSignalSpy closed(m_window.get(), &SettingsWindow::closed);
        m_window->show();
        m_window->reload();
        playerNameField()->setText(u"Петя"_s);
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
        playerNameField()->setText(typed);
        okButton()->click();
        QVERIFY(m_window->isVisible());
        QCOMPARE(closed.size(), 0);
        QCOMPARE(m_state.table.playerName, u"Новый Игрок"_s);
        QVERIFY(!playerNameField()->text().isEmpty());
        QVERIFY(playerNameField()->text() != typed);
    }

    void randomNameIsDrawnFromTheSortedList()
    {
        m_window->reload();
        m_random.script = {2};
        randomNameButton()->click();
        QCOMPARE(m_random.asked, QList<int>{4});
        QCOMPARE(playerNameField()->text(), u"Виктор"_s);
        QCOMPARE(m_state.table.playerName, u"Новый Игрок"_s);

        // An empty names base has nothing to draw: the field stays as it is.
        TestSupport::writeFile(path(u"names.txt"_s), {});
        m_window->reload();
        QVERIFY(m_window->errors.isEmpty());
        playerNameField()->setText(u"Свой"_s);
        randomNameButton()->click();
        QCOMPARE(playerNameField()->text(), u"Свой"_s);
        QCOMPARE(m_random.asked.size(), 1);
    }

    void shownWithoutPreparationShowsEveryControl()
    {
        // As the main menu opens it: no call but show(). Its first frame shows what was read.
        m_window->show();
        QCOMPARE(countShown(), u"2"_s);
        QCOMPARE(playerNameField()->text(), u"Новый Игрок"_s);
        QCOMPARE(listed().size(), Names.size());
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        const QList<QWidget *> children = m_window->findChildren<QWidget *>();
        QVERIFY(children.size() > 20);
        for (const QWidget *w : children) {
            if (!w->objectName().isEmpty() && !w->objectName().startsWith(u"qt_"_s))
                QVERIFY2(w->isVisible(), qPrintable(w->objectName()));
        }
        QCOMPARE(m_window->focusWidget(), okButton());
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
        for (QPushButton *button : {okButton(), addQuestionButton(), randomNameButton(), addNameButton(), winnersButton()}) {
            const QIcon glyph = button->icon();
            QVERIFY2(!glyph.isNull(), qPrintable(button->text()));
            QVERIFY2(!deleting.contains(image(glyph)), qPrintable(button->text()));
        }
    }

    void longNamesArePutWholeButTypingStaysLimited()
    {
        const QString longName = u"Александр-Второй"_s;
        TestSupport::writeFile(path(u"names.txt"_s), fileBytes({longName}));
        m_window->reload();
        randomNameButton()->click();
        QCOMPARE(playerNameField()->text(), longName);
        okButton()->click();
        QCOMPARE(m_state.table.playerName, longName);

        // The player's long name comes back whole; typing cannot lengthen it, only shorten it.
        m_window->reload();
        QCOMPARE(playerNameField()->text(), longName);
        QCOMPARE(newNameField()->text(), longName);
        playerNameField()->end(false);
        QTest::keyClicks(playerNameField(), u"x"_s);
        QCOMPARE(playerNameField()->text(), longName);
        QTest::keyClick(playerNameField(), Qt::Key_Backspace);
        QTest::keyClicks(playerNameField(), u"xy"_s);
        QCOMPARE(playerNameField()->text(), longName.chopped(1));

        newNameField()->clear();
        QTest::keyClicks(newNameField(), u"abcdefghijklmno"_s);
        QCOMPARE(newNameField()->text(), u"abcdefghijkl"_s);
    }

    void questionBaseIsTheGamesFileAlsoBesideALowerCaseTwin()
    {
        // A folder copied from a file system that ignores letter case may hold both.
        const QStringList twin{u"?"_s, u"Другой файл?"_s, u"Да"_s, u"Нет"_s, u"0"_s};
        TestSupport::writeFile(path(u"vopros.txt"_s), fileBytes(twin));
        m_window->reload();
        QCOMPARE(m_state.settings.questionCount, 2);
        questionField()->setText(u"Новый?"_s);
        firstAnswerField()->setText(u"Да"_s);
        secondAnswerField()->setText(u"Нет"_s);
        rightAnswerItem(1)->click();
        addQuestionButton()->click();
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
        addNameButton()->click();
        QVERIFY(listed().contains(u"Новый Игрок"_s));
        TestSupport::writeFile(path(u"names.txt"_s), fileBytes(Names));
        m_window->reload();

        newNameField()->setText(u"Глеб"_s);
        addNameButton()->click();
        const QStringList expected{u"Анна"_s, u"борис"_s, u"Виктор"_s, u"Глеб"_s, u"Яков"_s};
        QCOMPARE(listed(), expected);
        QCOMPARE(TestSupport::readFile(path(u"names.txt"_s)), fileBytes(expected));
        QCOMPARE(newNameField()->text(), u"Глеб"_s);

        // Letter case makes a different name.
        newNameField()->setText(u"Борис"_s);
        addNameButton()->click();
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

        newNameField()->clear();
        addNameButton()->click();
        QCOMPARE(newNameField()->text(), u"Нет имени!"_s);
        QCOMPARE(TestSupport::readFile(path(u"names.txt"_s)), before);

        newNameField()->setText(u"Анна"_s);
        addNameButton()->click();
        QCOMPARE(newNameField()->text(), u"Повт.имя!"_s);
        QCOMPARE(TestSupport::readFile(path(u"names.txt"_s)), before);

        // A second click does not take the message for a name: it stays a message.
        addNameButton()->click();
        QCOMPARE(newNameField()->text(), u"Повт.имя!"_s);
        newNameField()->clear();
        addNameButton()->click();
        addNameButton()->click();
        QCOMPARE(newNameField()->text(), u"Нет имени!"_s);
        QVERIFY(!listed().contains(u"Повт.имя!"_s));
        QVERIFY(!listed().contains(u"Нет имени!"_s));
        QCOMPARE(TestSupport::readFile(path(u"names.txt"_s)), before);

        // Typed by the player, the same text is a name like any other.
        newNameField()->selectAll();
        QTest::keyClicks(newNameField(), u"Net imeni!"_s);
        newNameField()->setText(u"Нет имени!"_s);
        addNameButton()->click();
        QVERIFY(listed().contains(u"Нет имени!"_s));
        QCOMPARE(TestSupport::readFile(path(u"names.txt"_s)), fileBytes(listed()));

        // Nor does a confirmation or a refusal become a question.
        questionField()->setText(u"Вопрос?"_s);
        firstAnswerField()->setText(u"Да"_s);
        secondAnswerField()->setText(u"Нет"_s);
        rightAnswerItem(0)->click();
        addQuestionButton()->click();
        QCOMPARE(questionField()->text(), u"OK!"_s);
        const QByteArray questions = TestSupport::readFile(path(u"Vopros.txt"_s));
        firstAnswerField()->setText(u"Да"_s);
        secondAnswerField()->setText(u"Нет"_s);
        addQuestionButton()->click();
        QCOMPARE(TestSupport::readFile(path(u"Vopros.txt"_s)), questions);
        QCOMPARE(questionField()->text(), u"OK!"_s);
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
        newNameField()->setText(name);
        addNameButton()->click();
        QVERIFY(newNameField()->text() != name);
        QVERIFY(!newNameField()->text().isEmpty());
        QCOMPARE(listed().size(), Names.size());
        QCOMPARE(TestSupport::readFile(path(u"names.txt"_s)), before);
    }

    void addingAQuestion()
    {
        m_window->reload();
        const QByteArray before = TestSupport::readFile(path(u"Vopros.txt"_s));

        // Nothing happens while anything is missing.
        questionField()->setText(u"Сколько ног у паука?"_s);
        firstAnswerField()->setText(u"6"_s);
        secondAnswerField()->setText(u"8"_s);
        addQuestionButton()->click();
        QCOMPARE(questionField()->text(), u"Сколько ног у паука?"_s);
        rightAnswerItem(1)->click();
        questionField()->clear();
        addQuestionButton()->click();
        QCOMPARE(firstAnswerField()->text(), u"6"_s);
        QCOMPARE(TestSupport::readFile(path(u"Vopros.txt"_s)), before);
        QVERIFY(m_window->errors.isEmpty());

        questionField()->setText(u"Сколько ног у паука?"_s);
        addQuestionButton()->click();
        const QStringList expected = Questions + QStringList{u"?"_s, u"Сколько ног у паука?"_s, u"6"_s, u"8"_s, u"1"_s};
        QCOMPARE(TestSupport::readFile(path(u"Vopros.txt"_s)), fileBytes(expected));
        QCOMPARE(m_window->questions().lines(), expected);
        QCOMPARE(questionField()->text(), u"OK!"_s);
        QCOMPARE(firstAnswerField()->text(), QString());
        QCOMPARE(secondAnswerField()->text(), QString());
        QCOMPARE(rightAnswerItem(0)->text(), QString());
        QCOMPARE(rightAnswerItem(1)->text(), QString());
        QVERIFY(rightAnswerItem(1)->isChecked());
        QCOMPARE(m_state.settings.questionCount, 3);
        QCOMPARE(countShown(), u"3"_s);

        // The answers are gone, so a second click does nothing.
        addQuestionButton()->click();
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
        questionField()->setText(u"Сколько ног у паука?"_s);
        firstAnswerField()->setText(u"6"_s);
        secondAnswerField()->setText(u"8"_s);
        rightAnswerItem(1)->click();
        addQuestionButton()->click();
        QCOMPARE(TestSupport::readFile(path(u"Vopros.txt"_s)),
                 fileBytes(edited + QStringList{u"?"_s, u"Сколько ног у паука?"_s, u"6"_s, u"8"_s, u"1"_s}));
        QCOMPARE(countShown(), u"2"_s);
    }

    void questionTextsThatWouldBreakTheFileAreRefused_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::newRow("question is a marker") << u"question"_s << u"?"_s;
        QTest::newRow("answer is a marker") << u"first answer"_s << u"?"_s;
        QTest::newRow("answer not in the code page") << u"second answer"_s << u"π"_s;
        QTest::newRow("answers the same but for case and blanks") << u"second answer"_s << u" ДА"_s;
    }

    void questionTextsThatWouldBreakTheFileAreRefused()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        m_window->reload();
        const QHash<QString, QLineEdit *> fields{{u"question"_s, questionField()},
                                                 {u"first answer"_s, firstAnswerField()},
                                                 {u"second answer"_s, secondAnswerField()}};
        QLineEdit *typedIn = fields.value(field);
        const QByteArray before = TestSupport::readFile(path(u"Vopros.txt"_s));
        questionField()->setText(u"Вопрос"_s);
        firstAnswerField()->setText(u"да"_s);
        secondAnswerField()->setText(u"нет"_s);
        typedIn->setText(text);
        rightAnswerItem(0)->click();
        addQuestionButton()->click();
        QVERIFY(typedIn->text() != text);
        QVERIFY(typedIn->text() != u"OK!"_s);
        QCOMPARE(TestSupport::readFile(path(u"Vopros.txt"_s)), before);
        QCOMPARE(m_state.settings.questionCount, 2);
        // The answer item shows what its field shows.
        QCOMPARE(rightAnswerItem(0)->text(), firstAnswerField()->text());
    }

    void missingQuestionBaseStopsActivationAndSparesTheNames()
    {
        QVERIFY(QFile::remove(path(u"Vopros.txt"_s)));
        m_window->reload();
        QCOMPARE(m_window->errors, QStringList{u"Не удаётся открыть файл Vopros.txt"_s});
        QCOMPARE(playerNameField()->text(), u"Новый Игрок"_s);
        QVERIFY(listed().isEmpty());

        // The names were never read, so the file is not rewritten from an empty list.
        const QByteArray names = TestSupport::readFile(path(u"names.txt"_s));
        newNameField()->setText(u"Глеб"_s);
        addNameButton()->click();
        QCOMPARE(m_window->errors.size(), 2);
        QCOMPARE(TestSupport::readFile(path(u"names.txt"_s)), names);
        QVERIFY(listed().isEmpty());

        // A question can still start a new base.
        questionField()->setText(u"Вопрос"_s);
        firstAnswerField()->setText(u"да"_s);
        secondAnswerField()->setText(u"нет"_s);
        rightAnswerItem(0)->click();
        addQuestionButton()->click();
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
        newNameField()->setText(u"Глеб"_s);
        addNameButton()->click();
        QCOMPARE(TestSupport::readFile(path(u"names.txt"_s)), fileBytes(outside));
        // Nor does the window show them.
        QVERIFY(listed().isEmpty());

        // Files removed meanwhile are started anew, without the lists of an earlier opening.
        QVERIFY(QFile::remove(path(u"names.txt"_s)));
        QVERIFY(QDir(m_dir->path()).rmdir(u"Vopros.txt"_s));
        m_window->reload();
        newNameField()->setText(u"Глеб"_s);
        addNameButton()->click();
        QCOMPARE(TestSupport::readFile(path(u"names.txt"_s)), fileBytes({u"Глеб"_s}));
        questionField()->setText(u"Вопрос"_s);
        firstAnswerField()->setText(u"да"_s);
        secondAnswerField()->setText(u"нет"_s);
        rightAnswerItem(0)->click();
        addQuestionButton()->click();
        QCOMPARE(TestSupport::readFile(path(u"Vopros.txt"_s)), fileBytes({u"?"_s, u"Вопрос"_s, u"да"_s, u"нет"_s, u"0"_s}));
    }

    void missingNamesBaseIsReportedAfterTheCount()
    {
        QVERIFY(QFile::remove(path(u"names.txt"_s)));
        m_window->reload();
        QCOMPARE(m_window->errors, QStringList{u"Не удаётся открыть файл names.txt"_s});
        QCOMPARE(countShown(), u"2"_s);
        // A new names base can be started.
        newNameField()->setText(u"Глеб"_s);
        addNameButton()->click();
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

        newNameField()->setText(u"Глеб"_s);
        addNameButton()->click();
        QCOMPARE(m_window->errors, QStringList{u"Не удаётся записать файл names.txt"_s});
        QVERIFY(listed().contains(u"Глеб"_s));

        questionField()->setText(u"Вопрос"_s);
        firstAnswerField()->setText(u"да"_s);
        secondAnswerField()->setText(u"нет"_s);
        rightAnswerItem(0)->click();
        addQuestionButton()->click();
        QCOMPARE(m_window->errors.size(), 2);
        QCOMPARE(m_window->errors.last(), u"Не удаётся записать файл Vopros.txt"_s);
        QCOMPARE(questionField()->text(), u"OK!"_s);
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
