#include "ui/table/TableWidgets.h"

#include "core/engine/GameEngine.h"
#include "core/state/GameState.h"
#include "ui/look/Announcer.h"
#include "ui/look/Backdrop.h"
#include "ui/look/Fonts.h"
#include "ui/look/WindowStyle.h"
#include "ui/table/FocusMark.h"
#include "ui/table/SeatLabel.h"
#include "ui/table/SeatOval.h"
#include "ui/table/TableArtwork.h"
#include "ui/table/TableLayout.h"
#include "ui/table/TurnRing.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace Qt::StringLiterals;
using namespace WindowStyle;

namespace {

struct ChainLabel
{
    const char *name;
    const char *caption;
    int top;
    int width;
};
// Steps 1..10, bottom to top.
constexpr ChainLabel Chain[] = {{"", "", 0, 0},
                                {"_500", "500", 432, 39},       {"_1000", "1,000", 392, 59},
                                {"_2000", "2,000", 352, 59},    {"_3000", "3,000", 312, 59},
                                {"_5000", "5,000", 272, 59},    {"_10000", "10,000", 232, 72},
                                {"_15000", "15,000", 192, 72},  {"_20000", "20,000", 152, 72},
                                {"_30000", "30,000", 112, 72},  {"_50000", "50,000", 72, 72}};

// Where the answers and the keys 1 and 2 beside them stand, in the answers' group.
constexpr int AnswerKeyLeft = 236;
constexpr int AnswerTop[] = {2, 29};
constexpr int AnswerHeight = 26;

QLabel *label(QWidget &table, const QString &name, QPoint at, const QFont &font, const QColor &colour)
{
    auto *l = new QLabel(&table);
    l->setObjectName(name);
    l->setFont(font);
    setTextColour(l, colour);
    l->move(at);
    return l;
}

// A key the player may press, written beside what it presses.
QLabel *keyHint(const QString &key, QPoint at, QWidget *parent)
{
    auto *hint = new QLabel(key, parent);
    hint->setFont(Fonts::font(Fonts::Family::MsSansSerif, 11));
    setTextColour(hint, Grey);
    hint->move(at);
    hint->adjustSize();
    hint->setAccessibleName(u"Клавиша: %1"_s.arg(key));
    return hint;
}

} // namespace

QString TableWidgets::chainStepName(int step, bool reached)
{
    const QString name = u"Цепочка: %1 рублей"_s.arg(GameEngine::chainValue(step));
    return reached ? name + u", набрано"_s : name;
}

void TableWidgets::build(QWidget &table)
{
    auto *image = new Backdrop(&TableArtwork::background, &table);
    image->setObjectName(u"Image1"_s);
    image->setGeometry(0, 0, 792, 600);

    buildSeats(table);
    buildChain(table);
    buildControls(table);
    buildCues(table);

    // The host's keys, in the top corner across from the notice.
    QLabel *speechKeys = keyHint(u"R — повтор, T — время, N — места"_s, QPoint(0, 28), &table);
    speechKeys->setObjectName(u"SpeechKeys"_s);
    speechKeys->setAccessibleName(u"Клавиши ведущего: R — повторить вопрос, T — сколько осталось времени, N — кто за каким местом"_s);
    speechKeys->move(table.width() - 8 - speechKeys->width(), 28);

    QWidget::setTabOrder(narration, answers);
    QWidget::setTabOrder(answers, startButton);
    QWidget::setTabOrder(startButton, bankButton);
    showLabelsAsPlainText(table);
}

void TableWidgets::buildSeats(QWidget &table)
{
    for (int seat = 1; seat <= SeatCount; ++seat) {
        auto *name = new SeatLabel(&table);
        name->setObjectName(u"Name%1"_s.arg(seat));
        name->setGeometry(QRect(TableLayout::NameLabel[seat], QSize(TableLayout::LabelWidth, TableLayout::LabelHeight)));
        name->setAlignment(Qt::AlignCenter);
        name->setNameFont(Fonts::font(Fonts::Family::ComicSans, 12));
        setTextColour(name, White);
        name->setCursor(Qt::PointingHandCursor);
        name->setText(u"Name%1"_s.arg(seat));
        name->setAccessibleName(u"Место %1"_s.arg(seat));
        name->setAccessibleDescription(u"Щелчок во время голосования — голос против этого игрока"_s);
        seatNames[seat] = name;
        // Under the labels: the whole oval round the name and its vote is the seat's target.
        auto *oval = new SeatOval(*name, TableLayout::seatOval(seat).toAlignedRect(), &table);
        oval->setObjectName(u"Oval%1"_s.arg(seat));
        oval->setCursor(Qt::PointingHandCursor);
        oval->stackUnder(name);

        auto *vote = new QLabel(&table);
        vote->setObjectName(u"_Name%1"_s.arg(seat));
        vote->setGeometry(QRect(TableLayout::NameLabel[seat] + QPoint(0, TableLayout::VoteLabelBelow),
                                QSize(TableLayout::LabelWidth, TableLayout::LabelHeight)));
        vote->setAlignment(Qt::AlignCenter);
        vote->setFont(Fonts::font(Fonts::Family::BookAntiqua, 12));
        setTextColour(vote, Red);
        vote->setText(u"_Name%1"_s.arg(seat));
        vote->setAttribute(Qt::WA_TransparentForMouseEvents);
        vote->setAccessibleName(u"Голос игрока за местом %1"_s.arg(seat));
        seatVotes[seat] = vote;
    }
}

void TableWidgets::buildChain(QWidget &table)
{
    const QFont font = Fonts::font(Fonts::Family::CenturyGothic, 24, true);
    for (int step = 1; step <= 10; ++step) {
        const ChainLabel &c = Chain[step];
        QLabel *l = label(table, QString::fromLatin1(c.name), QPoint(24, c.top), font, White);
        l->setText(QString::fromLatin1(c.caption));
        l->resize(std::max(c.width, l->sizeHint().width()), 28);
        l->setAccessibleName(chainStepName(step, false));
        chainSteps[step] = l;
    }
}

void TableWidgets::buildControls(QWidget &table)
{
    const QFont gothic = Fonts::font(Fonts::Family::CenturyGothic, 21, true);

    // "БАНК!" in the table's own colours, large, beside the foot of the chain.
    bankButton = new QPushButton(u"БАНК!"_s, &table);
    bankButton->setObjectName(u"Button2"_s);
    bankButton->setGeometry(24, 476, 150, 34);
    bankButton->setFont(Fonts::font(Fonts::Family::CenturyGothic, 21, true));
    bankButton->setStyleSheet(u"QPushButton { color: rgb(255, 215, 0); background: rgb(0, 90, 40);"
                              " border: 2px solid rgb(255, 215, 0); border-radius: 9px; }"
                              "QPushButton:pressed { background: rgb(0, 140, 60); }"_s);
    bankButton->setAccessibleName(u"Положить в банк"_s);

    QLabel *bankCaption = label(table, u"Label12"_s, QPoint(24, 512), gothic, Grey);
    bankCaption->setText(u"Банк:"_s);
    bankCaption->adjustSize();
    bankSum = label(table, u"Bank"_s, QPoint(24, 536), gothic, Yellow);
    bankSum->setText(u"0"_s);
    bankSum->adjustSize();
    bankSum->setAccessibleName(u"Банк раунда"_s);

    narration = new QPlainTextEdit(&table);
    narration->setObjectName(u"RichEdit1"_s);
    narration->setGeometry(352, 128, 249, 305);
    narration->setReadOnly(true);
    narration->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    narration->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    narration->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    narration->setFont(Fonts::font(Fonts::Family::MsSansSerif, 11));
    narration->setStyleSheet(u"QPlainTextEdit { background: black; color: white; }"_s);
    narration->setPlainText(u"RichEdit1"_s);
    narration->setAccessibleName(u"Ведущий"_s);
    narration->setAccessibleDescription(u"Всё, что говорит ведущий игры"_s);

    answers = new QGroupBox(&table);
    answers->setObjectName(u"RadioGroup1"_s);
    answers->setGeometry(352, 472, 249, 57);
    answers->setFlat(true);
    answers->setAutoFillBackground(true);
    // The answers take the focus themselves; their group is no stop of its own.
    answers->setFocusPolicy(Qt::NoFocus);
    answers->setAccessibleName(u"Варианты ответа"_s);
    QPalette pal = answers->palette();
    pal.setColor(QPalette::Window, Qt::black);
    answers->setPalette(pal);
    answerGroup = new QButtonGroup(answers);
    answerFont = Fonts::font(Fonts::Family::MsSansSerif, 11);
    for (int i = 0; i < 2; ++i) {
        auto *b = new QRadioButton(answers);
        b->setObjectName(u"RadioGroup1Item%1"_s.arg(i));
        // Up to the key hint beside it, which stands at AnswerKeyLeft; tall enough for a
        // long answer on two lines.
        b->setGeometry(8, AnswerTop[i], AnswerKeyLeft - 4 - 8, AnswerHeight);
        b->setFont(answerFont);
        setTextColour(b, Lime);
        b->setText(u"Item%1"_s.arg(i));
        b->setAccessibleName(u"Ответ %1"_s.arg(i + 1));
        answerGroup->addButton(b, i);
        answerButtons[size_t(i)] = b;
    }

    prize = new QLabel(&table);
    prize->setObjectName(u"_Summa"_s);
    prize->setGeometry(392, 552, 169, 21);
    prize->setAlignment(Qt::AlignCenter);
    prize->setFont(Fonts::font(Fonts::Family::NewsGothic, 16));
    setTextColour(prize, Yellow);
    prize->setText(u"_Summa"_s);
    prize->setAccessibleName(u"Выигрыш"_s);

    scoreboardTitle = label(table, u"Label1"_s, QPoint(696, 520), gothic, White);
    scoreboardTitle->setText(u"Время:"_s);
    scoreboardTitle->adjustSize();
    scoreboard = label(table, u"Label2"_s, QPoint(736, 552), Fonts::font(Fonts::Family::Terminal, 21, true), Aqua);
    scoreboard->setText(u"Label2"_s);
    scoreboard->resize(56, 18);
    scoreboard->setAccessibleName(u"Часы раунда"_s);

    startButton = new QPushButton(u"Начинаем"_s, &table);
    startButton->setObjectName(u"Button1"_s);
    startButton->setGeometry(656, 552, 75, 25);
    startButton->setAccessibleName(u"Начинаем"_s);

    QLabel *notice = label(table, u"Label3"_s, QPoint(8, 8), Fonts::font(Fonts::Family::Tahoma, 11), Fuchsia);
    notice->setText(u"© Команда «Зыбкоцепье», 2026"_s);
    notice->adjustSize();
    QLabel *edition = label(table, u"Label4"_s, QPoint(736, 584), Fonts::font(Fonts::Family::MsSansSerif, 11), Red);
    edition->setText(u"вер. 1.0"_s);
    edition->adjustSize();
    // Above the picture's frame line along the bottom (595 to 598), below the clock.
    edition->move(edition->x(), 593 - edition->height());
}

void TableWidgets::buildCues(QWidget &table)
{
    turnRing = new TurnRing(&table);
    turnRing->setObjectName(u"TurnRing"_s);
    // Over the picture, under the names.
    turnRing->stackUnder(seatNames[1]);

    const QFont cueFont = Fonts::font(Fonts::Family::CenturyGothic, 18, true);
    yourTurn = label(table, u"YourTurn"_s, QPoint(352, 440), cueFont, Yellow);
    yourTurn->setText(u"Ваш ход"_s);
    // Between the narration's frame and the answers' frame, touching neither.
    yourTurn->setGeometry(352, 441, 249, 24);
    yourTurn->setAlignment(Qt::AlignCenter);
    yourTurn->hide();

    // In the answers' frame, which the vote leaves empty: two lines have room there.
    voteInvitation = label(table, u"VoteInvitation"_s, QPoint(352, 472),
                           Fonts::font(Fonts::Family::MsSansSerif, 13, true), Yellow);
    voteInvitation->setText(u"Голосование: щёлкните по имени игрока, которого хотите выгнать"_s);
    voteInvitation->setGeometry(352, 472, 249, 57);
    voteInvitation->setAlignment(Qt::AlignCenter);
    voteInvitation->setWordWrap(true);
    voteInvitation->hide();

    announcer = new Announcer(&table);
    // Where Space and Enter go, plainly visible on the black table.
    new FocusMark(&table);

    // What the player's keys do, by the controls they press.
    for (int i = 0; i < 2; ++i) {
        QLabel *key = keyHint(QString::number(i + 1), QPoint(AnswerKeyLeft, 0), answers);
        key->move(AnswerKeyLeft, AnswerTop[i] + (AnswerHeight - key->height()) / 2);
    }
    // The keys of the two buttons show and hide with them.
    bankKey = keyHint(u"B"_s, QPoint(180, 486), &table);
    bankKey->setObjectName(u"BankKey"_s);
    bankKey->setVisible(bankButton->isVisibleTo(&table));
    startKey = keyHint(u"Enter"_s, QPoint(612, 558), &table);
    startKey->setObjectName(u"StartKey"_s);
    // Its text says whether the sound is on.
    soundKey = keyHint(u"M"_s, QPoint(0, 8), &table);
    soundKey->setObjectName(u"SoundKey"_s);

    // The answers look inactive when the player may not choose.
    QPalette pal = answers->palette();
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        pal.setColor(QPalette::Disabled, role, QColor(100, 100, 100));
    pal.setColor(QPalette::Disabled, QPalette::Base, QColor(60, 60, 60));
    for (QRadioButton *b : answerButtons) {
        QPalette own = b->palette();
        for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text, QPalette::Base})
            own.setColor(QPalette::Disabled, role, pal.color(QPalette::Disabled, role));
        b->setPalette(own);
    }

    const QString endStyle = u"QPushButton { color: rgb(255, 215, 0); background: rgb(0, 90, 40);"
                             " border: 2px solid rgb(255, 215, 0); border-radius: 8px; }"
                             "QPushButton:pressed { background: rgb(0, 140, 60); }"_s;
    toMenu = new QPushButton(u"В меню"_s, &table);
    toMenu->setObjectName(u"ToMenu"_s);
    toMenu->setGeometry(360, 480, 112, 34);
    hallOfFame = new QPushButton(u"Зал почёта"_s, &table);
    hallOfFame->setObjectName(u"HallOfFame"_s);
    hallOfFame->setGeometry(482, 480, 112, 34);
    gameQuestions = new QPushButton(u"Вопросы этой игры"_s, &table);
    gameQuestions->setObjectName(u"GameQuestions"_s);
    gameQuestions->setGeometry(yourTurn->geometry());
    for (QPushButton *b : {toMenu, hallOfFame, gameQuestions}) {
        b->setFont(Fonts::font(Fonts::Family::CenturyGothic, b == gameQuestions ? 11 : 16, true));
        b->setStyleSheet(endStyle);
        b->hide();
    }
}
