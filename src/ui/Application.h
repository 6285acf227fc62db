#pragma once

#include "core/data/LineStore.h"
#include "core/engine/Clock.h"
#include "core/engine/RandomSource.h"
#include "core/state/GameState.h"
#include "ui/editor/QuestionEditorWindow.h"
#include "ui/friends/FriendsTableWindow.h"
#include "ui/menu/MainMenuWindow.h"
#include "ui/settings/SettingsWindow.h"
#include "ui/speech/Narrator.h"
#include "ui/speech/QtSpeechEngine.h"
#include "ui/sound/SoundOutput.h"
#include "ui/table/GameWindow.h"
#include "ui/winners/WinnersWindow.h"

#include <QDir>

// The running program: the shared state, the sound player and the four windows, created once
// in the order main menu, settings, game, winners, and kept until the program ends. Moving
// between windows hides one and shows another; the windows ask, the application moves.
class Application
{
public:
    explicit Application(QDir dataDir = QDir::current(), std::unique_ptr<RandomSource> random = std::make_unique<SystemRandom>(),
                         std::unique_ptr<Clock> clock = std::make_unique<SystemClock>());

    // The application-wide settings: title, icon, and the main menu as the one window
    // whose closing ends the program.
    static void configure();

    // Shows the main menu. The sounds are loaded when the game table first opens.
    void start();

    GameState state;

private:
    // "Играть": a new game at the table, or the reason there is none in a message box over
    // the menu, which stays.
    // With `friends`, the game is played at the table opened for them.
    void startGame(const QStringList &friends = {}, bool playerPlays = true);
    // The game at the friends' table is over or left: the table closes.
    void leaveFriendsTable();
    void showSettings();

    std::unique_ptr<RandomSource> m_random;
    std::unique_ptr<Clock> m_clock;
    // The names the computer players are drawn from, read anew for each game.
    LineStore m_namesList;

public:
    // Made before the windows that play through it, and so gone after them.
    SoundOutput sounds;
    // The host's voice, silent until the player turns it on.
    QtSpeechEngine speech;
    Narrator narrator{speech};
    MainMenuWindow mainMenuWindow;
    SettingsWindow settingsWindow;
    GameWindow gameWindow;
    WinnersWindow winnersWindow;
    // Opened from the settings window; its elements are made when it first opens.
    QuestionEditorWindow questionEditor;

private:
    // The friends' taps, passed to the game as the moves of their seats.
    EngineSeatMoves<GameEngine> m_seatMoves{std::function<GameEngine &()>([this]() -> GameEngine & {
        return gameWindow.engine();
    })};
public:
    // «Стол для друзей»: its network module is loaded when the player opens a table.
    FriendsTableWindow friendsWindow;

private:
    FriendsTableControl *m_tableAtGame = nullptr;  // the friends' table the game is played at
};
