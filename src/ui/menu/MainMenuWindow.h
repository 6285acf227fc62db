#pragma once

#include "core/data/LineStore.h"

#include <QWidget>

struct GameState;
class GameWindow;
class QPushButton;

// The main menu: "Играть", "Настройка..." and "Выход". It is the application's main
// window: closing it ends the program.
class MainMenuWindow : public QWidget
{
    Q_OBJECT
public:
    MainMenuWindow(GameState &state, QWidget *parent = nullptr);

    // The windows the buttons lead to, created after the menu.
    void setTargets(GameWindow *game, QWidget *settings);

    LineStore &namesList() { return m_namesList; }

public Q_SLOTS:
    void playPressed();
    void settingsPressed();
    void exitPressed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void resetState();

    GameState &m_state;
    GameWindow *m_game = nullptr;
    QWidget *m_settings = nullptr;
    LineStore m_namesList;
};
