#pragma once

#include "core/engine/GameListener.h"

#include <QList>
#include <QString>
#include <QStringList>

// The messages between the friends' table and its page (docs/protocol.md): one JSON object
// per WebSocket text message, with the format's version and its type.
namespace Protocol {

inline constexpr int Version = 1;
inline constexpr int MaxMessageBytes = 4096;
inline constexpr int MaxNameLength = 12;

// What a page may ask, checked field by field.
struct Request
{
    enum class Type { Join, Resume, Answer, Bank, Vote };
    Type type = Type::Join;
    QString code;       // join
    QString name;       // join, trimmed
    QString secret;     // resume
    int answer = 0;     // answer: 0 or 1
    qint64 question = 0;  // answer: the question's id
    int seat = 0;       // vote: 1..8
};

// A message read: the request, or why it is refused (and the type it claimed, if any).
struct Parsed
{
    bool ok = false;
    Request request;
    QString refusal;
    QString what;
};

Parsed parse(const QString &text);

// Why a name cannot be taken (empty when it can): 1..12 characters after trimming, no
// control characters, every character storable in the game's files, and not one of the
// marks those files use. `trimmed` receives the name as it will be kept.
QString nameRefusal(const QString &name, QString *trimmed = nullptr);

// A message to a page, as compact JSON with the format's version and its type.
struct Message
{
    enum class Kind {
        Welcome, Refused, Lobby, Closed,
        Seated, StartAwaited, Host, Round, Clock, Question, YourTurn, Judged, BankOffer, Banked,
        RoundEnded, Prize, VoteOpen, VoteClosed, Voted, VotedOff, Duel, DuelScore, Over, Presence,
    };
    Kind kind;
    QString text;
};

// Replies to a page's own messages.
Message welcome(const QString &secret, const QString &name);
Message refused(const QString &what, const QString &reason);
// `players`: the host first when the host plays, then the friends.
Message lobby(const QStringList &players, const QString &code);
Message closed(const QString &reason);

// The game's facts. `names` holds EmptySeat where nobody sits; `chain` the values of steps 1..10.
Message seated(int you, const PerSeat<QString> &names, const QList<int> &humans, const QList<int> &chain);
Message startAwaited(int round);
Message host(const QString &line);
Message round(int number, int seconds, int prize, const QList<int> &seats);
Message clock(int seconds);
Message question(qint64 id, const GameListener::Question &question, bool duel);
Message yourTurn(qint64 questionId);
Message judged(const GameListener::Verdict &verdict);
Message bankOffer(int seat);
Message banked(int seat, int bank);
Message roundEnded(int round);
Message prize(int prize);
Message voteOpen(const QList<int> &candidates);
Message voteClosed();
Message voted(int seat, int votedFor);
Message votedOff(int seat, const QString &name);
Message duel(int seatA, const QString &nameA, int seatB, const QString &nameB);
Message duelScore(int scoreA, int scoreB);
// `you`: the page's own seat won.
Message over(const GameListener::Ending &ending, bool you);
Message presence(const QList<int> &connected);

} // namespace Protocol
