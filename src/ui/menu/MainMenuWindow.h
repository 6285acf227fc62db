#pragma once

#include <QWidget>

#include <functional>

struct GameState;

// The main menu: "Играть", "Настройка..." and "Выход", and beside them «Стол для друзей...». It is the application's main
// window: closing it ends the program. It asks for a new game or the settings; the
// application opens them, and hides the menu once they are open.
class MainMenuWindow : public QWidget
{
    Q_OBJECT
public:
    MainMenuWindow(GameState &state, QWidget *parent = nullptr);

    // Asked before the program ends: false keeps it running (a window holds work the player
    // chose to keep).
    void setQuitCheck(std::function<bool()> mayQuit) { m_mayQuit = std::move(mayQuit); }

public Q_SLOTS:
    void exitPressed();

Q_SIGNALS:
    // "Играть": a new game at the table. Should it fail, the menu stays.
    void newGameRequested();
    // "Настройка...".
    void settingsRequested();
    // «Стол для друзей...».
    void friendsTableRequested();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void resetState();

    bool mayQuit() const { return !m_mayQuit || m_mayQuit(); }

    GameState &m_state;
    std::function<bool()> m_mayQuit;
};
