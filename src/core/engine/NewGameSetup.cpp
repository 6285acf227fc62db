// "Играть": seats the players, draws skills and names, loads the question base and
// opens the game window.
#include "core/engine/GameEngine.h"

#include "core/data/DataFiles.h"
#include "core/data/LineStore.h"
#include "core/data/NamesBase.h"
#include "core/data/QuestionBase.h"
#include "core/engine/RandomSource.h"

using namespace Qt::StringLiterals;

namespace {

const QString QuickFinalName = u"HiddenRover"_s;

} // namespace

int GameEngine::skillLevel(int v)
{
    if (v <= 1) return 0;
    if (v <= 10) return 1;
    if (v <= 20) return 2;
    if (v <= 40) return 3;
    if (v <= 60) return 4;
    if (v <= 80) return 5;
    if (v <= 95) return 6;
    return 7;
}

Status GameEngine::NewGame(LineStore &namesList)
{
    // Both files are read and checked before anything changes, so that a game that
    // cannot be played leaves the menu and the last game exactly as they were.
    const QString namesName = QString::fromLatin1(DataFiles::NamesBase);
    LineStore names;
    if (Status s = names.load(DataFiles::path(m_dataDir, namesName), namesName); !s)
        return s;
    const QStringList drawable = NamesBase::drawable(names.lines());
    const int distinct = NamesBase::distinctSeatable(drawable, M.PlayerName);
    if (distinct < NamesBase::NeededForDraw) {
        return Status::failure(
            u"В базе имён %1 слишком мало имён"_s.arg(namesName),
            u"Для игры нужно не меньше %1 разных имён, не считая имени игрока, а в файле %2 их %3. "
            u"Добавьте имена в окне «Настройка...»."_s.arg(NamesBase::NeededForDraw).arg(namesName).arg(distinct));
    }

    const QString questionsName = QString::fromLatin1(DataFiles::QuestionBase);
    LineStore questions;
    if (Status s = questions.load(DataFiles::path(m_dataDir, questionsName), questionsName); !s)
        return s;
    QuestionBase::Index index = QuestionBase::index(questions.lines());
    if (index.starts.isEmpty()) {
        return Status::failure(
            u"В базе вопросов %1 нет ни одного вопроса"_s.arg(questionsName),
            u"В файле %1 нет ни одного вопроса, который можно задать (блок из пяти строк: «?», вопрос, "
            u"два ответа и номер верного ответа 0 или 1). Добавьте вопросы в окне «Настройка...»."_s.arg(questionsName));
    }

    M.PlayerSeat = m_random.random(SeatCount) + 1;
    M.SeatNames[M.PlayerSeat] = M.PlayerName;
    for (int seat = 1; seat <= SeatCount; ++seat)
        m_view.setNameVisible(seat, true);
    for (int seat = 1; seat <= SeatCount; ++seat)
        G.SeatSkill[seat] = skillLevel(m_random.random(100) + 1);
    G.SeatRoundScore.fill(0);

    namesList.setLines(drawable);
    const int n = namesList.count();
    for (int seat = 1; seat <= SeatCount; ++seat) {
        if (seat == M.PlayerSeat)
            continue;
        QString candidate;
        for (;;) {
            candidate = namesList.at(m_random.random(n));
            if (seat == 1) {
                if (candidate != M.PlayerName)
                    break;
            } else if (std::find(M.SeatNames.begin() + 1, M.SeatNames.end(), candidate) == M.SeatNames.end()) {
                break;
            }
        }
        M.SeatNames[seat] = candidate;
    }

    const bool quickFinal = M.PlayerName == QuickFinalName;
    if (!quickFinal) {
        for (int seat = 1; seat <= SeatCount; ++seat)
            m_view.setNameCaption(seat, M.SeatNames[seat]);
    } else {
        for (int seat : {1, 2, 3, 6, 7, 8})
            m_view.setNameVisible(seat, false);
        // The opponent is the name drawn for seat 5; when the human was seated there, the
        // name drawn for seat 4 moves to seat 5.
        if (M.PlayerSeat == 5)
            M.SeatNames[5] = M.SeatNames[4];
        m_view.setNameCaption(4, M.PlayerName);
        m_view.setNameCaption(5, M.SeatNames[5]);
        M.SeatNames[4] = M.PlayerName;
        M.PlayerSeat = 4;
        for (int seat : {1, 2, 3, 6, 7, 8})
            M.SeatNames[seat] = EmptySeat;
        G.FinalistA = M.PlayerName;
        G.FinalistB = M.SeatNames[5];
    }
    for (int seat = 1; seat <= SeatCount; ++seat)
        m_view.setVoteVisible(seat, false);

    M.ChainStep = 0;
    M.BankedSum = 0;
    M.PrizeTotal = 0;
    m_view.setCaption(GameView::Caption::Bank, u"0"_s);
    m_view.setCaption(GameView::Caption::Summa, u"0"_s);
    m_view.setVisible(GameView::Element::Summa, false);
    ShowChain();

    m_view.clearNarration();
    m_view.setVisible(GameView::Element::Answers, false);
    setHumanMayAnswer(false);
    m_view.setCaption(GameView::Caption::Button1, u"Начинаем"_s);
    setButton1(true);
    setButton2(false);
    m_view.setVisible(GameView::Element::Label2, false);
    m_view.setCaption(GameView::Caption::Label1, u"Время:"_s);

    m_view.appendNarration(u"Добро пожаловать на программу ЗЫБКОЦЕПЬЕ"_s);
    m_view.appendNarration(u"Каждый из восьми участников, которые находятся здесь сегодня, не знают друг друга, но чтобы выиграть большой приз, они должны стать командой"_s);
    m_view.appendNarration(u"Однако, все знают, что приз получит только один из них"_s);
    m_view.appendNarration(u"Ведь раунд за раундом, мы будем терять игроков, тех, кого команда назовет ЗЫБКОЦЕПЬЕМ"_s);
    m_view.appendNarration(u"В каждом раунде выигрышной суммой станут те деньги, которые вы успеете положить в банк, отвечая на вопросы"_s);
    m_view.appendNarration(u"Можно получить сразу 50,000 рублей, ответив правильно на 10 вопросов, но если ваш ответ оказывается не правильным, вы разрываете цепь верных ответов"_s);
    m_view.appendNarration(u"На первый раунд у вас 150 секунд или же 2 минуты 30 секунд. Мы начнем с игрока, кто стоит левее всех на игровом поле"_s);
    // In the quick final seat 1 is empty; the human answers first there.
    m_view.appendNarration(u"Это вы, "_s + (quickFinal ? M.PlayerName : M.SeatNames[1]));

    setVoteOpen(false);
    m_view.markAskedSeat(0);
    M.RoundNo = 1;
    if (!quickFinal) {
        M.SecondsLeft = 150;
        m_view.showClock(150);
        M.TurnSeat = 1;
    } else {
        M.RoundNo = 8;
    }

    LineStore &questionStore = m_view.store(GameView::Store::ListBox1);
    questionStore = std::move(questions);
    M.QuestionCount = int(index.starts.size());
    M.QuestionStarts = std::move(index.starts);
    m_unasked.rebuild(M.QuestionCount, m_view.store(GameView::Store::ListBox2));

    m_view.showWindow();
    return Status::success();
}
