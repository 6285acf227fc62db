#include "ui/menu/MainMenuWindow.h"

#include "core/state/GameState.h"
#include "ui/look/AccessibleRoles.h"
#include "ui/look/Backdrop.h"
#include "ui/look/Fonts.h"
#include "ui/look/WindowStyle.h"
#include "ui/menu/MenuArtwork.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;
using namespace WindowStyle;

MainMenuWindow::MainMenuWindow(GameState &state, QWidget *parent)
    : QWidget(parent, WindowStyle::FixedWindow)
    , m_state(state)
{
    setObjectName(u"fMainMenu"_s);
    setWindowTitle(u"Зыбкоцепье"_s);
    setFixedSize(792, 566);
    WindowStyle::centreWhenShown(*this);
    AccessibleRoles::install();
    setFont(Fonts::font(Fonts::Family::MsSansSerif, 11));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);

    auto *image = new Backdrop(&MenuArtwork::background, this);
    image->setObjectName(u"Image1"_s);
    image->setGeometry(0, 0, 785, 521);
    // The first window the player sees: its picture is painted while the rest is made.
    image->paintAhead();

    // Each button emits a request or runs a slot of the menu.
    struct Button { const char16_t *name; const char16_t *caption; QIcon icon; int top; void (MainMenuWindow::*pressed)(); };
    const Button buttons[] = {
        {u"BitBtn1", u"Играть", MenuArtwork::playGlyph(), 189, &MainMenuWindow::newGameRequested},
        {u"BitBtn2", u"Настройка...", MenuArtwork::settingsGlyph(), 287, &MainMenuWindow::settingsRequested},
        {u"BitBtn3", u"Выход", MenuArtwork::exitGlyph(), 384, &MainMenuWindow::exitPressed},
    };
    QPushButton *previous = nullptr;
    for (const Button &b : buttons) {
        auto *button = new QPushButton(b.icon, QString::fromUtf16(b.caption), this);
        button->setObjectName(QString::fromUtf16(b.name));
        button->setGeometry(276, b.top, 249, 49);
        button->setFont(Fonts::font(Fonts::Family::MsSansSerif, 24));
        button->setIconSize(QSize(24, 24));
        button->setDefault(true);
        button->setAccessibleName(QString::fromUtf16(b.caption));
        connect(button, &QPushButton::clicked, this, b.pressed);
        if (previous)
            setTabOrder(previous, button);
        previous = button;
    }

    // Beside the three: a table for friends on the local network.
    auto *friends = new QPushButton(u"Стол для друзей..."_s, this);
    friends->setObjectName(u"FriendsTableButton"_s);
    friends->setGeometry(24, 474, 200, 36);
    friends->setFont(Fonts::font(Fonts::Family::MsSansSerif, 13));
    friends->setAccessibleName(u"Стол для друзей"_s);
    friends->setAccessibleDescription(u"Друзья играют за этим столом со своих телефонов"_s);
    connect(friends, &QPushButton::clicked, this, &MainMenuWindow::friendsTableRequested);
    setTabOrder(previous, friends);

    // Sizes are given rather than measured, so that no font is loaded before the menu shows.
    auto *thanks = new QLabel(u"Огромная благодарность:"_s, this);
    thanks->setObjectName(u"Label2"_s);
    thanks->setGeometry(600, 320, 180, 16);
    setTextColour(thanks, Lime);

    auto *credits = new QLabel(this);
    credits->setObjectName(u"Memo1"_s);
    credits->setGeometry(600, 336, 137, 145);
    credits->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    credits->setWordWrap(true);
    credits->setAutoFillBackground(true);
    credits->setPalette(palette());
    setTextColour(credits, White);
    credits->setAccessibleName(u"Благодарности"_s);
    credits->setText(u"Всем, кто играл\nи спорил\n\nАвторам вопросов\n\nТем, кто нашёл\nошибки и сообщил\nо них"_s);

    auto *version = new QLabel(u"вер. 1.0"_s, this);
    version->setObjectName(u"Label1"_s);
    version->setGeometry(728, 544, 60, 16);
    setTextColour(version, White);

    resetState();
}

void MainMenuWindow::resetState()
{
    m_state.setStartValues();
}

void MainMenuWindow::exitPressed()
{
    if (mayQuit())
        QApplication::quit();
}

void MainMenuWindow::closeEvent(QCloseEvent *event)
{
    if (!mayQuit()) {
        event->ignore();
        return;
    }
    event->accept();
    QApplication::quit();
}

