#pragma once

#include <QWidget>

struct GameState;

// The main menu: "Играть", "Настройка..." and "Выход", and beside them «Стол для друзей...». It is the application's main
// window: closing it ends the program. It asks for a new game or the settings; the
// application opens them, and hides the menu once they are open.
class MainMenuWindow : public QWidget
{
    Q_OBJECT
public:
    MainMenuWindow(GameState &state, QWidget *parent = nullptr);

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

    GameState &m_state;
};
