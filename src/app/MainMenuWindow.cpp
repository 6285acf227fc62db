#include "app/MainMenuWindow.h"

#include "app/Artwork.h"
#include "app/ErrorReport.h"
#include "app/Fonts.h"
#include "app/WindowStyle.h"
#include "app/GameState.h"
#include "game/GameEngine.h"

#include <QApplication>
#include <QCloseEvent>
#include <QShowEvent>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>

using namespace Qt::StringLiterals;
using namespace WindowStyle;

TfMainMenu::TfMainMenu(GameState &state, QWidget *parent)
    : QWidget(parent, WindowStyle::FixedWindow)
    , m_state(state)
{
    setObjectName(u"fMainMenu"_s);
    setWindowTitle(u"Зыбкоцепье"_s);
    setFixedSize(792, 566);
    setFont(Fonts::font(Fonts::Family::MsSansSerif, 11));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);

    auto *image = new QLabel(this);
    image->setObjectName(u"Image1"_s);
    image->setGeometry(0, 0, 785, 521);
    image->setScaledContents(true);
    image->setPixmap(Artwork::mainMenuBackground());

    struct Button { const char16_t *name; const char16_t *caption; QIcon icon; int top; void (TfMainMenu::*slot)(); };
    const Button buttons[] = {
        {u"BitBtn1", u"Играть", Artwork::playGlyph(), 189, &TfMainMenu::BitBtn1Click},
        {u"BitBtn2", u"Настройка...", Artwork::settingsGlyph(), 287, &TfMainMenu::BitBtn2Click},
        {u"BitBtn3", u"Выход", Artwork::exitGlyph(), 384, &TfMainMenu::BitBtn3Click},
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
        connect(button, &QPushButton::clicked, this, b.slot);
        if (previous)
            setTabOrder(previous, button);
        previous = button;
    }

    auto *thanks = new QLabel(u"Огромная благодарность:"_s, this);
    thanks->setObjectName(u"Label2"_s);
    thanks->move(600, 320);
    thanks->adjustSize();
    setTextColour(thanks, Lime);

    auto *credits = new QTextEdit(this);
    credits->setObjectName(u"Memo1"_s);
    credits->setGeometry(600, 336, 137, 145);
    credits->setReadOnly(true);
    credits->setFrameShape(QFrame::NoFrame);
    credits->setStyleSheet(u"QTextEdit { background: black; color: white; }"_s);
    credits->setAccessibleName(u"Благодарности"_s);
    const QStringList lines = {u"Всем, кто играл"_s,    u"и спорил"_s,        QString(),
                               u"Авторам вопросов"_s,   QString(),            u"Тем, кто нашёл"_s,
                               u"ошибки и сообщил"_s,   u"о них"_s};
    for (const QString &line : lines) {
        credits->append(line);
        credits->setAlignment(Qt::AlignCenter);
    }

    auto *version = new QLabel(u"вер. 1.0"_s, this);
    version->setObjectName(u"Label1"_s);
    version->move(728, 544);
    version->adjustSize();
    setTextColour(version, White);

    FormCreate();
}

void TfMainMenu::FormCreate()
{
    m_state.setStartValues();
}

void TfMainMenu::setTargets(GameEngine *engine, QWidget *settings)
{
    m_engine = engine;
    m_settings = settings;
}

void TfMainMenu::BitBtn1Click()
{
    if (!m_engine)
        return;
    const Status status = m_engine->NewGame(m_listBox1);
    if (!status) {
        ErrorReport::show(this, status);
        return;
    }
    hide();
}

void TfMainMenu::BitBtn2Click()
{
    if (!m_settings)
        return;
    hide();
    m_settings->show();
    m_settings->raise();
    m_settings->activateWindow();
}

void TfMainMenu::BitBtn3Click()
{
    QApplication::quit();
}

void TfMainMenu::closeEvent(QCloseEvent *event)
{
    event->accept();
    QApplication::quit();
}

void TfMainMenu::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        WindowStyle::centreOnScreen(*this);
}
