// The host's side of the browser test, without a screen: the friends' table on loopback and
// a game whose timers run SPEED times faster, the host's own seat played by this program.
//
//   friends-host DATA_DIR FRIENDS SEED SPEED
//
// Prints "TABLE <address> <code>" once the table is open, starts the game when FRIENDS
// friends have joined, plays the host's seat (a right answer on its turn, a vote for the
// next seat at the table, «Начинаем» whenever the table waits for it), prints
// "OVER <winner>" when the game ends, then "LATE <ms>": how far the round clock's ticks fell
// behind their time at worst, in real milliseconds; exits 0 a second later; 1 when the table
// cannot open or the game fails, 3 when nothing ends within five minutes.
#include "core/data/LineStore.h"
#include "core/engine/Clock.h"
#include "core/engine/EventLoopTimers.h"
#include "core/engine/GameEngine.h"
#include "core/engine/RandomSource.h"
#include "net/FriendsTable.h"

#include <QCoreApplication>
#include <QTimer>

#include <QElapsedTimer>

#include <array>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

// The host at the table: acts on what the game offers its seat, a moment later.
class HostPlayer final : public GameListener
{
public:
    HostPlayer(GameEngine &engine, int speed) : m_engine(engine), m_speed(qMax(1, speed)), m_delay(qMax(1, 600 / speed)) {}

    void roundStarted(int, int seconds, int, const PerSeat<QString> &) override
    {
        m_round.start();
        m_roundSeconds = seconds;
    }
    void clockShows(int seconds) override
    {
        if (!m_round.isValid())
            return;
        const double due = (m_roundSeconds - seconds) * 1000.0 / m_speed;
        m_worstLateMs = qMax(m_worstLateMs, double(m_round.nsecsElapsed()) / 1e6 - due);
    }
    void roundEnded(int) override { m_round.invalidate(); }
    void tableSeated(const PerSeat<QString> &, int) override { later([this] { m_engine.startPressed(); }); }
    void startAwaited(int) override { later([this] { m_engine.startPressed(); }); }
    void answerAwaited(int seat) override
    {
        const GameState &state = m_engine.state();
        if (seat != 0 && seat == state.table.playerSeat)
            later([this] { m_engine.answerChosen(m_engine.state().table.playerSeat, m_engine.state().round.rightAnswer); });
    }
    void voteOpened() override
    {
        later([this] {
            const GameState &state = m_engine.state();
            const int me = state.table.playerSeat;
            for (int step = 1; step < SeatCount; ++step) {
                const int seat = (me + step - 1) % SeatCount + 1;
                if (state.isOccupied(seat)) {
                    m_engine.seatVoted(me, seat);
                    return;
                }
            }
        });
    }
    void gameOver(const Ending &ending) override
    {
        std::printf("OVER %s\nLATE %.1f\n", qPrintable(ending.winner), m_worstLateMs);
        std::fflush(stdout);
        QTimer::singleShot(1000, qApp, [] { QCoreApplication::exit(0); });
    }
    void failed(const Status &status) override
    {
        std::fprintf(stderr, "%s\n", qPrintable(status.message));
        QCoreApplication::exit(1);
    }

private:
    void later(std::function<void()> act) { QTimer::singleShot(m_delay, qApp, std::move(act)); }

    GameEngine &m_engine;
    int m_speed;
    int m_delay;
    QElapsedTimer m_round;
    int m_roundSeconds = 0;
    double m_worstLateMs = 0;
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5) {
        std::fprintf(stderr, "usage: friends-host DATA_DIR FRIENDS SEED SPEED\n");
        return 2;
    }
    const int friends = args[2].toInt();
    const int speed = args[4].toInt();

    GameState state;
    state.setStartValues();
    state.table.playerName = u"Ведущий"_s;
    SystemRandom random(args[3].toUInt());
    SystemClock clock;
    EventLoopTimers timers(speed);
    GameEngine engine(state, random, clock, QDir(args[1]), QLocale(QLocale::Russian, QLocale::Russia), &timers);
    EngineSeatMoves<GameEngine> moves(engine);
    FriendsTable table(moves);
    table.setHostName(state.table.playerName);
    HostPlayer host(engine, speed);
    if (!table.open(0)) {
        std::fprintf(stderr, "%s\n", qPrintable(table.error()));
        return 1;
    }
    std::printf("TABLE %s %s\n", qPrintable(table.address().toString()), qPrintable(table.code()));
    std::fflush(stdout);

    LineStore names;
    bool started = false;
    QObject::connect(&table, &FriendsTable::lobbyChanged, &app, [&] {
        if (started || table.friendNames().size() < friends)
            return;
        started = true;
        engine.addListener(table.listener());
        engine.addListener(&host);
        if (const Status s = engine.newGame(names, table.friendNames()); !s) {
            std::fprintf(stderr, "%s\n", qPrintable(s.message));
            QCoreApplication::exit(1);
            return;
        }
        table.seatFriends(state.table.friendSeats);
    });
    QTimer::singleShot(300000, &app, [] { QCoreApplication::exit(3); });
    return app.exec();
}
