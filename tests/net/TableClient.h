#pragma once

// A friend's browser as the tests play it: Qt's own WebSocket client on loopback, keeping
// every message the table sends.

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QTest>
#include <QWebSocket>

#include <functional>

class TableClient : public QObject
{
public:
    explicit TableClient(quint16 port, const QString &origin = QString()) : m_socket(origin)
    {
        connect(&m_socket, &QWebSocket::textMessageReceived, this,
                [this](const QString &text) {
                    received.append(QJsonDocument::fromJson(text.toUtf8()).object());
                    if (onMessage)
                        onMessage(received.last());
                });
        m_socket.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/ws").arg(port)));
    }

    QList<QJsonObject> received;
    // Called with each message as it comes.
    std::function<void(const QJsonObject &)> onMessage;

    bool connected() { return QTest::qWaitFor([this] { return isOpen(); }, 5000); }
    bool isOpen() const { return m_socket.state() == QAbstractSocket::ConnectedState; }
    bool closed() { return QTest::qWaitFor([this] { return m_socket.state() == QAbstractSocket::UnconnectedState; }, 5000); }
    void close() { m_socket.close(); }
    QWebSocketProtocol::CloseCode closeCode() const { return m_socket.closeCode(); }

    void send(const QJsonObject &message)
    {
        QJsonObject m = message;
        m.insert(QStringLiteral("v"), 1);
        sendText(QString::fromUtf8(QJsonDocument(m).toJson(QJsonDocument::Compact)));
    }
    void sendText(const QString &text) { m_socket.sendTextMessage(text); }

    // The next message of `type` (or a refusal, when `orRefused`), waiting for it; empty
    // when none came.
    QJsonObject next(const QString &type, bool orRefused = false)
    {
        QJsonObject found;
        (void)QTest::qWaitFor([&] {
            for (qsizetype i = m_read; i < received.size(); ++i) {
                const QString t = received.at(i).value(QStringLiteral("type")).toString();
                if (t == type || (orRefused && t == QStringLiteral("refused"))) {
                    found = received.at(i);
                    m_read = i + 1;
                    return true;
                }
            }
            return false;
        }, 5000);
        return found;
    }
    // The messages of `type` received so far.
    QList<QJsonObject> all(const QString &type) const
    {
        QList<QJsonObject> result;
        for (const QJsonObject &m : received) {
            if (m.value(QStringLiteral("type")).toString() == type)
                result.append(m);
        }
        return result;
    }

    // Joins and returns the secret, or the refusal's reason prefixed by "!".
    QString join(const QString &code, const QString &name)
    {
        send({{QStringLiteral("type"), QStringLiteral("join")}, {QStringLiteral("code"), code},
              {QStringLiteral("name"), name}});
        return answerTo(QStringLiteral("welcome"));
    }
    QString resume(const QString &secret)
    {
        send({{QStringLiteral("type"), QStringLiteral("resume")}, {QStringLiteral("secret"), secret}});
        return answerTo(QStringLiteral("welcome"));
    }
    // The reason of the next refusal, empty when none came.
    QString refusal() { return next(QStringLiteral("refused")).value(QStringLiteral("reason")).toString(); }

private:
    QString answerTo(const QString &type)
    {
        const QJsonObject found = next(type, true);
        if (found.value(QStringLiteral("type")).toString() == type)
            return found.value(QStringLiteral("secret")).toString();
        return QLatin1Char('!') + found.value(QStringLiteral("reason")).toString();
    }

    QWebSocket m_socket;
    qsizetype m_read = 0;
};
