#include "ui/Application.h"

#include "ui/look/Artwork.h"
#include "ui/look/ErrorReport.h"
#include "ui/look/WindowStates.h"
#include "ui/settings/StoredPlayerName.h"

#include <QApplication>
#include <QIcon>
#include <QLocale>
#include <QObject>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// Long enough for the settings window's first frame, too short for a player's first click.
constexpr int PrepareEditorMs = 200;

} // namespace

void Application::configure()
{
    QApplication::setApplicationName(u"zybkotsepye"_s);
    QApplication::setApplicationVersion(u"1.0"_s);
    // The desktop entry gives the program its title, "Зыбкоцепье", in task bars and
    // menus. No display name: Qt would append it to every window's title.
    QGuiApplication::setDesktopFileName(u"zybkotsepye"_s);
    QApplication::setWindowIcon(Artwork::applicationIcon());
    // The buttons' glyphs are the style's own, the same on every desktop: icon themes are
    // looked for only among the game's resources, which have none. Searching the system's
    // themes took more than half of opening the settings window.
    QIcon::setThemeSearchPaths({u":/icons"_s});
    // The main menu ends the program; the other windows only hide.
    QApplication::setQuitOnLastWindowClosed(false);
    // Dates and times follow the player's locale; without one, the game's own Russian.
    if (QLocale::system().language() == QLocale::C)
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
}

Application::Application(QDir dataDir, std::unique_ptr<RandomSource> random, std::unique_ptr<Clock> clock)
    : m_random(std::move(random))
    , m_clock(std::move(clock))
    , mainMenuWindow(state)
    , settingsWindow(state, *m_random, dataDir)
    , gameWindow(state, *m_random, *m_clock, dataDir)
    , winnersWindow(state, *m_clock, dataDir)
    , questionEditor(dataDir)
    , friendsWindow(state, m_seatMoves)
{
    for (QWidget *window : std::initializer_list<QWidget *>{&mainMenuWindow, &settingsWindow, &gameWindow, &winnersWindow,
                                                            &friendsWindow})
        WindowStates::fitWhenMaximised(*window);
    // The name the player set in an earlier run; without one, the start value stays.
    if (const QString name = StoredPlayerName::read(); !name.isEmpty())
        state.table.playerName = name;
    gameWindow.setSounds(&sounds);
    settingsWindow.setSounds(&sounds);
    gameWindow.setNarrator(&narrator);
    settingsWindow.setNarrator(&narrator);

    auto showMenu = [this] {
        mainMenuWindow.show();
        mainMenuWindow.raise();
        mainMenuWindow.activateWindow();
    };
    QObject::connect(&mainMenuWindow, &MainMenuWindow::newGameRequested, &gameWindow, [this] { startGame(); });
    QObject::connect(&mainMenuWindow, &MainMenuWindow::settingsRequested, &settingsWindow, [this] { showSettings(); });
    QObject::connect(&gameWindow, &GameWindow::closed, &mainMenuWindow, [this, showMenu] {
        leaveFriendsTable();
        showMenu();
    });
    QObject::connect(&mainMenuWindow, &MainMenuWindow::friendsTableRequested, &friendsWindow, [this] {
        friendsWindow.open();
        mainMenuWindow.hide();
    });
    QObject::connect(&friendsWindow, &FriendsTableWindow::closed, &mainMenuWindow, showMenu);
    // The host's table shows which friends are connected.
    QObject::connect(&friendsWindow, &FriendsTableWindow::friendsConnected, &gameWindow, [this](const QList<int> &seats) {
        if (!m_tableAtGame)
            return;
        for (int seat : std::as_const(state.table.friendSeats))
            gameWindow.showFriendPresence(seat, seats.contains(seat));
    });
    QObject::connect(&friendsWindow, &FriendsTableWindow::gameRequested, &gameWindow,
                     [this](const QStringList &friends, bool playerPlays) { startGame(friends, playerPlays); });
    QObject::connect(&settingsWindow, &SettingsWindow::closed, &mainMenuWindow, [this, showMenu] {
        showMenu();
        // The question editor opened from the settings stays in sight above the menu.
        if (questionEditor.isVisible())
            questionEditor.raise();
    });
    // The program ends only once the question editor has closed: it asks about an edit
    // not yet written.
    mainMenuWindow.setQuitCheck([this] { return !questionEditor.isVisible() || questionEditor.close(); });
    QObject::connect(&settingsWindow, &SettingsWindow::winnersRequested, &winnersWindow,
                     [this] { winnersWindow.openOver(&settingsWindow); });
    QObject::connect(&gameWindow, &GameWindow::hallOfFameRequested, &winnersWindow,
                     [this] { winnersWindow.openOver(&gameWindow); });
    // The editor starts from the base the settings window has just read; a question of the
    // game just played opens it on that question.
    QObject::connect(&settingsWindow, &SettingsWindow::questionEditorRequested, &questionEditor, [this] {
        questionEditor.openWithBase(settingsWindow.questions(), settingsWindow.questionFile());
    });
    QObject::connect(&gameWindow, &GameWindow::questionEditRequested, &questionEditor, &QuestionEditorWindow::openAt);
}

void Application::startGame(const QStringList &friends, bool playerPlays)
{
    FriendsTableControl *table = friendsWindow.isVisible() ? friendsWindow.table() : nullptr;
    GameEngine &engine = gameWindow.engine();
    // The friends' pages hear the game from its first fact, the table seated.
    if (table)
        engine.addListener(table->listener());
    const Status status = engine.newGame(m_namesList, table ? friends : QStringList(),
                                         table && !playerPlays ? GameEngine::Player::RunsTheShow : GameEngine::Player::Plays);
    if (!status) {
        if (table)
            engine.removeListener(table->listener());
        ErrorReport::show(table ? static_cast<QWidget *>(&friendsWindow) : &mainMenuWindow, status);
        return;
    }
    if (table) {
        table->seatFriends(state.table.friendSeats);
        m_tableAtGame = table;
        friendsWindow.hide();
    }
    gameWindow.showTable();
    mainMenuWindow.hide();
}

void Application::leaveFriendsTable()
{
    if (!m_tableAtGame)
        return;
    gameWindow.engine().removeListener(m_tableAtGame->listener());
    m_tableAtGame = nullptr;
    friendsWindow.closeTable();
}

void Application::showSettings()
{
    // The settings window reads the bases as it is shown, before its first frame: the menu
    // stays until then, so that the screen is never empty meanwhile.
    settingsWindow.show();
    mainMenuWindow.hide();
    settingsWindow.raise();
    settingsWindow.activateWindow();
    // While the player reads the settings, the question editor is made and takes over the
    // base just read, so that "Редактор вопросов..." only has to show it.
    QTimer::singleShot(PrepareEditorMs, &questionEditor, [this] {
        if (settingsWindow.isVisible())
            questionEditor.prepare(settingsWindow.questions(), settingsWindow.questionFile());
    });
}

void Application::start()
{
    mainMenuWindow.show();
    // The host's voice opens on a thread of its own: the menu never waits for it.
    if (narrator.isOn())
        speech.prepare();
}
