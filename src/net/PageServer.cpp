#include "net/PageServer.h"

#include "net/HeadLimitedServer.h"

#include <QHttpServerResponse>
#include <QLoggingCategory>
#include <QWebSocket>

using namespace Qt::StringLiterals;

Q_LOGGING_CATEGORY(lcPage, "zyb.net.page")

namespace {

// The page's files: the address's path and the resource it is.
constexpr std::pair<const char *, const char *> PageFiles[] = {
    {"/", ":/web/index.html"},
    {"/index.html", ":/web/index.html"},
    {"/table.js", ":/web/table.js"},
    {"/table.css", ":/web/table.css"},
    {"/favicon.svg", ":/web/favicon.svg"},
};

} // namespace

PageServer::PageServer(QObject *parent) : QObject(parent)
{
    for (const auto &[path, resource] : PageFiles) {
        const QString file = QString::fromLatin1(resource);
        m_http.route(QString::fromLatin1(path), QHttpServerRequest::Method::Get,
                     [file] { return QHttpServerResponse::fromFile(file); });
    }
    // The server hands a WebSocket handshake over only when a route takes the request; the
    // route answers nothing itself, the WebSocket does.
    m_http.route(u"/ws"_s, QHttpServerRequest::Method::Get, [](const QHttpServerRequest &, QHttpServerResponder &&) {});
    // The page runs its own script and talks only to this server.
    m_http.afterRequest([](QHttpServerResponse &&response) {
        response.setHeader("Content-Security-Policy",
                           "default-src 'self'; connect-src 'self' ws:; img-src 'self' data:; "
                           "frame-ancestors 'none'; base-uri 'none'; form-action 'none'");
        response.setHeader("X-Content-Type-Options", "nosniff");
        response.setHeader("Referrer-Policy", "no-referrer");
        response.setHeader("Cache-Control", "no-store");
        return std::move(response);
    });
    connect(&m_http, &QHttpServer::newWebSocketConnection, this, &PageServer::takeSockets);
}

PageServer::~PageServer()
{
    stopListening();
}

bool PageServer::listen(const QList<QHostAddress> &addresses, quint16 port)
{
    stopListening();
    m_port = port;
    for (const QHostAddress &address : addresses) {
        auto *server = new HeadLimitedServer(this);
        if (!server->listen(address, m_port)) {
            qCWarning(lcPage) << "cannot listen on" << address.toString() << m_port << server->errorString();
            delete server;
            continue;
        }
        m_port = server->serverPort();
        m_http.bind(server);
        m_listeners.append(server);
    }
    return isListening();
}

QList<QHostAddress> PageServer::addresses() const
{
    QList<QHostAddress> result;
    for (const QPointer<QTcpServer> &server : m_listeners) {
        if (server)
            result.append(server->serverAddress());
    }
    return result;
}

// The servers themselves stay until the page server goes: the sockets they accepted, the
// WebSockets' among them, are theirs.
void PageServer::stopListening()
{
    for (const QPointer<QTcpServer> &server : std::as_const(m_listeners)) {
        if (server)
            server->close();
    }
    m_listeners.clear();
}

void PageServer::takeSockets()
{
    while (m_http.hasPendingWebSocketConnections()) {
        std::unique_ptr<QWebSocket> socket = m_http.nextPendingWebSocketConnection();
        if (!socket)
            continue;
        if (!isListening() || socket->requestUrl().path() != u"/ws" || !originAllowed(*socket)) {
            qCWarning(lcPage) << "WebSocket refused:" << socket->requestUrl().path() << socket->origin();
            socket->abort();
            continue;
        }
        Q_EMIT socketOpened(socket.release());
    }
}

// A browser tells which page opened the socket: only this server's own page may (another
// site open in a friend's browser may not play at the table). Clients that are not browsers
// send no origin.
bool PageServer::originAllowed(const QWebSocket &socket) const
{
    if (socket.origin().isEmpty())
        return true;
    const QUrl origin(socket.origin());
    if (origin.port() != m_port || origin.scheme() != u"http")
        return false;
    if (origin.host() == u"localhost")
        return true;
    const QHostAddress host(origin.host());
    return addresses().contains(host) || (host.isLoopback() && socket.localAddress().isLoopback());
}
