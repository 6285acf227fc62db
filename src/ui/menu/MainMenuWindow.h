#pragma once

#include "core/data/LineStore.h"

#include <QWidget>

class GameState;
class TfGame;
class QPushButton;

// The main menu: "Играть", "Настройка..." and "Выход". It is the application's main
// window: closing it ends the program.
class TfMainMenu : public QWidget
{
    Q_OBJECT
public:
    TfMainMenu(GameState &state, QWidget *parent = nullptr);

    // The windows the buttons lead to, created after the menu.
    void setTargets(TfGame *game, QWidget *settings);

    LineStore &namesList() { return m_listBox1; }

public Q_SLOTS:
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate();

    GameState &m_state;
    TfGame *m_game = nullptr;
    QWidget *m_settings = nullptr;
    LineStore m_listBox1;
};
