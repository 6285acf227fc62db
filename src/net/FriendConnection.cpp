#include "net/FriendConnection.h"

#include <QLoggingCategory>
#include <QWebSocket>

using namespace Qt::StringLiterals;

Q_LOGGING_CATEGORY(lcConnection, "zyb.net.connection")

namespace {

// Far more than a whole game's facts: a page gets them as they come.
constexpr qint64 MaxUnsentBytes = 1 << 20;

} // namespace

FriendConnection::FriendConnection(QWebSocket *socket, const Limits &limits, QObject *parent)
    : QObject(parent), m_socket(socket), m_limits(limits)
{
    m_socket->setParent(this);
    m_socket->setMaxAllowedIncomingMessageSize(Protocol::MaxMessageBytes);
    m_socket->setMaxAllowedIncomingFrameSize(Protocol::MaxMessageBytes);
    m_socket->setReadBufferSize(Protocol::MaxMessageBytes * 4);
    m_socket->setOutgoingFrameSize(Protocol::MaxMessageBytes * 4);
    connect(m_socket, &QWebSocket::textMessageReceived, this, &FriendConnection::received);
    connect(m_socket, &QWebSocket::binaryMessageReceived, this, [this] {
        if (withinRate())
            refuse({}, u"Непонятное сообщение"_s);
    });
    connect(m_socket, &QWebSocket::disconnected, this, [this] {
        if (!m_told) {
            m_told = true;
            Q_EMIT closed(this);
        }
    });
    m_joinTimer.setSingleShot(true);
    connect(&m_joinTimer, &QTimer::timeout, this, [this] { close(u"Время на вход вышло"_s); });
    m_joinTimer.start(m_limits.joinTimeoutMs);
    m_second.start();
}

FriendConnection::~FriendConnection()
{
    m_socket->disconnect(this);
    m_socket->abort();
}

void FriendConnection::admit()
{
    m_admitted = true;
    m_joinTimer.stop();
}

bool FriendConnection::isOpen() const
{
    return !m_closing && m_socket->state() == QAbstractSocket::ConnectedState;
}

void FriendConnection::send(const QString &message)
{
    if (!isOpen())
        return;
    // A page that stops reading would have the table keep every fact for it.
    if (m_socket->bytesToWrite() > MaxUnsentBytes) {
        close(u"Соединение не успевает за игрой"_s);
        return;
    }
    m_socket->sendTextMessage(message);
}

void FriendConnection::refuse(const QString &what, const QString &reason)
{
    if (m_closing)
        return;
    qCWarning(lcConnection).noquote() << m_socket->peerAddress().toString() << "refused" << what << "-" << reason;
    send(Protocol::refused(what, reason).text);
    if (++m_bad > m_limits.maxBadMessages)
        close(u"Слишком много неверных сообщений"_s);
}

void FriendConnection::close(const QString &reason, bool fault)
{
    if (m_closing)
        return;
    if (fault)
        qCWarning(lcConnection).noquote() << m_socket->peerAddress().toString() << "closed:" << reason;
    send(Protocol::closed(reason).text);
    m_closing = true;
    m_joinTimer.stop();
    m_socket->close(fault ? QWebSocketProtocol::CloseCodePolicyViolated : QWebSocketProtocol::CloseCodeNormal,
                    reason.left(40));
    // A peer that does not answer the closing handshake is dropped all the same.
    QTimer::singleShot(2000, m_socket, [socket = m_socket] { socket->abort(); });
    if (!m_told) {
        m_told = true;
        Q_EMIT closed(this);
    }
}

bool FriendConnection::withinRate()
{
    if (m_closing)
        return false;
    if (m_second.elapsed() >= 1000) {
        m_second.restart();
        m_inSecond = 0;
    }
    if (++m_inSecond > m_limits.maxPerSecond) {
        close(u"Слишком много сообщений"_s);
        return false;
    }
    return true;
}

void FriendConnection::received(const QString &text)
{
    if (!withinRate())
        return;
    const Protocol::Parsed parsed = Protocol::parse(text);
    if (!parsed.ok) {
        refuse(parsed.what, parsed.refusal);
        return;
    }
    Q_EMIT requested(this, parsed.request);
}
