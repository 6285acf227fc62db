// The friends' table on loopback with Qt's own WebSocket client: who may take a seat and
// speak for it, what is refused as late, bad input and floods, coming back after a drop.
// The game's facts are told to the table directly; the moves it passes on are recorded.
#include "TableClient.h"

#include "net/FriendsTable.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>

using namespace Qt::StringLiterals;

namespace {

struct RecordedMoves : SeatMoves
{
    QStringList moves;
    void answerChosen(int seat, int answer) override { moves << u"answer %1 %2"_s.arg(seat).arg(answer); }
    void seatLeft(int seat) override { moves << u"left %1"_s.arg(seat); }
    void bankPressed(int seat) override { moves << u"bank %1"_s.arg(seat); }
    void seatVoted(int seat, int votedFor) override { moves << u"vote %1 %2"_s.arg(seat).arg(votedFor); }
    void seatAway(int seat, bool away) override { moves << u"away %1 %2"_s.arg(seat).arg(away); }
    int chainValue(int step) const override { return step * 100; }
};

FriendsTable::Limits quickLimits()
{
    FriendsTable::Limits limits;
    limits.connection.joinTimeoutMs = 2000;
    limits.resumeWindowMs = 400;
    limits.closeAfterOverMs = 100;
    limits.wrongCodeWindowMs = 10000;  // however slow the machine, the guesses fall in one window
    return limits;
}

QJsonObject msg(const QString &type, QJsonObject fields = {})
{
    fields.insert(u"type"_s, type);
    return fields;
}

} // namespace

class FriendsTableTest : public QObject
{
    Q_OBJECT

private:
    RecordedMoves moves;
    std::unique_ptr<FriendsTable> table;

    // A table with the host at seat 1 and Аня and Борис joined; after `seat`, they sit at 3
    // and 5 among computers at the other seats.
    void openTable()
    {
        moves.moves.clear();
        table = std::make_unique<FriendsTable>(moves, quickLimits());
        table->setHostName(u"Хозяин"_s);
        QVERIFY(table->open(0));
        QCOMPARE(table->code().size(), 4);
    }
    void seat()
    {
        PerSeat<QString> names;
        names.fill(EmptySeat);
        const QStringList all{u"Хозяин"_s, u"Вера"_s, u"Аня"_s, u"Глеб"_s, u"Борис"_s, u"Егор"_s, u"Жанна"_s, u"Зоя"_s};
        for (int s = 1; s <= SeatCount; ++s)
            names[size_t(s)] = all.at(s - 1);
        table->tableSeated(names, 1);
        table->startAwaited(1);
        table->seatFriends({3, 5});
        table->roundStarted(1, 150, 0, names);
    }
    void put(int seat)
    {
        GameListener::Question q;
        q.seat = seat;
        q.text = u"Вопрос?"_s;
        q.answers[0] = u"Да"_s;
        q.answers[1] = u"Нет"_s;
        table->questionPut(q);
        table->answerAwaited(seat);
    }

private Q_SLOTS:
    void aSeatNeedsTheCodeAndAStorableUniqueName()
    {
        openTable();
        TableClient anna(table->port()), boris(table->port()), late(table->port());
        QVERIFY(anna.connected() && boris.connected() && late.connected());
        QCOMPARE(anna.join(u"ZZZZ"_s, u"Аня"_s), u"!Неверный код стола"_s);
        const QStringList badNames{u""_s, u"   "_s, u"Тринадцатьбук"_s, u"Ан\u0007я"_s, u"Аня😀"_s, u"!"_s, u"0"_s,
                                   u"хозяин"_s};
        for (const QString &name : badNames)
            QVERIFY2(anna.join(table->code(), name).startsWith(u'!'), qPrintable(name));
        QVERIFY(table->friendNames().isEmpty());
        // The code is not case-sensitive; the name is kept trimmed.
        QVERIFY(!anna.join(table->code().toLower(), u"  Аня "_s).startsWith(u'!'));
        QVERIFY(boris.join(table->code(), u"АНЯ"_s).startsWith(u'!'));
        QVERIFY(!boris.join(table->code(), u"Борис"_s).startsWith(u'!'));
        QCOMPARE(table->friendNames(), (QStringList{u"Аня"_s, u"Борис"_s}));
        QJsonObject lobby;
        while (!(lobby = boris.next(u"lobby"_s)).isEmpty() && lobby[u"players"_s].toArray().size() < 3) {}
        QCOMPARE(lobby[u"players"_s].toArray(), (QJsonArray{u"Хозяин"_s, u"Аня"_s, u"Борис"_s}));
        // The host who only runs the show leaves the lobby's list on every page.
        table->setHostName(QString());
        QCOMPARE(boris.next(u"lobby"_s)[u"players"_s].toArray(), (QJsonArray{u"Аня"_s, u"Борис"_s}));
        table->setHostName(u"Хозяин"_s);

        seat();
        // Every page hears every person's seat, the seats of friends who joined later too.
        const QJsonObject seated = anna.next(u"seated"_s);
        QCOMPARE(seated[u"you"_s].toInt(), 3);
        QCOMPARE(seated[u"humans"_s].toArray(), (QJsonArray{1, 3, 5}));
        QVERIFY(late.join(table->code(), u"Опоздавший"_s).startsWith(u"!Игра уже началась"_s));
    }

    void onlyTheSeatsOwnConnectionSpeaksForIt()
    {
        openTable();
        TableClient anna(table->port()), boris(table->port()), stranger(table->port());
        QVERIFY(anna.connected() && boris.connected() && stranger.connected());
        anna.join(table->code(), u"Аня"_s);
        boris.join(table->code(), u"Борис"_s);
        seat();
        put(5);
        put(3);
        const qint64 id = anna.next(u"yourTurn"_s)[u"id"_s].toInteger();
        QCOMPARE(boris.all(u"yourTurn"_s).size(), 1);  // the question before

        stranger.send(msg(u"answer"_s, {{u"answer"_s, 0}, {u"question"_s, id}}));
        QCOMPARE(stranger.refusal(), u"Сначала займите место за столом"_s);
        boris.send(msg(u"answer"_s, {{u"answer"_s, 0}, {u"question"_s, id}}));
        QCOMPARE(boris.refusal(), u"Сейчас отвечает другой игрок"_s);
        anna.send(msg(u"answer"_s, {{u"answer"_s, 1}, {u"question"_s, id - 1}}));
        QCOMPARE(anna.refusal(), u"Время ответа вышло"_s);
        anna.send(msg(u"answer"_s, {{u"answer"_s, 1}, {u"question"_s, id}}));
        QVERIFY(QTest::qWaitFor([&] { return moves.moves.contains(u"answer 3 1"_s); }));
        table->answerJudged({3, 1, 1, u"Верно"_s, 1, 0, false, 0, 0});
        anna.send(msg(u"answer"_s, {{u"answer"_s, 0}, {u"question"_s, id}}));
        QCOMPARE(anna.refusal(), u"Время ответа вышло"_s);

        table->bankOffered(5);
        anna.send(msg(u"bank"_s));
        QCOMPARE(anna.refusal(), u"«БАНК!» сейчас не ваш"_s);
        boris.send(msg(u"bank"_s));
        QVERIFY(QTest::qWaitFor([&] { return moves.moves.contains(u"bank 5"_s); }));

        anna.send(msg(u"vote"_s, {{u"seat"_s, 5}}));
        QCOMPARE(anna.refusal(), u"Голосование закрыто"_s);
        table->roundEnded(1);
        table->voteOpened();
        anna.send(msg(u"vote"_s, {{u"seat"_s, 5}}));
        QVERIFY(QTest::qWaitFor([&] { return moves.moves.contains(u"vote 3 5"_s); }));
        table->seatVoted(3, 5);
        anna.send(msg(u"vote"_s, {{u"seat"_s, 2}}));
        QCOMPARE(anna.refusal(), u"Вы уже проголосовали"_s);
        QCOMPARE(moves.moves, (QStringList{u"answer 3 1"_s, u"bank 5"_s, u"vote 3 5"_s}));
    }

    void badInputIsRefusedAndAbuseIsClosed()
    {
        openTable();
        TableClient bad(table->port());
        QVERIFY(bad.connected());
        const QStringList malformed{u"not json"_s, u"[1]"_s, u"{\"v\":2,\"type\":\"bank\"}"_s,
                                    u"{\"v\":1,\"type\":\"dance\"}"_s, u"{\"v\":1,\"type\":\"vote\",\"seat\":9}"_s,
                                    u"{\"v\":1,\"type\":\"answer\",\"answer\":2,\"question\":1}"_s,
                                    u"{\"v\":1,\"type\":\"answer\",\"answer\":0.5,\"question\":1}"_s,
                                    u"{\"v\":1,\"type\":\"resume\",\"secret\":\"../../etc/passwd\"}"_s,
                                    u"{\"v\":1,\"type\":\"join\",\"code\":1,\"name\":\"x\"}"_s};
        for (const QString &text : malformed) {
            bad.sendText(text);
            QVERIFY2(!bad.refusal().isEmpty(), qPrintable(text));
        }
        QVERIFY(bad.isOpen());
        for (int i = 0; i < 12; ++i)
            bad.sendText(u"{}"_s);
        QVERIFY(bad.closed());

        // A friend at the table may send 12 KB up to the limit, but not one byte more at once.
        TableClient big(table->port());
        QVERIFY(big.connected());
        QVERIFY(!big.join(table->code(), u"Большой"_s).startsWith(u'!'));
        for (int i = 0; i < 3; ++i) {
            big.sendText(QString(4096, u' '));
            QCOMPARE(big.refusal(), u"Непонятное сообщение"_s);
        }
        big.sendText(QString(4097, u' '));
        QVERIFY(big.closed());
        QCOMPARE(big.closeCode(), QWebSocketProtocol::CloseCodeTooMuchData);

        TableClient flood(table->port());
        QVERIFY(flood.connected());
        QVERIFY(!flood.join(table->code(), u"Поток"_s).startsWith(u'!'));
        for (int i = 0; i < 40; ++i)
            flood.send(msg(u"bank"_s));
        QVERIFY(flood.closed());

        // Too many connections: the ones beyond the limit are closed at once. One that
        // does not join is closed when its time runs out.
        std::vector<std::unique_ptr<TableClient>> crowd;
        for (int i = 0; i < 34; ++i)
            crowd.push_back(std::make_unique<TableClient>(table->port()));
        QVERIFY(QTest::qWaitFor([&] {
            return std::count_if(crowd.begin(), crowd.end(), [](auto &c) { return c->isOpen(); }) == 32;
        }));
        QVERIFY(crowd.front()->closed());

        // A page from another site may not open the table's socket.
        TableClient foreign(table->port(), u"http://evil.example"_s);
        QVERIFY(foreign.closed() && foreign.received.isEmpty());
    }

    void theHttpServerGivesOnlyThePage()
    {
        openTable();
        QNetworkAccessManager http;
        const auto get = [&](const QString &path, qsizetype headerBytes = 0) {
            QNetworkRequest request(QUrl(u"http://127.0.0.1:%1%2"_s.arg(table->port()).arg(path)));
            if (headerBytes)
                request.setRawHeader("X-Filler", QByteArray(headerBytes, 'a'));
            std::unique_ptr<QNetworkReply> reply(http.get(request));
            (void)QTest::qWaitFor([&] { return reply->isFinished(); }, 5000);
            return reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        };
        for (const QString &file : {u"/"_s, u"/table.js"_s, u"/table.css"_s, u"/favicon.svg"_s})
            QCOMPARE(get(file), 200);
        QCOMPARE(get(u"/../../etc/passwd"_s), 404);
        QCOMPARE(get(u"/web/index.html"_s), 404);
        QCOMPARE(get(u"/CMakeLists.txt"_s), 404);
        // A request line and headers are kept to 8 KB.
        QCOMPARE(get(u"/"_s, 8 * 1024), 431);
        QCOMPARE(get(u"/"_s, 200 * 1024), 431);
        QCOMPARE(get(u"/table.js"_s, 7 * 1024), 200);
    }

    void guessingTheCodeLocksTheTable()
    {
        openTable();
        TableClient first(table->port()), second(table->port());
        QVERIFY(first.connected() && second.connected());
        const QString wrong = table->code() == u"2222"_s ? u"3333"_s : u"2222"_s;
        QStringList answers;
        for (int i = 0; i < 11; ++i)
            answers << (i % 2 ? second : first).join(wrong, u"Гость"_s);
        QCOMPARE(answers.count(u"!Неверный код стола"_s), 10);
        const QString locked = u"!Слишком много попыток: подождите немного"_s;
        QCOMPARE(answers.last(), locked);
        // Meanwhile the right code is refused the same way, and a resume is no way round.
        QCOMPARE(second.join(table->code(), u"Гость"_s), locked);
        QCOMPARE(first.resume(QString(32, u'a')), locked);
        QVERIFY(table->friendNames().isEmpty());
    }

    void aFriendAwayFromTheLobbyTooLongLeavesIt()
    {
        openTable();
        auto guest = std::make_unique<TableClient>(table->port());
        QVERIFY(guest->connected());
        const QString secret = guest->join(table->code(), u"Гость"_s);
        guest.reset();
        QTest::qWait(50);
        QCOMPARE(table->friendNames(), QStringList{u"Гость"_s});
        QVERIFY(QTest::qWaitFor([&] { return table->friendNames().isEmpty(); }, 2000));
        TableClient back(table->port());
        QVERIFY(back.connected());
        QCOMPARE(back.resume(secret), u"!Вас не было слишком долго: займите место снова"_s);
        // Her name is free again.
        QVERIFY(!back.join(table->code(), u"Гость"_s).startsWith(u'!'));
        QVERIFY(moves.moves.isEmpty());
    }

    void aDroppedFriendGetsTheSeatBackInTime()
    {
        openTable();
        auto anna = std::make_unique<TableClient>(table->port());
        TableClient boris(table->port());
        QVERIFY(anna->connected() && boris.connected());
        const QString secret = anna->join(table->code(), u"Аня"_s);
        const QString borisSecret = boris.join(table->code(), u"Борис"_s);
        seat();
        put(3);
        anna->close();
        QVERIFY(QTest::qWaitFor([&] { return moves.moves.contains(u"away 3 1"_s); }));
        QCOMPARE(table->connectedSeats(), QList<int>{5});

        // Only the seat's own secret, every digit of it, takes the seat back.
        TableClient back(table->port());
        QVERIFY(back.connected());
        QString forged = secret;
        forged.back() = forged.back() == u'0' ? u'1' : u'0';
        QCOMPARE(back.resume(forged), u"!Ваше место за столом не найдено"_s);
        QCOMPARE(back.resume(secret), secret);
        QCOMPARE(back.next(u"seated"_s)[u"you"_s].toInt(), 3);
        QCOMPARE(back.next(u"question"_s)[u"seat"_s].toInt(), 3);
        QVERIFY(!back.next(u"yourTurn"_s).isEmpty());
        QCOMPARE(moves.moves.last(), u"away 3 0"_s);

        // The seat follows the newest connection.
        TableClient phone(table->port());
        QVERIFY(phone.connected());
        QCOMPARE(phone.resume(secret), secret);
        QVERIFY(back.closed());
        QCOMPARE(moves.moves.count(u"away 3 1"_s), 1);

        // Past the window the seat stays the computer's.
        boris.close();
        QVERIFY(QTest::qWaitFor([&] { return moves.moves.contains(u"away 5 1"_s); }));
        QTest::qWait(quickLimits().resumeWindowMs + 100);
        TableClient tooLate(table->port());
        QVERIFY(tooLate.connected());
        QVERIFY(tooLate.resume(borisSecret).startsWith(u"!Вас не было слишком долго"_s));
        QVERIFY(!moves.moves.contains(u"away 5 0"_s));
    }
};

QTEST_GUILESS_MAIN(FriendsTableTest)
#include "FriendsTableTest.moc"
