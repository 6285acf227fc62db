// The friends' table module: the table the host's window holds (ui/friends/FriendsTable.h),
// over the server. The program loads this module when the host first opens a table.
#include "core/engine/GameEngine.h"
#include "net/FriendsServer.h"
#include "net/QrCode.h"
#include "ui/friends/FriendsTable.h"

#include <QImage>

using namespace Qt::StringLiterals;

namespace {

class ModuleTable final : public FriendsTable, private SeatMoves
{
public:
    ModuleTable() : m_server(*this)
    {
        QObject::connect(&m_server, &FriendsServer::lobbyChanged, [this] { tellChanged(); });
        QObject::connect(&m_server, &FriendsServer::presenceChanged, [this] { tellChanged(); });
    }

    void setHostName(const QString &name) override { m_server.setHostName(name); }
    Status open(quint16 port) override
    {
        if (m_server.open(port))
            return Status::success();
        return Status::failure(u"Стол для друзей не открылся"_s, m_server.error());
    }
    // The code rides in the address, so that a friend who scans it has only a name to type.
    QString address() const override
    {
        if (!m_server.isOpen())
            return {};
        QUrl url = m_server.address();
        url.setQuery(u"code="_s + m_server.code());
        return url.toString();
    }
    QString code() const override { return m_server.code(); }
    QImage qrCode() const override
    {
        const QList<QBitArray> rows = m_server.isOpen() ? qrCodeOf(address()) : QList<QBitArray>();
        const int size = int(rows.size());
        QImage image(size, size, QImage::Format_RGB32);
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x)
                image.setPixel(x, y, rows[y].testBit(x) ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
        }
        return image;
    }
    QStringList friendNames() const override { return m_server.friendNames(); }
    QList<bool> friendsConnected() const override { return m_server.friendsConnected(); }
    void attach(GameEngine &engine) override { m_engine = &engine; }
    GameListener &listener() override { return m_server; }
    void close() override { m_server.close(); }

private:
    void tellChanged()
    {
        if (changed)
            changed();
    }

    // The friends' moves go to the game the table is attached to.
    void answerChosen(int seat, int answer) override
    {
        if (m_engine)
            m_engine->answerChosen(seat, answer);
    }
    void bankPressed(int seat) override
    {
        if (m_engine)
            m_engine->bankPressed(seat);
    }
    void seatVoted(int seat, int votedFor) override
    {
        if (m_engine)
            m_engine->seatVoted(seat, votedFor);
    }
    void seatAway(int seat, bool away) override
    {
        if (m_engine)
            m_engine->seatAway(seat, away);
    }
    QList<int> friendSeats() const override { return m_engine ? m_engine->state().table.friendSeats : QList<int>(); }
    int chainValue(int step) const override { return GameEngine::chainValue(step); }

    GameEngine *m_engine = nullptr;
    FriendsServer m_server;
};

} // namespace

extern "C" Q_DECL_EXPORT FriendsTable *zybCreateFriendsTable()
{
    return new ModuleTable;
}

static_assert(sizeof(FriendsTable::EntryPoint) == sizeof("zybCreateFriendsTable"));
