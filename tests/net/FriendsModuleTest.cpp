// The friends' table as the host's window gets it: from its module, through the interface
// alone, with the page's files built into the module.
#include "net/FriendsTableControl.h"

#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

struct NoMoves : SeatMoves
{
    void answerChosen(int, int) override {}
    void bankPressed(int) override {}
    void seatVoted(int, int) override {}
    void seatAway(int, bool) override {}
    int chainValue(int) const override { return 0; }
};

} // namespace

class FriendsModuleTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void theModuleOpensATableForTheWindow()
    {
        NoMoves moves;
        QObject owner;
        FriendsTableControl *table = FriendsTableControl::create(&moves, &owner, QStringLiteral(ZYB_NET_MODULE));
        QVERIFY(table);
        QVERIFY(table->listener() && table->object());
        QVERIFY(table->open(0));
        QVERIFY(table->isOpen());

        const QString code = table->code();
        QCOMPARE(code.size(), 4);
        for (QChar c : code)
            QVERIFY2(QByteArrayView("23456789ABCDEFGHJKLMNPQRSTUVWXYZ").contains(char(c.unicode())), qPrintable(code));
        const QUrl address = table->address();
        QVERIFY(address.isValid() && address.port() > 0);
        QVERIFY(QHostAddress(address.host()) != QHostAddress::AnyIPv4);
        const QList<QBitArray> qr = table->qrCode();
        QVERIFY(!qr.isEmpty());
        QCOMPARE(qr.first().size(), qr.size());

        QNetworkAccessManager http;
        std::unique_ptr<QNetworkReply> reply(
            http.get(QNetworkRequest(QUrl(u"http://127.0.0.1:%1/"_s.arg(address.port())))));
        QVERIFY(QTest::qWaitFor([&] { return reply->isFinished(); }, 5000));
        QCOMPARE(reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), 200);
        QVERIFY(reply->readAll().contains("<html"));
        QVERIFY(reply->rawHeader("Content-Security-Policy").contains("default-src 'self'"));

        table->close();
        QVERIFY(!table->isOpen());
    }
};

QTEST_GUILESS_MAIN(FriendsModuleTest)
#include "FriendsModuleTest.moc"
