#include "ui/table/KeyboardPlay.h"

#include "core/engine/GameEngine.h"
#include "ui/look/Announcer.h"
#include "ui/sound/SoundControl.h"
#include "ui/sound/SoundSettings.h"
#include "ui/speech/Narrator.h"
#include "ui/table/SeatLabel.h"
#include "ui/table/TableWidgets.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>

using namespace Qt::StringLiterals;

namespace {

// The property that keeps a control's own accessible description while it carries the
// last narration line.
constexpr char FixedDescription[] = "zybFixedDescription";

// What the table shows the player may do, said for those who play by ear.
QString hint(KeyboardPlay::Offer offer)
{
    switch (offer) {
    case KeyboardPlay::Offer::Start:
        return u"Чтобы начать, нажмите Enter"_s;
    case KeyboardPlay::Offer::Bank:
        return u"B — положить в банк"_s;
    case KeyboardPlay::Offer::Vote:
        return u"Голосование: нажмите номер места игрока, которого хотите выгнать. N — кто за каким местом"_s;
    }
    return QString();
}

} // namespace

KeyboardPlay::KeyboardPlay(QWidget &table, const TableWidgets &widgets, GameEngine &engine)
    : m_table(table)
    , m_widgets(widgets)
    , m_engine(engine)
{
    connect(qApp, &QApplication::focusChanged, this, [](QWidget *old, QWidget *) { restoreDescription(old); });
}

void KeyboardPlay::setNarrator(Narrator *narrator)
{
    m_narrator = narrator;
    // The host's words of each step are told to a screen reader too, voice or no voice.
    if (narrator)
        connect(narrator, &Narrator::stepTold, this, &KeyboardPlay::announce);
}

void KeyboardPlay::setSounds(SoundControl *sounds)
{
    m_sounds = sounds;
}

void KeyboardPlay::installKeys()
{
    // Space and Enter act on the control that has the focus, as in every dialog; B banks while
    // "БАНК!" is offered, M turns the sound off and on at any moment.
    auto shortcut = [this](QList<QKeySequence> keys, auto slot) {
        auto *s = new QShortcut(&m_table);
        s->setKeys(keys);
        connect(s, &QShortcut::activated, this, slot);
        // Both letters of a key may match one press (the Latin one through the keyboard's
        // Latin layout): Qt calls that ambiguous, though both mean the same.
        connect(s, &QShortcut::activatedAmbiguously, this, slot);
    };
    // A letter key works on a Russian layout too, where the same key gives a Cyrillic letter.
    // Qt falls back to the Latin letter only when the keyboard has a Latin layout as well;
    // a Russian-only keyboard needs the Cyrillic one named.
    auto letter = [](Qt::Key latin, char16_t russian) {
        return QList<QKeySequence>{QKeySequence(latin), QKeySequence(int(russian))};
    };
    // 1 and 2 answer; while the vote is open, 1..8 vote against the player at that seat.
    for (int digit = 1; digit <= SeatCount; ++digit)
        shortcut({QKeySequence(Qt::Key_0 + digit)}, [this, digit] { digitPressed(digit); });
    for (auto key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter})
        shortcut({QKeySequence(key)}, &KeyboardPlay::pressFocused);
    shortcut(letter(Qt::Key_B, u'И'), [this] {
        if (m_widgets.bankButton->isVisible())
            m_widgets.bankButton->click();
    });
    shortcut(letter(Qt::Key_M, u'Ь'), &KeyboardPlay::toggleSound);
    // Play by ear: the host repeats the question (R), tells the time left (T) and who sits
    // where (N).
    shortcut(letter(Qt::Key_R, u'К'), &KeyboardPlay::repeatPressed);
    shortcut(letter(Qt::Key_T, u'Е'), &KeyboardPlay::timePressed);
    shortcut(letter(Qt::Key_N, u'Т'), &KeyboardPlay::seatsPressed);
}

void KeyboardPlay::setOffered(Offer offer, bool offered)
{
    if (!m_narrator)
        return;
    if (offered)
        m_narrator->hintShown(hint(offer));
    else
        m_narrator->hintHidden(hint(offer));
}

void KeyboardPlay::announce(const QString &words)
{
    if (!words.isEmpty() && m_table.isActiveWindow() && m_widgets.announcer)
        m_widgets.announcer->say(words);
}

void KeyboardPlay::describeFocus(const QString &line)
{
    // The line becomes the description of the control that has the focus until the focus
    // moves on: a screen reader says it with the control.
    if (line.isEmpty() || !m_table.isActiveWindow())
        return;
    QWidget *focus = m_table.focusWidget() ? m_table.focusWidget() : &m_table;
    if (!focus->property(FixedDescription).isValid())
        focus->setProperty(FixedDescription, focus->accessibleDescription());
    focus->setAccessibleDescription(line);
}

void KeyboardPlay::restoreDescription(QWidget *widget)
{
    if (!widget || !widget->property(FixedDescription).isValid())
        return;
    widget->setAccessibleDescription(widget->property(FixedDescription).toString());
    widget->setProperty(FixedDescription, QVariant());
}

void KeyboardPlay::toggleSound()
{
    // The stored setting is the one the settings window may have changed meanwhile.
    const bool on = !SoundSettings::isOn();
    SoundSettings::storeOn(on);
    if (m_sounds)
        m_sounds->setOn(on);
    showSoundState(on);
}

void KeyboardPlay::showSoundState(bool on)
{
    QLabel *key = m_widgets.soundKey;
    key->setText(on ? u"Звук: вкл. (M)"_s : u"Звук: выкл. (M)"_s);
    key->setAccessibleName(on ? u"Звук включён, клавиша M"_s : u"Звук выключен, клавиша M"_s);
    key->adjustSize();
    // Right-aligned in the top corner, across from the notice.
    key->move(m_table.width() - 8 - key->width(), 8);
}

void KeyboardPlay::pressFocused()
{
    QWidget *focus = m_table.focusWidget();
    if (auto *button = qobject_cast<QAbstractButton *>(focus); button && button->isVisible() && button->isEnabled())
        button->click();
    else if (auto *seat = qobject_cast<SeatLabel *>(focus))
        seat->press();
    else if (m_widgets.startButton->isVisible())
        m_widgets.startButton->click();
}

void KeyboardPlay::answerByKey(int index)
{
    QRadioButton *b = m_widgets.answerButtons[size_t(index)];
    if (m_widgets.answers->isVisible() && m_widgets.answers->isEnabled())
        b->click();
}

void KeyboardPlay::digitPressed(int digit)
{
    // While the vote is open the answers are hidden: a digit names a seat.
    if (m_engine.state().vote.open)
        m_engine.seatVoted(m_engine.state().table.playerSeat, digit);
    else if (digit <= 2)
        answerByKey(digit - 1);
}

void KeyboardPlay::repeatPressed()
{
    if (!m_narrator)
        return;
    // The question while its answers are up; between rounds, what the host said last.
    if (m_widgets.answers->isVisibleTo(&m_table)) {
        announce(m_narrator->question());
        m_narrator->repeatQuestion();
    } else {
        announce(m_narrator->lastWords().join(u' '));
        m_narrator->repeatLastWords();
    }
}

void KeyboardPlay::timePressed()
{
    const GameState &state = m_engine.state();
    if (state.inDuel()) {
        answerAside(u"Счёт: %1 — %2, %3 — %4"_s.arg(state.duel.finalistA).arg(state.duel.scoreA)
                        .arg(state.duel.finalistB).arg(state.duel.scoreB));
    } else if (m_engine.timers().isActive(GameTimers::Timer::RoundClock)) {
        answerAside(Narrator::secondsLeft(state.round.secondsLeft));
    } else {
        answerAside(u"Раунд не идёт"_s);
    }
}

void KeyboardPlay::seatsPressed()
{
    // The names as the table shows them: in the duel the two finalists face each other.
    const QString player = m_engine.state().table.playerName;
    QList<std::pair<int, QString>> seated;
    for (int seat = 1; seat <= SeatCount; ++seat) {
        const SeatLabel *name = m_widgets.seatNames[size_t(seat)];
        if (name->isHidden() || name->text().isEmpty())
            continue;
        seated.append({seat, name->text() == player ? name->text() + u", это вы"_s : name->text()});
    }
    answerAside(Narrator::seats(seated));
}

void KeyboardPlay::answerAside(const QString &text)
{
    announce(text);
    if (m_narrator)
        m_narrator->sayAside(text);
}
