#pragma once

#include "net/Protocol.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class QWebSocket;

// One page's WebSocket, kept within bounds: messages of at most a few KB, a steady rate,
// a few bad messages, a join soon after connecting. A connection that goes beyond them is
// closed; the table hears only the well-formed requests.
class FriendConnection : public QObject
{
    Q_OBJECT

public:
    struct Limits
    {
        int joinTimeoutMs = 10000;   // to join or resume after connecting
        int maxBadMessages = 20;
        int maxPerSecond = 30;
    };

    // Takes `socket` over.
    FriendConnection(QWebSocket *socket, const Limits &limits, QObject *parent = nullptr);
    ~FriendConnection() override;

    // The connection has a place at the table: no join timeout any more.
    void admit();
    bool isAdmitted() const { return m_admitted; }
    bool isOpen() const;

    void send(const QString &message);
    // Refuses a request with a reason shown to the friend, logged, and counted as bad.
    void refuse(const QString &what, const QString &reason);
    // Tells the page why and closes; `fault`: the page broke the rules.
    void close(const QString &reason, bool fault = true);

Q_SIGNALS:
    void requested(FriendConnection *connection, const Protocol::Request &request);
    void closed(FriendConnection *connection);

private:
    void received(const QString &text);
    bool withinRate();

    QWebSocket *m_socket;
    Limits m_limits;
    QTimer m_joinTimer;
    QElapsedTimer m_second;
    int m_inSecond = 0;
    int m_bad = 0;
    bool m_admitted = false;
    bool m_closing = false;
    bool m_told = false;
};
