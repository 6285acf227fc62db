// The friends' table: how fast a fact of the game reaches the friends' browsers at a full
// table (the host and seven friends), and what the host's program weighs with them, against the same program at a single player's table.
//
// The host (this process, off screen) plays a single player's game at the table first and
// reads its resident memory; then it opens the friends' table on loopback, and a second
// process (this program again, --friends) joins seven friends over Qt's WebSocket client.
// When they are seated at a new game, the host's memory is read again. Then the host tells
// 200 facts, 20 ms apart, each carrying the moment it was told; the friends' process
// notes when the last of the seven received each one. The target is the median of those.
//
//   bench_friends_table           the benchmark
//   bench_friends_table --friends PORT CODE COUNT FACTS    the friends' side
#include "../BenchReport.h"
#include "core/data/LineStore.h"
#include "core/engine/Clock.h"
#include "core/engine/RandomSource.h"
#include "net/FriendsTable.h"
#include "ui/table/GameWindow.h"

#include <QApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebSocket>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

using namespace Qt::StringLiterals;

namespace {

constexpr int Friends = SeatCount - 1;  // a full table: every seat but the host's
constexpr int Facts = 200;
constexpr double LatencyTargetMs = 5;
constexpr double MemoryTarget = 1.5;

qint64 nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

double residentMiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stod(line.substr(6)) / 1024;
    }
    return 0;
}

void waitMs(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

QString message(const QJsonObject &fields)
{
    QJsonObject m = fields;
    m.insert(u"v"_s, 1);
    return QString::fromUtf8(QJsonDocument(m).toJson(QJsonDocument::Compact));
}

// The friends' side: joins COUNT friends and, for each of FACTS host lines that carry a
// moment, the time until the last friend had it. Prints the median in milliseconds.
int friendsSide(quint16 port, const QString &code, int count, int facts)
{
    std::vector<std::unique_ptr<QWebSocket>> sockets;
    QHash<qint64, int> heard;
    std::vector<double> lastArrivals;
    for (int i = 0; i < count; ++i) {
        auto socket = std::make_unique<QWebSocket>();
        QWebSocket *s = socket.get();
        QObject::connect(s, &QWebSocket::connected, s, [s, code, i] {
            s->sendTextMessage(message({{u"type"_s, u"join"_s}, {u"code"_s, code}, {u"name"_s, u"Друг %1"_s.arg(i + 1)}}));
        });
        QObject::connect(s, &QWebSocket::textMessageReceived, s, [&, count](const QString &text) {
            const qint64 arrived = nowNs();
            const QJsonObject m = QJsonDocument::fromJson(text.toUtf8()).object();
            if (m.value(u"type"_s).toString() != u"host"_s)
                return;
            bool isMoment = false;
            const qint64 told = m.value(u"text"_s).toString().toLongLong(&isMoment);
            if (isMoment && ++heard[told] == count)
                lastArrivals.push_back((arrived - told) / 1e6);
        });
        s->open(QUrl(u"ws://127.0.0.1:%1/ws"_s.arg(port)));
        sockets.push_back(std::move(socket));
    }
    QElapsedTimer t;
    t.start();
    while (int(lastArrivals.size()) < facts && t.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    if (int(lastArrivals.size()) < facts) {
        std::fprintf(stderr, "the friends heard %d facts of %d\n", int(lastArrivals.size()), facts);
        return 1;
    }
    std::printf("%.3f\n", BenchReport::median(lastArrivals));
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc == 6 && std::string(argv[1]) == "--friends") {
        QCoreApplication app(argc, argv);
        return friendsSide(quint16(std::atoi(argv[2])), QString::fromLatin1(argv[3]), std::atoi(argv[4]),
                           std::atoi(argv[5]));
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    for (const char *name : {"Vopros.txt", "names.txt", "best.txt"})
        QFile::copy(QStringLiteral(ZYB_SOURCE_DIR "/resources/") + QLatin1String(name), dir.filePath(QLatin1String(name)));

    GameState state;
    state.setStartValues();
    state.table.playerName = u"Ведущий"_s;
    SystemRandom random(1);
    SystemClock clock;
    GameWindow window(state, random, clock, QDir(dir.path()));
    LineStore names;
    if (!window.engine().newGame(names).ok())
        return 2;
    window.showTable();
    waitMs(1000);
    const double single = residentMiB();

    EngineSeatMoves<GameEngine> moves(window.engine());
    FriendsTable table(moves);
    table.setHostName(state.table.playerName);
    if (!table.open(0))
        return 2;
    QProcess friends;
    friends.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    friends.start(QCoreApplication::applicationFilePath(),
                  {u"--friends"_s, QString::number(table.port()), table.code(), QString::number(Friends),
                   QString::number(Facts)});
    QElapsedTimer t;
    t.start();
    while (table.friendNames().size() < Friends && t.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    if (table.friendNames().size() < Friends)
        return 2;
    window.engine().windowClosed();
    window.engine().addListener(table.listener());
    if (!window.engine().newGame(names, table.friendNames()).ok())
        return 2;
    table.seatFriends(state.table.friendSeats);
    window.showTable();
    waitMs(1000);
    const double withFriends = residentMiB();

    for (int i = 0; i < Facts; ++i) {
        table.listener()->hostSays(QString::number(nowNs()));
        waitMs(20);
    }
    if (friends.state() != QProcess::NotRunning)
        friends.waitForFinished(60000);
    if (friends.state() != QProcess::NotRunning || friends.exitCode() != 0) {
        std::fprintf(stderr, "the friends' side failed\n");
        return 2;
    }
    const double latency = QString::fromLatin1(friends.readAllStandardOutput()).trimmed().toDouble();
    window.engine().removeListener(table.listener());
    table.close();

    const bool fast = latency <= LatencyTargetMs;
    std::printf("friends-fact-to-every-client: measured %.3f ms (median of %d facts to %d friends, loopback), target %.2f ms %s\n",
                latency, Facts, Friends, LatencyTargetMs, fast ? "ok" : "FAIL");
    const double ratio = withFriends / single;
    const bool light = ratio <= MemoryTarget;
    std::printf("friends-memory-full-table: measured %.1f MiB vs the single player's table %.1f MiB = %.2f x, "
                "target %.2f x %s\n",
                withFriends, single, ratio, MemoryTarget, light ? "ok" : "FAIL");
    return fast && light ? 0 : 1;
}
