#pragma once

#include "net/FriendsTableControl.h"
#include "ui/look/LazyWindow.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;
struct GameState;

// «Стол для друзей»: the host opens a table on the local network, friends join it from a
// browser (the address, its QR code and the table's code are shown), the seats fill up as
// they come, and the host starts the game. Every seat left empty gets a computer player.
class FriendsTableWindow : public LazyWindow
{
    Q_OBJECT

public:
    // The friends' moves go to the game through `moves`. `module`: the network module's
    // path; by default the one beside the program.
    FriendsTableWindow(GameState &state, SeatMoves &moves, QString module = QString(), QWidget *parent = nullptr);
    ~FriendsTableWindow() override;

    void open();
    // The table while it is open (the game being played at it included), or null.
    FriendsTableControl *table() const { return m_table; }
    // The game at the table is over or was left: the table closes.
    void closeTable();

    // The port friends connect to, kept in the player's settings.
    static quint16 storedPort();

Q_SIGNALS:
    // «Начать игру»: a game with these friends, the player at the table too or only running
    // the show.
    void gameRequested(const QStringList &friends, bool playerPlays);
    // The window was closed before a game started: back to the menu.
    void closed();
    // The friends' seats whose browsers are connected now, each time that changes.
    void friendsConnected(const QList<int> &seats);

protected:
    void build() override;
    void closeEvent(QCloseEvent *event) override;

private:
    void showTable();
    void presenceChanged();
    void openPressed();
    void showMessage(const QString &text, bool error);

    GameState &m_state;
    SeatMoves &m_moves;
    QString m_module;
    FriendsTableControl *m_table = nullptr;  // this window's child

    QSpinBox *m_port = nullptr;
    QPushButton *m_openButton = nullptr;
    QLabel *m_message = nullptr;
    QLabel *m_qr = nullptr;
    QLabel *m_address = nullptr;
    QLabel *m_code = nullptr;
    QListWidget *m_seats = nullptr;
    QPushButton *m_startButton = nullptr;
    QCheckBox *m_onlyHost = nullptr;
};
