#include "screen/TablePresenter.h"

#include "screen/TableScreen.h"

using namespace Qt::StringLiterals;

void TablePresenter::tableSeated(const PerSeat<QString> &names, int playerSeat)
{
    m_names = names;
    m_away.fill(false);
    m_playerSeat = playerSeat;
    m_playerOut = playerSeat == 0;  // the player only runs the show
    m_duelSeatA = 0;
    for (int seat = 1; seat <= SeatCount; ++seat)
        m_screen.setSeatNameShown(seat, true);
    for (int seat = 1; seat <= SeatCount; ++seat) {
        if (names[seat] == EmptySeat)
            m_screen.setSeatNameShown(seat, false);
    }
    for (int seat = 1; seat <= SeatCount; ++seat) {
        if (names[seat] != EmptySeat)
            m_screen.showSeatName(seat, names[seat]);
    }
    for (int seat = 1; seat <= SeatCount; ++seat)
        m_screen.setSeatVotesShown(seat, false);
    m_screen.showBank(0);
    m_screen.showPrize(0);
    m_screen.setPrizeShown(false);
    m_screen.markChainStep(0);
    m_screen.clearNarration();
    m_screen.setAnswersShown(false);
    m_screen.setAnswersEnabled(false);
    m_screen.setStartButtonText(u"Начинаем"_s);
    m_screen.setStartButtonShown(true);
    m_screen.offerBank(false);
    m_screen.setScoreboardShown(false);
    m_screen.setScoreboardTitle(u"Время:"_s);
    m_screen.setVoteOpen(false);
    m_screen.markAskedSeat(0);
}

void TablePresenter::hostSays(const QString &line) { m_screen.appendNarration(line); }

void TablePresenter::hostPauses() { m_screen.appendNarration(QString()); }

void TablePresenter::roundStarted(int, int seconds, int prize, const PerSeat<QString> &seated)
{
    // A player voted off stays on the table, under the votes, until now.
    m_names = seated;
    for (int seat = 1; seat <= SeatCount; ++seat) {
        if (seated[seat] == EmptySeat)
            m_screen.setSeatNameShown(seat, false);
        m_screen.setSeatVotesShown(seat, false);
    }
    m_screen.markChainStep(0);
    m_screen.setVoteOpen(false);
    m_screen.showClock(seconds);
    m_screen.showBank(0);
    m_screen.showPrize(prize);
    m_screen.setPrizeShown(false);
    m_screen.setStartButtonShown(false);
    m_screen.setScoreboardShown(true);
    m_screen.clearNarration();
}

void TablePresenter::clockShows(int seconds) { m_screen.showClock(seconds); }

void TablePresenter::questionPut(const Question &question)
{
    if (!question.opensRound)
        m_screen.clearNarration();
    m_screen.appendNarration(question.name + u", "_s + question.text);
    m_screen.clearAnswers();
    for (int i = 0; i < 2; ++i) {
        m_answers[i] = question.answers[i];
        m_screen.appendAnswer(question.answers[i]);
    }
    m_screen.markAskedSeat(place(question.seat));
    m_screen.setAnswersShown(true);
    m_screen.selectNoAnswer();
}

void TablePresenter::answerAwaited(int seat) { m_screen.setAnswersEnabled(seat == m_playerSeat); }

void TablePresenter::answerJudged(const Verdict &verdict)
{
    m_screen.setAnswersEnabled(false);
    if (verdict.seat != m_playerSeat) {
        sayAtSeat(verdict.seat, m_answers[verdict.chosen & 1]);
        m_screen.appendNarration(QString());
        m_screen.appendNarration(QString());
    }
    m_screen.showVerdict(verdict.chosen, verdict.right);
    m_screen.appendNarration(verdict.hostWord);
    if (verdict.duel) {
        m_screen.showDuelScore(verdict.scoreA, verdict.scoreB);
    } else {
        m_screen.showBank(verdict.bank);
        m_screen.markChainStep(verdict.chainStep);
    }
}

void TablePresenter::bankOffered(int seat) { m_screen.offerBank(seat != 0 && seat == m_playerSeat); }

void TablePresenter::banked(int seat, int bank)
{
    sayAtSeat(seat, u"БАНК!"_s);
    m_screen.showBank(bank);
    m_screen.markChainStep(0);
}

void TablePresenter::roundEnded(int)
{
    m_screen.clearNarration();
    m_screen.offerBank(false);
    m_screen.setAnswersShown(false);
    m_screen.markAskedSeat(0);
    m_screen.setAnswersEnabled(false);
}

void TablePresenter::prizeChanged(int prize)
{
    m_screen.showPrize(prize);
    m_screen.setPrizeShown(true);
}

// At a table with friends the game goes on after the player is voted off: the player
// watches, and votes no more.
void TablePresenter::voteOpened() { m_screen.setVoteOpen(!m_playerOut); }

void TablePresenter::votedOff(int seat) { m_playerOut = m_playerOut || seat == m_playerSeat; }

void TablePresenter::voteClosed()
{
    m_screen.setVoteOpen(false);
    for (int seat = 1; seat <= SeatCount; ++seat) {
        m_screen.showSeatVotes(seat, QString());
        m_screen.setSeatVotesShown(seat, true);
    }
}

void TablePresenter::seatVoted(int seat, int votedFor) { m_screen.showSeatVotes(seat, m_names[votedFor]); }

void TablePresenter::votesCounted() { m_screen.clearNarration(); }

void TablePresenter::startAwaited(int) { m_screen.setStartButtonShown(true); }

void TablePresenter::finalistsSeated(int seatA, const QString &nameA, int seatB, const QString &nameB)
{
    m_duelSeatA = seatA;
    m_screen.showSeatName(4, m_away[seatA] ? seatName(seatA) : nameA);
    m_screen.setSeatNameShown(4, true);
    m_screen.showSeatName(5, m_away[seatB] ? seatName(seatB) : nameB);
    m_screen.setSeatNameShown(5, true);
    for (int seat : {1, 2, 3, 6, 7, 8})
        m_screen.setSeatNameShown(seat, false);
}

void TablePresenter::duelScoreChanged(int scoreA, int scoreB)
{
    m_screen.setScoreboardTitle(u"СЧЕТ"_s);
    m_screen.showDuelScore(scoreA, scoreB);
    m_screen.setScoreboardShown(true);
    m_screen.setStartButtonShown(false);
}

void TablePresenter::gameOver(const Ending &)
{
    m_screen.setStartButtonShown(false);
    m_screen.setAnswersShown(false);
    m_screen.markAskedSeat(0);
    m_screen.showGameOver();
}

void TablePresenter::failed(const Status &status) { m_screen.reportFailure(status); }

int TablePresenter::place(int seat) const
{
    if (m_duelSeatA == 0)
        return seat;
    return seat == m_duelSeatA ? 4 : 5;
}

void TablePresenter::sayAtSeat(int seat, const QString &words)
{
    m_screen.appendNarration(QString());
    m_screen.appendNarration(m_names[seat] + u":"_s);
    m_screen.appendNarration(words);
}

QString TablePresenter::seatName(int seat) const
{
    return m_away[seat] ? m_names[seat] + u" (нет связи)"_s : m_names[seat];
}

void TablePresenter::showPresence(int seat, bool connected)
{
    if (seat < 1 || seat > SeatCount || m_away[seat] == !connected || m_names[seat] == EmptySeat)
        return;
    m_away[seat] = !connected;
    m_screen.showSeatName(place(seat), seatName(seat));
}
