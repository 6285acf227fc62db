// Start-up and moving between the four windows, with real widgets on the offscreen platform.
#include "FixedClock.h"
#include "ScriptedRandom.h"
#include "ui/Application.h"
#include "ui/look/ErrorReport.h"

#include <QAccessible>
#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

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
    std::unique_ptr<Application> m_app;
    QStringList m_errors;

private Q_SLOTS:
    void initTestCase()
    {
        Application::configure();
        ErrorReport::setHandler([this](QWidget *, const Status &s) { m_errors << s.message; });
    }

    void init()
    {
        QVERIFY(m_dir.isValid());
        copyShippedFiles(m_dir.path());
        m_app = std::make_unique<Application>(QDir(m_dir.path()), std::make_unique<ScriptedRandom>(),
                                              std::make_unique<FixedClock>());
        m_app->start();
        m_errors.clear();
    }

    void cleanup() { m_app.reset(); }

    void startUpShowsOnlyTheMainMenuWithTheStartValues()
    {
        // The desktop names the program by its desktop entry, "Зыбкоцепье"; the windows'
        // titles carry no suffix.
        QCOMPARE(QGuiApplication::desktopFileName(), u"zybkotsepye"_s);
        QCOMPARE(m_app->fMainMenu.windowTitle(), u"Зыбкоцепье"_s);
        QCOMPARE(m_app->fGame.windowTitle(), u"Зыбкоцепье"_s);
        QCOMPARE(m_app->fPref.windowTitle(), u"Зыбкоцепье"_s);
        QVERIFY(m_app->fMainMenu.isVisible());
        QVERIFY(!m_app->fPref.isVisible());
        QVERIFY(!m_app->fGame.isVisible());
        QVERIFY(!m_app->fBest.isVisible());
        QCOMPARE(m_app->fMainMenu.size(), QSize(792, 566));

        const MainMenuModule &m = m_app->state.uMainMenu;
        QCOMPARE(m.PlayerName, u"Новый Игрок"_s);
        QCOMPARE(m.PlayerSeat, 0);
        QCOMPARE(m.RoundNo, 0);
        for (int seat = 1; seat <= SeatCount; ++seat)
            QCOMPARE(m.SeatNames[seat], u"0"_s);
    }

    void settingsReplaceTheMenuAndGiveItBackWhenClosed()
    {
        button(m_app->fMainMenu, u"BitBtn2"_s)->click();
        QVERIFY(!m_app->fMainMenu.isVisible());
        QVERIFY(m_app->fPref.isVisible());

        m_app->fPref.close();
        QVERIFY(!m_app->fPref.isVisible());
        QVERIFY(m_app->fMainMenu.isVisible());

        button(m_app->fMainMenu, u"BitBtn2"_s)->click();
        button(m_app->fPref, u"BitBtn1"_s)->click();  // OK
        QVERIFY(!m_app->fPref.isVisible());
        QVERIFY(m_app->fMainMenu.isVisible());
        QVERIFY(m_errors.isEmpty());
    }

    void winnersWindowStaysOpenAfterTheSettingsClose()
    {
        button(m_app->fMainMenu, u"BitBtn2"_s)->click();
        button(m_app->fPref, u"BitBtn5"_s)->click();  // Best
        QVERIFY(m_app->fBest.isVisible());
        m_app->fPref.close();
        QVERIFY(m_app->fBest.isVisible());
        QVERIFY(m_app->fMainMenu.isVisible());
    }

    void playOpensTheGameAndClosingItStopsTheTimersAndBringsBackTheMenu()
    {
        button(m_app->fMainMenu, u"BitBtn1"_s)->click();
        QVERIFY2(m_errors.isEmpty(), qPrintable(m_errors.join(u'\n')));
        QVERIFY(m_app->fGame.isVisible());
        QVERIFY(!m_app->fMainMenu.isVisible());

        button(m_app->fGame, u"Button1"_s)->click();  // Начинаем
        QVERIFY(m_app->fGame.timer(GameView::Timer::Timer1)->isActive());
        m_app->fGame.close();
        for (auto t : {GameView::Timer::Timer1, GameView::Timer::Timer2, GameView::Timer::Timer3})
            QVERIFY(!m_app->fGame.timer(t)->isActive());
        QVERIFY(!m_app->fGame.isVisible());
        QVERIFY(m_app->fMainMenu.isVisible());
    }

    void playWithAnUnreadableNamesBaseKeepsTheMenu()
    {
        QFile::remove(m_dir.filePath(u"names.txt"_s));
        button(m_app->fMainMenu, u"BitBtn1"_s)->click();
        QCOMPARE(m_errors, QStringList{u"Cannot open file names.txt"_s});
        QVERIFY(m_app->fMainMenu.isVisible());
        QVERIFY(!m_app->fGame.isVisible());
    }

    void everyControlOfEveryWindowHasAnAccessibleName()
    {
        button(m_app->fMainMenu, u"BitBtn1"_s)->click();  // the game window with a game in it
        m_app->fPref.ensureBuilt();
        m_app->fBest.ensureBuilt();
        for (QWidget *window : {static_cast<QWidget *>(&m_app->fMainMenu), static_cast<QWidget *>(&m_app->fGame),
                                static_cast<QWidget *>(&m_app->fPref), static_cast<QWidget *>(&m_app->fBest)}) {
            const QList<QWidget *> widgets = window->findChildren<QWidget *>();
            for (QWidget *w : widgets) {
                // Controls, and the labels a player follows: seats, the clock, the bank, the prize.
                const QString name = w->objectName();
                const bool follow = window == &m_app->fGame
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
        QVERIFY(quitsTheProgram([this] { button(m_app->fMainMenu, u"BitBtn3"_s)->click(); }));
    }

    void closingTheMainMenuEndsTheProgram()
    {
        QVERIFY(quitsTheProgram([this] { m_app->fMainMenu.close(); }));
    }
};

QTEST_MAIN(WindowsTest)
#include "WindowsTest.moc"
