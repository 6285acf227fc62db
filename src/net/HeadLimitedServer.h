#pragma once

#include <QTcpServer>

// The page server's listening socket. Each connection it hands over is watched ahead of the
// HTTP server (Qt HTTP Server 6.4 sets no limit of its own): a request whose request line
// and headers run past MaxHeadBytes is answered 431 and the connection closed, before the
// HTTP server keeps any of it.
class HeadLimitedServer : public QTcpServer
{
public:
    static constexpr qsizetype MaxHeadBytes = 8 * 1024;

    using QTcpServer::QTcpServer;
    QTcpSocket *nextPendingConnection() override;
};
