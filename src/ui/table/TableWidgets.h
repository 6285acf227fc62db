#pragma once

#include <QFont>
#include <QString>

#include <array>

class Announcer;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QWidget;
class SeatLabel;
class TurnRing;

// The game table's elements: the eight seats, the money chain, the bank, the prize, the
// clock, the narration, the answer choice, the buttons, and what tells the player what is
// happening and which keys to press. build() makes them, in their places and with their
// names, and leaves them unconnected; the game window decides what they show and do.
struct TableWidgets
{
    // Makes every element as a child of `table`, the game window, in stacking order.
    void build(QWidget &table);

    // "Цепочка: 1000 рублей", and ", набрано" for the step the chain has reached.
    static QString chainStepName(int step, bool reached);

    std::array<SeatLabel *, 9> seatNames{};    // seats 1..8
    std::array<QLabel *, 9> seatVotes{};
    std::array<QLabel *, 11> chainSteps{};     // steps 1..10, bottom to top
    QLabel *bankSum = nullptr;
    QLabel *prize = nullptr;
    QLabel *scoreboardTitle = nullptr;         // "Время:", or the duel's title
    QLabel *scoreboard = nullptr;              // the round's clock, or the duel's score
    QPlainTextEdit *narration = nullptr;
    QGroupBox *answers = nullptr;
    QButtonGroup *answerGroup = nullptr;       // ids 0 and 1
    std::array<QRadioButton *, 2> answerButtons{};
    QFont answerFont; // the answers' largest type; a long answer takes a smaller one
    QPushButton *startButton = nullptr;
    QPushButton *bankButton = nullptr;

    // The ring round the seat being asked, the cue by the answers on the player's turn and
    // the invitation to vote.
    TurnRing *turnRing = nullptr;
    QLabel *yourTurn = nullptr;
    QLabel *voteInvitation = nullptr;
    // The keys beside the controls they press; the sound key tells whether the sound is on.
    QLabel *bankKey = nullptr;
    QLabel *startKey = nullptr;
    QLabel *soundKey = nullptr;
    // What the host says, told to a screen reader as it is said.
    Announcer *announcer = nullptr;
    // The ways on at the end of a game.
    QPushButton *toMenu = nullptr;
    QPushButton *hallOfFame = nullptr;
    QPushButton *gameQuestions = nullptr;      // where "Ваш ход" stood

private:
    void buildSeats(QWidget &table);
    void buildChain(QWidget &table);
    void buildControls(QWidget &table);
    void buildCues(QWidget &table);
};
