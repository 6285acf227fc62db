#pragma once

#include <QHostAddress>
#include <QHttpServer>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTcpServer>

class QWebSocket;

// The table's web server: the page's own files from the program's resources, and the
// WebSocket at /ws. Anything else is "not found"; nothing is read from disk.
class PageServer : public QObject
{
    Q_OBJECT

public:
    explicit PageServer(QObject *parent = nullptr);
    ~PageServer() override;

    // Listens at `port` (0: a free one) on each of `addresses`; true when at least one
    // listens. The port is then port().
    bool listen(const QList<QHostAddress> &addresses, quint16 port);
    bool isListening() const { return !m_listeners.isEmpty(); }
    quint16 port() const { return m_port; }
    QList<QHostAddress> addresses() const;
    // Stops listening; connections already open stay until closed. The WebSockets it handed
    // over must go before the page server does.
    void stopListening();

Q_SIGNALS:
    // A page opened its WebSocket; the receiver owns `socket`.
    void socketOpened(QWebSocket *socket);

private:
    void takeSockets();
    bool originAllowed(const QWebSocket &socket) const;

    QHttpServer m_http;
    QList<QPointer<QTcpServer>> m_listeners;
    quint16 m_port = 0;
};
