// A crowd at the friends' table: FRIENDS friends who play a whole game as a page does, and
// ABUSERS other connections that come in waves while the game runs and send what no page
// sends (broken JSON, an oversized message, moves out of turn or for a seat they do not
// hold, a wrong code, a flood), then drop, or connect and say nothing.
//
//   table-crowd PORT CODE FRIENDS ABUSERS
//
// Exits 0 when every friend was seated and saw the game end, 1 otherwise (after 5 minutes).
#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QTimer>
#include <QWebSocket>

#include <cstdio>
#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

QString message(QJsonObject m)
{
    m.insert(u"v"_s, 1);
    return QString::fromUtf8(QJsonDocument(m).toJson(QJsonDocument::Compact));
}

struct Friend
{
    std::unique_ptr<QWebSocket> socket = std::make_unique<QWebSocket>();
    int seat = 0;
    bool over = false;
};

// What an abuser sends, one kind each.
QStringList abuse(int kind, const QString &code)
{
    switch (kind % 7) {
    case 0: return {u"{\"v\":1,\"type\":"_s, u"not json at all"_s};
    case 1: return {message({{u"type"_s, u"join"_s}, {u"code"_s, code}, {u"name"_s, QString(20000, u'я')}})};
    case 2: return {message({{u"type"_s, u"answer"_s}, {u"answer"_s, 0}, {u"question"_s, 1}})};
    case 3: return {message({{u"type"_s, u"vote"_s}, {u"seat"_s, 3}}), message({{u"type"_s, u"bank"_s}})};
    case 4: return {message({{u"type"_s, u"join"_s}, {u"code"_s, u"ZZZZ"_s}, {u"name"_s, u"Взломщик"_s}})};
    case 5: return {message({{u"type"_s, u"resume"_s}, {u"secret"_s, QString(32, u'0')}}),
                    message({{u"type"_s, u"dance"_s}})};
    default: {
        QStringList flood;
        for (int i = 0; i < 60; ++i)
            flood << message({{u"type"_s, u"answer"_s}, {u"answer"_s, i % 2}, {u"question"_s, i}});
        return flood;
    }
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 5) {
        std::fprintf(stderr, "usage: table-crowd PORT CODE FRIENDS ABUSERS\n");
        return 2;
    }
    const QUrl url(u"ws://127.0.0.1:%1/ws"_s.arg(QString::fromLatin1(argv[1])));
    const QString code = QString::fromLatin1(argv[2]);
    const int friendCount = std::atoi(argv[3]);
    const int abuserCount = std::atoi(argv[4]);

    std::vector<Friend> friends(static_cast<size_t>(friendCount));
    int overs = 0;
    bool abusing = false;
    std::vector<std::unique_ptr<QWebSocket>> abusers;
    int opened = 0;
    auto wave = std::make_shared<std::function<void()>>();
    *wave = [&, wave] {
        // Twenty at a time, every 300 ms, until all came; a tenth of them never speak.
        for (int i = 0; i < 20 && int(abusers.size()) < abuserCount; ++i) {
            const int kind = int(abusers.size());
            auto socket = std::make_unique<QWebSocket>();
            QWebSocket *s = socket.get();
            QObject::connect(s, &QWebSocket::connected, s, [s, kind, code, &opened] {
                ++opened;
                if (kind % 10 == 9)
                    return;
                for (const QString &text : abuse(kind, code))
                    s->sendTextMessage(text);
                QTimer::singleShot(100 + QRandomGenerator::global()->bounded(400), s, [s] { s->abort(); });
            });
            s->open(url);
            abusers.push_back(std::move(socket));
        }
        if (int(abusers.size()) < abuserCount)
            QTimer::singleShot(300, qApp, *wave);
    };

    for (int i = 0; i < friendCount; ++i) {
        Friend &f = friends[size_t(i)];
        QWebSocket *s = f.socket.get();
        QObject::connect(s, &QWebSocket::connected, s, [s, code, i] {
            s->sendTextMessage(message({{u"type"_s, u"join"_s}, {u"code"_s, code}, {u"name"_s, u"Друг %1"_s.arg(i + 1)}}));
        });
        QObject::connect(s, &QWebSocket::textMessageReceived, s, [&, s](const QString &text) {
            const QJsonObject m = QJsonDocument::fromJson(text.toUtf8()).object();
            const QString type = m.value(u"type"_s).toString();
            if (type == u"seated"_s) {
                f.seat = m.value(u"you"_s).toInt();
                if (!abusing) {
                    abusing = true;
                    (*wave)();
                }
            } else if (type == u"yourTurn"_s) {
                s->sendTextMessage(message({{u"type"_s, u"answer"_s}, {u"answer"_s, 0}, {u"question"_s, m.value(u"id"_s)}}));
            } else if (type == u"voteOpen"_s) {
                for (const QJsonValue &candidate : m.value(u"candidates"_s).toArray()) {
                    if (candidate.toInt() != f.seat) {
                        s->sendTextMessage(message({{u"type"_s, u"vote"_s}, {u"seat"_s, candidate.toInt()}}));
                        break;
                    }
                }
            } else if (type == u"over"_s && !f.over) {
                f.over = true;
                if (++overs == friendCount)
                    QCoreApplication::exit(0);
            }
        });
        s->open(url);
    }
    QTimer::singleShot(300000, &app, [] { QCoreApplication::exit(1); });
    const int status = app.exec();
    int seated = 0;
    for (const Friend &f : friends)
        seated += f.seat != 0 ? 1 : 0;
    std::printf("friends seated %d of %d, saw the end %d; abusers %d, %d connected\n", seated, friendCount, overs,
                int(abusers.size()), opened);
    return status == 0 && seated == friendCount ? 0 : 1;
}
