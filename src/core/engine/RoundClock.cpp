// "Начинаем", the round clock and the end of a round.
#include "core/engine/GameEngine.h"

#include "core/engine/RandomSource.h"

using namespace Qt::StringLiterals;

void GameEngine::Button1Click()
{
    if (!m_button1Shown)
        return;
    G.SeatRoundScore.fill(0);
    if (M.RoundNo < 8)
        startRound();
    else
        startDuel();
}

void GameEngine::startRound()
{
    for (int seat = 1; seat <= SeatCount; ++seat) {
        if (!m_state.isOccupied(seat))
            m_view.setNameVisible(seat, false);
        m_view.setVoteVisible(seat, false);
    }
    M.ChainStep = 0;
    ShowChain();
    setVoteOpen(false);
    m_view.showClock(M.SecondsLeft);
    M.TurnSeat = 1;
    M.BankedSum = 0;
    m_view.setCaption(GameView::Caption::Bank, u"0"_s);
    m_view.setCaption(GameView::Caption::Summa, QString::number(M.PrizeTotal));
    m_view.setVisible(GameView::Element::Summa, false);
    setButton1(false);
    m_view.setVisible(GameView::Element::Label2, true);

    G.CurrentQuestion = m_random.random(M.QuestionCount);

    m_view.clearNarration();
    m_view.appendNarration(u"У вас есть %1 секунд на этот раунд. Время пошло!"_s.arg(M.SecondsLeft));
    m_view.setTimerActive(GameView::Timer::Timer1, true);

    for (int step = 0; step < SeatCount && !m_state.isOccupied(M.TurnSeat); ++step)
        ++M.TurnSeat;

    // The first question comes from the whole base and is not recorded as put.
    putQuestion(G.CurrentQuestion, M.SeatNames[M.TurnSeat]);
    offerAnswer();
}

void GameEngine::Timer1Timer()
{
    if (M.SecondsLeft > 0) {
        --M.SecondsLeft;
        m_view.showClock(M.SecondsLeft);
        return;
    }
    endRound();
}

void GameEngine::findStrongAndWeak()
{
    // Ties go to the lower seat. When nobody scored, both are the lowest occupied seat
    // (never an empty one).
    int strong = 1;
    while (strong < SeatCount && !m_state.isOccupied(strong))
        ++strong;
    int best = 0;
    for (int seat = 1; seat <= SeatCount; ++seat) {
        if (G.SeatRoundScore[seat] > best) {
            strong = seat;
            best = G.SeatRoundScore[seat];
        }
    }
    G.StrongSeat = strong;

    int weak = strong;
    int lowest = G.SeatRoundScore[strong];
    for (int seat = 1; seat <= SeatCount; ++seat) {
        if (m_state.isOccupied(seat) && G.SeatRoundScore[seat] < lowest) {
            weak = seat;
            lowest = G.SeatRoundScore[seat];
        }
    }
    G.WeakSeat = weak;
}

void GameEngine::endRound()
{
    m_view.setTimerActive(GameView::Timer::Timer1, false);
    m_view.setTimerActive(GameView::Timer::Timer2, false);
    m_view.setTimerActive(GameView::Timer::Timer3, false);
    m_view.clearNarration();
    setButton2(false);
    m_view.setVisible(GameView::Element::Answers, false);
    m_view.markAskedSeat(0);
    setHumanMayAnswer(false);
    findStrongAndWeak();

    const QString banked = QString::number(M.BankedSum);
    if (M.RoundNo < 7) {
        M.PrizeTotal += M.BankedSum;
        m_view.setCaption(GameView::Caption::Summa, QString::number(M.PrizeTotal));
        m_view.setVisible(GameView::Element::Summa, true);

        G.PhrasePick = m_random.random(5);
        switch (G.PhrasePick) {
        case 0:
            m_view.appendNarration(u"Раунд завершился. Вы смогли положить в банк %1 рублей. Так что сумма выигрыша сейчас составляет %2 рублей."_s
                                       .arg(banked, QString::number(M.PrizeTotal)));
            break;
        case 1: m_view.appendNarration(u"Время кончилось. Вы напряглись и выиграли "_s + banked); break;
        case 2: m_view.appendNarration(u"Секундомер на 0. В этом раунде вы положили в банк "_s + banked); break;
        case 3: m_view.appendNarration(u"Раунд завершен. Для вас он стоил %1 рублей"_s.arg(banked)); break;
        default: m_view.appendNarration(u"На этот раз вы смогли положить в банк "_s + banked); break;
        }

        if (M.BankedSum < 1000)
            m_view.appendNarration(u"Вы смогли посмешить публику такой безобразной игрой!"_s);
        else if (M.BankedSum < 5000)
            m_view.appendNarration(u"Как говориться, СЛАБЫМ ПРИЗА НЕ ВИДАТЬ! Вы опозорились в этом раунде!"_s);
        else if (M.BankedSum < 10000)
            m_view.appendNarration(u"Вы положили в банк смешную сумму. Это совсем не по-русски. Вы сдаете свои позиции. Хватит класть в банк по 500 рублей. Не будьте шутами!"_s);
        else
            m_view.appendNarration(u"Мы рады, что вы сыграли не как цыплята. Молодцы!"_s);

        m_view.appendNarration(u"Кто же играет не так как все. Кому пришло время покинуть игровую площадку. Сейчас мы узнаем, кто на ваш взгляд самое зыбкоцепье!"_s);
        setVoteOpen(true);
        return;
    }

    // Round 7: the bank counts double and the two players left meet in the final.
    M.PrizeTotal += 2 * M.BankedSum;
    m_view.setCaption(GameView::Caption::Summa, QString::number(M.PrizeTotal));
    m_view.setVisible(GameView::Element::Summa, true);
    m_view.appendNarration(u"Ну, что же. Финальный приз игры определен. Он составляет сегодня %1 рублей."_s
                               .arg(M.PrizeTotal));
    m_view.appendNarration(u"Сейчас вас ждет встреча в финале."_s);
    setVoteOpen(false);
    G.FinalistA.clear();
    G.FinalistB.clear();
    for (int seat = 1; seat <= SeatCount; ++seat) {
        if (!m_state.isOccupied(seat))
            continue;
        if (G.FinalistA.isEmpty())
            G.FinalistA = M.SeatNames[seat];
        else if (G.FinalistB.isEmpty())
            G.FinalistB = M.SeatNames[seat];
    }
    m_view.appendNarration(u"Сейчас вы, %1, и вы, %2 встретитесь лицом к лицу. Победит сильнейший."_s
                               .arg(G.FinalistA, G.FinalistB));
    M.RoundNo = 8;
    setButton1(true);
}
