// Start-up and moving between the four windows, with real widgets on the offscreen platform.
#include "FixedClock.h"
#include "ScriptedRandom.h"
#include "ui/Application.h"
#include "ui/look/ErrorReport.h"
#include "ui/look/WindowStyle.h"
#include "ui/settings/StoredPlayerName.h"

#include "TestSupport.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

using namespace Qt::StringLiterals;

namespace {

void copyShippedFiles(const QString &dir)
{
    for (const char *name : {"Vopros.txt", "names.txt", "best.txt"}) {
        const QString file = QString::fromLatin1(name);
        QFile::copy(QStringLiteral(ZYB_SOURCE_DIR) + u"/resources/"_s + file, dir + u'/' + file);
    }
}

QPushButton *button(QWidget &window, const QString &name)
{
    auto *b = window.findChild<QPushButton *>(name);
    if (!b)
        qFatal("no button %s", qPrintable(name));
    return b;
}

// Runs the event loop until `action` ends it; false when it did not end within 5 seconds.
bool quitsTheProgram(const std::function<void()> &action)
{
    QTimer::singleShot(0, action);
    QTimer::singleShot(5000, [] { QApplication::exit(1); });
    return QApplication::exec() == 0;
}

} // namespace

class WindowsTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QTemporaryDir m_config;
    std::unique_ptr<Application> m_app;
    QStringList m_errors;
    QList<QWidget *> m_errorOwners;  // the window each message box stood over

private Q_SLOTS:
    void initTestCase()
    {
        TestSupport::keepSettingsIn(m_config);
        Application::configure();
        ErrorReport::setHandler([this](QWidget *owner, const Status &s) {
            m_errors << s.message;
            m_errorOwners << owner;
        });
    }

    void init()
    {
        QVERIFY(m_dir.isValid());
        copyShippedFiles(m_dir.path());
        m_app = std::make_unique<Application>(QDir(m_dir.path()), std::make_unique<ScriptedRandom>(),
                                              std::make_unique<FixedClock>());
        m_app->start();
        m_errors.clear();
        m_errorOwners.clear();
    }

    void cleanup()
    {
        m_app.reset();
        TestSupport::clearSettings();
    }

    // The main menu's "Играть", "Настройка..." and "Выход".
    QPushButton *playButton() { return button(m_app->mainMenuWindow, u"BitBtn1"_s); }
    QPushButton *settingsButton() { return button(m_app->mainMenuWindow, u"BitBtn2"_s); }
    QPushButton *exitButton() { return button(m_app->mainMenuWindow, u"BitBtn3"_s); }
    // The settings window's "OK" and "Best".
    QPushButton *okButton() { return button(m_app->settingsWindow, u"BitBtn1"_s); }
    QPushButton *winnersButton() { return button(m_app->settingsWindow, u"BitBtn5"_s); }
    // The table's "Начинаем".
    QPushButton *startButton() { return button(m_app->gameWindow, u"Button1"_s); }

    void startUpShowsOnlyTheMainMenuWithTheStartValues()
    {
        // The desktop names the program by its desktop entry, "Зыбкоцепье"; the windows'
        // titles carry no suffix.
        QCOMPARE(QGuiApplication::desktopFileName(), u"zybkotsepye"_s);
        QCOMPARE(m_app->mainMenuWindow.windowTitle(), u"Зыбкоцепье"_s);
        QCOMPARE(m_app->gameWindow.windowTitle(), u"Зыбкоцепье"_s);
        QCOMPARE(m_app->settingsWindow.windowTitle(), u"Зыбкоцепье"_s);
        QVERIFY(m_app->mainMenuWindow.isVisible());
        QVERIFY(!m_app->settingsWindow.isVisible());
        QVERIFY(!m_app->gameWindow.isVisible());
        QVERIFY(!m_app->winnersWindow.isVisible());
        QCOMPARE(m_app->mainMenuWindow.size(), QSize(792, 566));

        const GameState &state = m_app->state;
        QCOMPARE(state.table.playerName, u"Новый Игрок"_s);
        QCOMPARE(state.table.playerSeat, 0);
        QCOMPARE(state.round.number, 0);
        for (int seat = 1; seat <= SeatCount; ++seat)
            QCOMPARE(state.table.seatNames[seat], u"0"_s);
    }

    void thePlayersNameOutlivesTheRun()
    {
        settingsButton()->click();
        m_app->settingsWindow.findChild<QLineEdit *>(u"Edit1"_s)->setText(u"Вася"_s);
        okButton()->click();
        QCOMPARE(Application(QDir(m_dir.path())).state.table.playerName, u"Вася"_s);
        // A stored name the game could not use gives the start value.
        for (const QString &refused : {QString(), u"0"_s, u"!"_s, u"Пётр π"_s, QString(65, u'я')}) {
            StoredPlayerName::store(refused);
            QCOMPARE(Application(QDir(m_dir.path())).state.table.playerName, u"Новый Игрок"_s);
        }
    }

    void settingsReplaceTheMenuAndGiveItBackWhenClosed()
    {
        settingsButton()->click();
        QVERIFY(!m_app->mainMenuWindow.isVisible());
        QVERIFY(m_app->settingsWindow.isVisible());

        m_app->settingsWindow.close();
        QVERIFY(!m_app->settingsWindow.isVisible());
        QVERIFY(m_app->mainMenuWindow.isVisible());

        settingsButton()->click();
        okButton()->click();
        QVERIFY(!m_app->settingsWindow.isVisible());
        QVERIFY(m_app->mainMenuWindow.isVisible());
        QVERIFY(m_errors.isEmpty());
    }

    void windowsAreCentredOnceThenStayWhereThePlayerPutsThem()
    {
        QWidget &menu = m_app->mainMenuWindow;
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        QVERIFY(WindowStyle::isCentred(menu));
        // Moved by the player at once: the platform's report of the move comes as the window
        // manager's would.
        menu.move(menu.pos() + QPoint(-150, 100));
        QCoreApplication::processEvents();
        QVERIFY(!WindowStyle::isCentred(menu));
        const QPoint put = menu.pos();

        settingsButton()->click();
        QWidget &settings = m_app->settingsWindow;
        QVERIFY(QTest::qWaitForWindowExposed(&settings));
        QVERIFY(WindowStyle::isCentred(settings));
        settings.move(settings.pos() + QPoint(30, -20));
        QCoreApplication::processEvents();
        const QPoint settingsPut = settings.pos();
        okButton()->click();
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        QCOMPARE(menu.pos(), put);
        settingsButton()->click();
        QVERIFY(QTest::qWaitForWindowExposed(&settings));
        QCOMPARE(settings.pos(), settingsPut);
    }

    void winnersWindowStandsOverItsOpenerAndClosesWithIt()
    {
        settingsButton()->click();
        winnersButton()->click();
        QVERIFY(m_app->winnersWindow.isVisible());
        QCOMPARE(m_app->winnersWindow.windowHandle()->transientParent(), m_app->settingsWindow.windowHandle());
        // On X, Qt tells the window manager of the owner (WM_TRANSIENT_FOR) only for a dialog's window.
        QCOMPARE(m_app->winnersWindow.windowType(), Qt::Dialog);
        m_app->settingsWindow.close();
        QVERIFY(!m_app->winnersWindow.isVisible());
        QVERIFY(m_app->mainMenuWindow.isVisible());

        // Opened again from the table, it belongs to the table, and the settings no longer close it.
        m_app->gameWindow.show();
        Q_EMIT m_app->gameWindow.hallOfFameRequested();
        QCOMPARE(m_app->winnersWindow.windowHandle()->transientParent(), m_app->gameWindow.windowHandle());
        settingsButton()->click();
        m_app->settingsWindow.close();
        QVERIFY(m_app->winnersWindow.isVisible());
        m_app->gameWindow.close();
        QVERIFY(!m_app->winnersWindow.isVisible());
    }

    void playOpensTheGameAndClosingItStopsTheTimersAndBringsBackTheMenu()
    {
        playButton()->click();
        QVERIFY2(m_errors.isEmpty(), qPrintable(m_errors.join(u'\n')));
        QVERIFY(m_app->gameWindow.isVisible());
        QVERIFY(!m_app->mainMenuWindow.isVisible());

        startButton()->click();
        QVERIFY(m_app->gameWindow.engine().timers().isActive(GameTimers::Timer::RoundClock));
        m_app->gameWindow.close();
        for (auto t : {GameTimers::Timer::RoundClock, GameTimers::Timer::AnswerDelay, GameTimers::Timer::Pause})
            QVERIFY(!m_app->gameWindow.engine().timers().isActive(t));
        QVERIFY(!m_app->gameWindow.isVisible());
        QVERIFY(m_app->mainMenuWindow.isVisible());
    }

    void playWithAnUnreadableNamesBaseKeepsTheMenu()
    {
        QFile::remove(m_dir.filePath(u"names.txt"_s));
        playButton()->click();
        QCOMPARE(m_errors, QStringList{u"Не удаётся открыть файл names.txt"_s});
        QCOMPARE(m_errorOwners, QList<QWidget *>{&m_app->mainMenuWindow});
        QVERIFY(m_app->mainMenuWindow.isVisible());
        QVERIFY(!m_app->gameWindow.isVisible());
    }

    void everyControlOfEveryWindowHasAnAccessibleName()
    {
        playButton()->click();  // the game window with a game in it
        m_app->settingsWindow.ensureBuilt();
        m_app->winnersWindow.ensureBuilt();
        for (QWidget *window : {static_cast<QWidget *>(&m_app->mainMenuWindow), static_cast<QWidget *>(&m_app->gameWindow),
                                static_cast<QWidget *>(&m_app->settingsWindow), static_cast<QWidget *>(&m_app->winnersWindow)}) {
            const QList<QWidget *> widgets = window->findChildren<QWidget *>();
            for (QWidget *w : widgets) {
                // Controls, and the labels a player follows: seats, the clock, the bank, the prize.
                const QString name = w->objectName();
                const bool follow = window == &m_app->gameWindow
                    && (name.startsWith(u"Name") || name == u"Label2" || name == u"Bank" || name == u"_Summa");
                if (name.isEmpty() || name.startsWith(u"qt_") || (w->focusPolicy() == Qt::NoFocus && !follow))
                    continue;
                QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w);
                QVERIFY2(a && !a->text(QAccessible::Name).isEmpty(), qPrintable(window->objectName() + u'.' + name));
            }
        }
    }

    void exitButtonEndsTheProgram()
    {
        QVERIFY(quitsTheProgram([this] { exitButton()->click(); }));
    }

    void anEditNotYetWrittenIsKeptOrWrittenBeforeTheProgramEnds()
    {
        // Presses `button` of the question box once it shows.
        const auto answerBox = [this](const QString &button) {
            auto *waiting = new QTimer(&m_app->mainMenuWindow);
            QObject::connect(waiting, &QTimer::timeout, waiting, [waiting, button] {
                if (QWidget *box = QApplication::activeModalWidget()) {
                    waiting->deleteLater();
                    for (QAbstractButton *b : box->findChildren<QAbstractButton *>())
                        if (b->text() == button)
                            b->click();
                }
            });
            waiting->start(10);
        };
        m_app->questionEditor.open();
        auto *question = m_app->questionEditor.findChild<QLineEdit *>(u"QuestionEdit"_s);
        const QString edited = u"Вопрос, изменённый перед выходом?"_s;
        question->setText(edited);
        answerBox(u"Отмена"_s);
        exitButton()->click();
        QVERIFY(m_app->questionEditor.isVisible());
        QCOMPARE(question->text(), edited);
        answerBox(u"Записать"_s);
        QVERIFY(quitsTheProgram([this] { exitButton()->click(); }));
        LineStore base;
        QVERIFY(base.load(m_dir.filePath(u"Vopros.txt"_s)).ok());
        QVERIFY(base.lines().contains(edited));
    }

    void closingTheMainMenuEndsTheProgram()
    {
        QVERIFY(quitsTheProgram([this] { m_app->mainMenuWindow.close(); }));
    }
};

QTEST_MAIN(WindowsTest)
#include "WindowsTest.moc"
