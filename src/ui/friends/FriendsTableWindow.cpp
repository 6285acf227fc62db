#include "ui/friends/FriendsTableWindow.h"

#include "core/state/GameState.h"
#include "net/NetModuleInterface.h"
#include "ui/look/AccessibleRoles.h"
#include "ui/look/Fonts.h"
#include "ui/look/WindowStyle.h"
#include "ui/modules/ModuleLoader.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;
using namespace WindowStyle;

namespace {

constexpr quint16 DefaultPort = 8765;
const QString PortKey = u"friends/port"_s;
constexpr int QrPixels = 232;

QLabel *textLabel(const QString &text, QWidget *parent, const QColor &colour)
{
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    setTextColour(label, colour);
    return label;
}

} // namespace

FriendsTableWindow::FriendsTableWindow(GameState &state, SeatMoves &moves, QString module, QWidget *parent)
    : LazyWindow(parent, WindowStyle::FixedWindow)
    , m_state(state)
    , m_moves(moves)
    , m_module(std::move(module))
{
    WindowStyle::setUpDarkWindow(*this, u"fFriends"_s, u"Стол для друзей"_s, 620, 440);
}

FriendsTableWindow::~FriendsTableWindow()
{
    if (m_table)
        m_table->close();
}


quint16 FriendsTableWindow::storedPort()
{
    const int port = QSettings().value(PortKey, DefaultPort).toInt();
    return port >= 1024 && port <= 65535 ? quint16(port) : DefaultPort;
}

void FriendsTableWindow::build()
{
    auto *layout = new QHBoxLayout(this);
    auto *left = new QVBoxLayout;
    auto *right = new QVBoxLayout;
    layout->addLayout(left, 1);
    layout->addLayout(right);

    left->addWidget(textLabel(u"Друзья в той же сети (Wi-Fi) открывают адрес в браузере телефона или "
                              u"наводят камеру на код. Ничего устанавливать не нужно."_s, this, White));
    auto *portRow = new QHBoxLayout;
    auto *portLabel = textLabel(u"Порт:"_s, this, White);
    portLabel->setWordWrap(false);
    m_port = new QSpinBox(this);
    m_port->setObjectName(u"FriendsPort"_s);
    m_port->setRange(1024, 65535);
    m_port->setValue(storedPort());
    m_port->setAccessibleName(u"Порт стола"_s);
    portLabel->setBuddy(m_port);
    m_openButton = new QPushButton(u"Открыть стол"_s, this);
    m_openButton->setObjectName(u"OpenTable"_s);
    connect(m_openButton, &QPushButton::clicked, this, &FriendsTableWindow::openPressed);
    portRow->addWidget(portLabel);
    portRow->addWidget(m_port);
    portRow->addWidget(m_openButton, 1);
    left->addLayout(portRow);

    m_message = textLabel(QString(), this, Yellow);
    m_message->setObjectName(u"FriendsMessage"_s);
    left->addWidget(m_message);

    m_address = textLabel(QString(), this, Aqua);
    m_address->setObjectName(u"TableAddress"_s);
    m_address->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_address->setFont(Fonts::font(Fonts::Family::MsSansSerif, 13));
    left->addWidget(m_address);
    m_code = textLabel(QString(), this, Lime);
    m_code->setObjectName(u"TableCode"_s);
    m_code->setFont(Fonts::font(Fonts::Family::MsSansSerif, 20));
    left->addWidget(m_code);

    left->addWidget(textLabel(u"За столом:"_s, this, White));
    m_seats = new QListWidget(this);
    m_seats->setObjectName(u"FriendsSeats"_s);
    m_seats->setAccessibleName(u"За столом"_s);
    left->addWidget(m_seats, 1);

    m_onlyHost = new QCheckBox(u"Я только веду игру, за стол не сажусь"_s, this);
    m_onlyHost->setObjectName(u"OnlyHost"_s);
    setTextColour(m_onlyHost, White);
    connect(m_onlyHost, &QCheckBox::toggled, this, [this](bool onlyHost) {
        // The friends' lobby lists the player only when the player sits at the table.
        if (m_table)
            m_table->setHostName(onlyHost ? QString() : m_state.table.playerName);
        showTable();
    });
    left->addWidget(m_onlyHost);

    auto *buttons = new QHBoxLayout;
    m_startButton = new QPushButton(u"Начать игру"_s, this);
    m_startButton->setObjectName(u"StartWithFriends"_s);
    m_startButton->setEnabled(false);
    connect(m_startButton, &QPushButton::clicked, this, [this] {
        if (!m_table)
            return;
        const bool playerPlays = !m_onlyHost->isChecked();
        if (!playerPlays && m_table->friendNames().isEmpty()) {
            showMessage(u"За столом нет ни друзей, ни вас: играть некому. Дождитесь друзей или сядьте за стол сами."_s, true);
            return;
        }
        if (playerPlays && m_table->friendNames().size() >= SeatCount) {
            showMessage(u"За столом восемь мест, а друзей восемь: сядьте за стол, только если кто-то уйдёт, "
                        u"или только ведите игру."_s, true);
            return;
        }
        Q_EMIT gameRequested(m_table->friendNames(), playerPlays);
    });
    auto *closeButton = new QPushButton(u"Закрыть стол"_s, this);
    closeButton->setObjectName(u"CloseTable"_s);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    buttons->addWidget(m_startButton);
    buttons->addWidget(closeButton);
    left->addLayout(buttons);

    m_qr = new QLabel(this);
    m_qr->setObjectName(u"TableQrCode"_s);
    m_qr->setFixedSize(QrPixels, QrPixels);
    m_qr->setAlignment(Qt::AlignCenter);
    m_qr->setAccessibleName(u"QR-код адреса стола"_s);
    right->addWidget(m_qr);
    right->addStretch(1);
}

void FriendsTableWindow::open()
{
    ensureBuilt();
    showTable();
    show();
    raise();
    activateWindow();
    (m_table ? static_cast<QWidget *>(m_startButton) : m_openButton)->setFocus(Qt::OtherFocusReason);
}

void FriendsTableWindow::openPressed()
{
    if (!m_table) {
        auto *module = ModuleLoader::load<NetModuleInterface>(m_module, u"zybkotsepye-net"_s);
        m_table = module ? module->createTable(m_moves, this) : nullptr;
        if (!m_table) {
            showMessage(u"Не удалось загрузить сетевой модуль игры (zybkotsepye-net): переустановите игру."_s, true);
            return;
        }
        connect(m_table, &FriendsTableControl::lobbyChanged, this, &FriendsTableWindow::showTable);
        connect(m_table, &FriendsTableControl::presenceChanged, this, &FriendsTableWindow::presenceChanged);
    }
    m_table->setHostName(m_onlyHost->isChecked() ? QString() : m_state.table.playerName);
    const quint16 port = quint16(m_port->value());
    if (!m_table->open(port)) {
        showMessage(m_table->error(), true);
        return;
    }
    QSettings().setValue(PortKey, int(port));
    const QString host = m_table->address().host();
    if (host == u"127.0.0.1"_s || host == u"::1"_s || host == u"localhost"_s) {
        // Only this computer itself can reach the table.
        showMessage(u"Стол открыт, но этот компьютер не подключён к локальной сети (Wi-Fi): друзья его не увидят. "
                    u"Подключитесь к сети и откройте стол снова."_s,
                    true);
    } else {
        showMessage(u"Стол открыт. Когда все сядут, нажмите «Начать игру»; пустые места займут компьютерные игроки."_s,
                    false);
    }
    showTable();
    m_startButton->setFocus(Qt::OtherFocusReason);
}

void FriendsTableWindow::showTable()
{
    if (!m_port)
        return;
    const bool open = m_table && m_table->isOpen();
    m_port->setEnabled(!open);
    m_openButton->setEnabled(!open);
    m_startButton->setEnabled(open);
    const QString address = open ? m_table->address().toString() : QString();
    m_address->setText(address);
    m_address->setAccessibleName(open ? u"Адрес стола: "_s + address : QString());
    m_code->setText(open ? u"Код стола: "_s + m_table->code() : QString());
    const QList<QBitArray> qr = open ? m_table->qrCode() : QList<QBitArray>();
    if (!qr.isEmpty()) {
        // Four modules of white around the code, as readers expect; each module whole pixels.
        const int modules = int(qr.size()) + 8;
        const int scale = qMax(1, QrPixels / modules);
        QImage image(modules, modules, QImage::Format_RGB32);
        image.fill(Qt::white);
        for (int y = 0; y < qr.size(); ++y) {
            for (int x = 0; x < qr[y].size(); ++x) {
                if (qr[y].testBit(x))
                    image.setPixel(x + 4, y + 4, qRgb(0, 0, 0));
            }
        }
        m_qr->setPixmap(QPixmap::fromImage(image.scaled(modules * scale, modules * scale)));
    } else {
        m_qr->clear();
    }

    m_seats->clear();
    const bool playerPlays = !m_onlyHost->isChecked();
    if (playerPlays)
        m_seats->addItem(u"%1 — вы, ведущий"_s.arg(m_state.table.playerName));
    const QStringList names = open ? m_table->friendNames() : QStringList();
    for (const QString &name : names)
        m_seats->addItem(name);
    if (open) {
        for (qsizetype i = m_seats->count(); i < SeatCount; ++i)
            m_seats->addItem(u"свободно: сядет компьютерный игрок"_s);
    }
}

void FriendsTableWindow::presenceChanged()
{
    if (m_table)
        Q_EMIT friendsConnected(m_table->connectedSeats());
}

void FriendsTableWindow::showMessage(const QString &text, bool error)
{
    setTextColour(m_message, error ? Red : Yellow);
    m_message->setText(text);
    m_message->setAccessibleName(text);
}

void FriendsTableWindow::closeTable()
{
    if (m_table) {
        m_table->close();
        m_table->deleteLater();
        m_table = nullptr;
    }
    showTable();
}

void FriendsTableWindow::closeEvent(QCloseEvent *event)
{
    // Closing the window closes the table; once a game starts the window is only hidden, and
    // the table closes with the game.
    closeTable();
    event->accept();
    Q_EMIT closed();
}
