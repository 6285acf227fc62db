#include "net/HeadLimitedServer.h"

#include <QLoggingCategory>
#include <QTcpSocket>
#include <QTimer>

Q_LOGGING_CATEGORY(lcHead, "zyb.net.head")

namespace {

constexpr QByteArrayView HeadEnd = "\r\n\r\n";

// One connection's requests as they arrive, read before the HTTP server reads them (its own
// reader is connected after this one, and takes all that is there each time). A request's
// body is skipped by its Content-Length; the page server takes no other bodies. Once the
// connection turns into a WebSocket, the WebSocket's own limits hold.
class HeadWatch : public QObject
{
public:
    explicit HeadWatch(QTcpSocket *socket) : QObject(socket), m_socket(socket)
    {
        connect(socket, &QTcpSocket::readyRead, this, &HeadWatch::arrived);
    }

private:
    void arrived();
    // Whether a whole head (without its blank line) lets the connection go on.
    bool headEnded(QByteArrayView head);
    void refuse();

    QTcpSocket *m_socket;
    QByteArray m_head;      // the request under way so far, up to its blank line
    qint64 m_bodyLeft = 0;  // bytes of the last request's body still to come
};

void HeadWatch::arrived()
{
    const QByteArray data = m_socket->peek(m_socket->bytesAvailable());
    qsizetype at = 0;
    while (at < data.size()) {
        if (m_bodyLeft > 0) {
            const qint64 skipped = qMin(m_bodyLeft, qint64(data.size() - at));
            m_bodyLeft -= skipped;
            at += qsizetype(skipped);
            continue;
        }
        // The blank line may have begun in the last piece: look from three bytes back.
        const qsizetype before = m_head.size();
        const qsizetype room = HeadLimitedServer::MaxHeadBytes + HeadEnd.size() - before;
        m_head.append(data.constData() + at, qMin(room, data.size() - at));
        const qsizetype end = m_head.indexOf(HeadEnd, qMax<qsizetype>(0, before - (HeadEnd.size() - 1)));
        if (end < 0) {
            if (m_head.size() > HeadLimitedServer::MaxHeadBytes + HeadEnd.size() - 1)
                return refuse();
            return;
        }
        at += end + HeadEnd.size() - before;
        if (end > HeadLimitedServer::MaxHeadBytes)
            return refuse();
        const QByteArray head = m_head.left(end);
        m_head.clear();
        if (!headEnded(head))
            return;
    }
}

bool HeadWatch::headEnded(QByteArrayView head)
{
    const QByteArray fields = head.toByteArray().toLower();
    if (fields.contains("\r\nupgrade:")) {
        // A WebSocket from here on: the HTTP server hands it over.
        deleteLater();
        disconnect(m_socket, nullptr, this, nullptr);
        return false;
    }
    constexpr QByteArrayView LengthField = "\r\ncontent-length:";
    if (const qsizetype field = fields.indexOf(LengthField); field >= 0) {
        const qsizetype from = field + LengthField.size();
        const qsizetype to = fields.indexOf("\r\n", from);
        m_bodyLeft = qMax(0ll, fields.mid(from, to < 0 ? -1 : to - from).trimmed().toLongLong());
    }
    return true;
}

void HeadWatch::refuse()
{
    qCWarning(lcHead) << m_socket->peerAddress().toString() << "sent a request head over"
                      << HeadLimitedServer::MaxHeadBytes << "bytes";
    // Neither this watch nor the HTTP server reads any more of it; what still comes is
    // read and dropped, so that the answer is not lost to a reset while the peer sends.
    disconnect(m_socket, &QTcpSocket::readyRead, nullptr, nullptr);
    if (m_socket->isTransactionStarted())
        m_socket->commitTransaction();
    m_socket->readAll();
    connect(m_socket, &QTcpSocket::readyRead, m_socket, [socket = m_socket] { socket->readAll(); });
    static constexpr char Answer[] = "HTTP/1.1 431 Request Header Fields Too Large\r\n"
                                     "Content-Type: text/plain; charset=utf-8\r\n"
                                     "Content-Length: 32\r\n"
                                     "Connection: close\r\n"
                                     "\r\n"
                                     "Request header fields too large\n";
    m_socket->write(Answer, qsizetype(sizeof(Answer) - 1));
    QTimer::singleShot(1000, m_socket, [socket = m_socket] { socket->disconnectFromHost(); });
    QTimer::singleShot(3000, m_socket, [socket = m_socket] { socket->abort(); });
}

} // namespace

QTcpSocket *HeadLimitedServer::nextPendingConnection()
{
    QTcpSocket *socket = QTcpServer::nextPendingConnection();
    if (socket)
        new HeadWatch(socket);
    return socket;
}
