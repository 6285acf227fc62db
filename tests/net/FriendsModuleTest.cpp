// The friends' table as the host's window gets it: from its module, through the window's
// interface alone, with the page's files built into the module and the friends' moves
// played on the program's own engine.
#include "TableClient.h"
#include "TestSupport.h"
#include "TestTimers.h"
#include "FixedClock.h"

#include "core/data/LineStore.h"
#include "core/engine/GameEngine.h"
#include "core/engine/RandomSource.h"
#include "ui/friends/FriendsTable.h"

#include <QHostAddress>
#include <QLibrary>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTemporaryDir>
#include <QUrlQuery>

using namespace Qt::StringLiterals;

class FriendsModuleTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void theModuleOpensATableAndSeatsAFriendInTheGame()
    {
        QLibrary module(QStringLiteral(ZYB_NET_MODULE));
        auto create = reinterpret_cast<FriendsTable::Create>(module.resolve(FriendsTable::EntryPoint));
        QVERIFY2(create, qPrintable(module.errorString()));
        std::unique_ptr<FriendsTable> table(create());
        int changes = 0;
        table->changed = [&] { ++changes; };
        table->setHostName(u"Хозяин"_s);
        QVERIFY(table->open(0).ok());

        const QString code = table->code();
        QCOMPARE(code.size(), 4);
        for (QChar c : code)
            QVERIFY2(QByteArrayView("23456789ABCDEFGHJKLMNPQRSTUVWXYZ").contains(char(c.unicode())), qPrintable(code));
        const QUrl address(table->address());
        QCOMPARE(QUrlQuery(address).queryItemValue(u"code"_s), code);
        QVERIFY(QHostAddress(address.host()) != QHostAddress::AnyIPv4 && address.port() > 0);
        const QImage qr = table->qrCode();
        QVERIFY(!qr.isNull() && qr.width() == qr.height());

        QNetworkAccessManager http;
        std::unique_ptr<QNetworkReply> reply(http.get(QNetworkRequest(QUrl(u"http://127.0.0.1:%1/"_s.arg(address.port())))));
        QVERIFY(QTest::qWaitFor([&] { return reply->isFinished(); }, 5000));
        QCOMPARE(reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), 200);
        QVERIFY(reply->readAll().contains("<html"));
        QVERIFY(reply->rawHeader("Content-Security-Policy").contains("default-src 'self'"));

        TableClient anna(quint16(address.port()));
        QVERIFY(anna.connected());
        QVERIFY(anna.join(code, u"хозяин"_s).startsWith(u'!'));
        QVERIFY(!anna.join(code, u"Аня"_s).startsWith(u'!'));
        QCOMPARE(table->friendNames(), QStringList{u"Аня"_s});
        QCOMPARE(table->friendsConnected(), QList<bool>{true});
        QVERIFY(changes > 0);

        QTemporaryDir dir;
        TestSupport::writeFile(dir.path() + u"/names.txt"_s, TestSupport::eightNames());
        TestSupport::writeFile(dir.path() + u"/Vopros.txt"_s, TestSupport::questionBase(30));
        GameState state;
        state.setStartValues();
        state.table.playerName = u"Хозяин"_s;
        TestTimers timers;
        SystemRandom random(5);
        FixedClock clock;
        GameEngine engine(state, random, clock, QDir(dir.path()), QLocale(QLocale::Russian, QLocale::Russia), &timers);
        LineStore names;
        table->attach(engine);
        engine.addListener(&table->listener());
        QVERIFY(engine.newGame(names, table->friendNames()).ok());
        const int seat = anna.next(u"seated"_s)[u"you"_s].toInt();
        QCOMPARE(seat, state.table.friendSeats.value(0));

        // Her leaving reaches the game the table is attached to: a computer plays for her.
        anna.close();
        QVERIFY(QTest::qWaitFor([&] { return state.table.away[seat]; }, 5000));
        QCOMPARE(table->friendsConnected(), QList<bool>{false});
        engine.removeListener(&table->listener());
        table->close();
    }
};

QTEST_GUILESS_MAIN(FriendsModuleTest)
#include "FriendsModuleTest.moc"
