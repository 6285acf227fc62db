// «Стол для друзей» as the player uses it, with the real network module: the table opens and
// shows where to go, a friend who joins appears, and «Начать игру» asks for the game.
#include "ui/friends/FriendsTableWindow.h"

#include "core/state/GameState.h"

#include "TestSupport.h"

#include <QCheckBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QWebSocket>

using namespace Qt::StringLiterals;

namespace {

class NoMoves final : public SeatMoves
{
public:
    void answerChosen(int, int) override {}
    void bankPressed(int) override {}
    void seatVoted(int, int) override {}
    void seatAway(int, bool) override {}
    void seatLeft(int) override {}
    int chainValue(int) const override { return 0; }
};

// A port nobody else here is likely to use, different for each run.
int freePort() { return 20000 + int(QCoreApplication::applicationPid() % 20000); }

} // namespace

class FriendsTableWindowTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TestSupport::keepSettingsIn(m_config); }

    void aFriendWhoJoinsIsSeatedAndTheGameIsAskedFor()
    {
        GameState state;
        state.setStartValues();
        state.table.playerName = u"Ведущий"_s;
        NoMoves moves;
        FriendsTableWindow window(state, moves, QStringLiteral(ZYB_NET_MODULE));
        window.open();
        window.findChild<QSpinBox *>(u"FriendsPort"_s)->setValue(freePort());
        auto *start = window.findChild<QPushButton *>(u"StartWithFriends"_s);
        QVERIFY(!start->isEnabled());
        QTest::mouseClick(window.findChild<QPushButton *>(u"OpenTable"_s), Qt::LeftButton);
        QVERIFY2(window.table() && window.table()->isOpen(), qPrintable(window.findChild<QLabel *>(u"FriendsMessage"_s)->text()));
        QVERIFY(start->isEnabled());
        const QString address = window.findChild<QLabel *>(u"TableAddress"_s)->text();
        QVERIFY(address.startsWith(u"http://"_s) && address.endsWith(u"/?code="_s + window.table()->code()));
        QVERIFY(window.findChild<QLabel *>(u"TableCode"_s)->text().endsWith(window.table()->code()));
        QVERIFY(!window.findChild<QLabel *>(u"TableQrCode"_s)->pixmap().isNull());
        QCOMPARE(FriendsTableWindow::storedPort(), freePort());

        // With nobody but the player who only runs the show, there is nobody to play.
        QSignalSpy asked(&window, &FriendsTableWindow::gameRequested);
        auto *onlyHost = window.findChild<QCheckBox *>(u"OnlyHost"_s);
        onlyHost->setChecked(true);
        QTest::mouseClick(start, Qt::LeftButton);
        QCOMPARE(asked.size(), 0);
        QVERIFY(window.findChild<QLabel *>(u"FriendsMessage"_s)->text().contains(u"играть некому"_s));
        onlyHost->setChecked(false);

        QWebSocket friendSocket;
        friendSocket.open(QUrl(u"ws://127.0.0.1:%1/ws"_s.arg(freePort())));
        QTRY_VERIFY(friendSocket.state() == QAbstractSocket::ConnectedState);
        friendSocket.sendTextMessage(QString::fromUtf8(QJsonDocument(QJsonObject{
            {u"v"_s, 1}, {u"type"_s, u"join"_s}, {u"code"_s, window.table()->code()}, {u"name"_s, u"Маша"_s}}).toJson()));
        auto *seats = window.findChild<QListWidget *>(u"FriendsSeats"_s);
        QTRY_VERIFY(!seats->findItems(u"Маша"_s, Qt::MatchExactly).isEmpty());

        QTest::mouseClick(start, Qt::LeftButton);
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked[0][0].toStringList(), QStringList{u"Маша"_s});
        QCOMPARE(asked[0][1].toBool(), true);

        // Closing the window closes the table: nothing listens any more.
        window.close();
        QVERIFY(!window.table());
        QTRY_VERIFY(friendSocket.state() == QAbstractSocket::UnconnectedState);
    }

    void aMissingModuleIsSaidInTheWindow_data()
    {
        QTest::addColumn<QString>("module");
        QTest::newRow("no file") << u"/nonexistent/zybkotsepye-net"_s;
        QTest::newRow("another module") << QStringLiteral(ZYB_SOUND_MODULE);
    }
    void aMissingModuleIsSaidInTheWindow()
    {
        QFETCH(QString, module);
        GameState state;
        state.setStartValues();
        NoMoves moves;
        FriendsTableWindow window(state, moves, module);
        window.open();
        QTest::mouseClick(window.findChild<QPushButton *>(u"OpenTable"_s), Qt::LeftButton);
        QVERIFY(!window.table());
        QVERIFY(window.findChild<QLabel *>(u"FriendsMessage"_s)->text().contains(u"сетевой модуль"_s));
        QVERIFY(!window.findChild<QPushButton *>(u"StartWithFriends"_s)->isEnabled());
    }

private:
    QTemporaryDir m_config;
};

QTEST_MAIN(FriendsTableWindowTest)
#include "FriendsTableWindowTest.moc"
