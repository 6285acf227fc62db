#include "net/Protocol.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QStringEncoder>

#include <cmath>

using namespace Qt::StringLiterals;

namespace Protocol {

namespace {

// JSON numbers are doubles; a field in range is a whole number between `low` and `high`.
bool wholeNumber(const QJsonValue &value, qint64 low, qint64 high, qint64 *out)
{
    if (!value.isDouble())
        return false;
    const double d = value.toDouble();
    if (!std::isfinite(d) || d != std::floor(d) || d < double(low) || d > double(high))
        return false;
    *out = qint64(d);
    return true;
}

bool isHex(const QString &text)
{
    for (QChar c : text) {
        if (!((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f')))
            return false;
    }
    return true;
}

bool isPlainWord(const QString &text)
{
    if (text.size() > 16)
        return false;
    for (QChar c : text) {
        if (!((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')))
            return false;
    }
    return true;
}

Parsed refuse(const QString &what, const QString &reason)
{
    Parsed p;
    p.what = what;
    p.refusal = reason;
    return p;
}

const QString Malformed = u"Непонятное сообщение"_s;

using Kind = Message::Kind;

// `fields` with the version and `type` added.
Message make(Kind kind, const QString &type, QJsonObject fields = {})
{
    fields.insert(u"v"_s, Version);
    fields.insert(u"type"_s, type);
    return {kind, QString::fromUtf8(QJsonDocument(fields).toJson(QJsonDocument::Compact))};
}

QJsonArray numbers(const QList<int> &values)
{
    QJsonArray array;
    for (int value : values)
        array.append(value);
    return array;
}

} // namespace

Parsed parse(const QString &text)
{
    if (text.size() > MaxMessageBytes || text.toUtf8().size() > MaxMessageBytes)
        return refuse({}, u"Слишком длинное сообщение"_s);
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return refuse({}, Malformed);
    const QJsonObject object = document.object();
    const QString type = object.value(u"type"_s).toString();
    // The type goes back in the refusal: only a short plain word of it.
    const QString what = isPlainWord(type) ? type : QString();
    qint64 version = 0;
    if (!wholeNumber(object.value(u"v"_s), 0, 1000, &version) || version != Version)
        return refuse(what, u"Версия страницы не подходит к игре: обновите страницу"_s);

    Parsed p;
    Request &r = p.request;
    qint64 number = 0;
    if (type == u"join") {
        r.type = Request::Type::Join;
        const QJsonValue code = object.value(u"code"_s);
        const QJsonValue name = object.value(u"name"_s);
        if (!code.isString() || !name.isString() || code.toString().size() > 16 || name.toString().size() > 64)
            return refuse(what, Malformed);
        r.code = code.toString().trimmed().toUpper();
        if (QString reason = nameRefusal(name.toString(), &r.name); !reason.isEmpty())
            return refuse(what, reason);
    } else if (type == u"resume") {
        r.type = Request::Type::Resume;
        r.secret = object.value(u"secret"_s).toString();
        if (r.secret.size() != 32 || !isHex(r.secret))
            return refuse(what, Malformed);
    } else if (type == u"answer") {
        r.type = Request::Type::Answer;
        if (!wholeNumber(object.value(u"answer"_s), 0, 1, &number))
            return refuse(what, Malformed);
        r.answer = int(number);
        if (!wholeNumber(object.value(u"question"_s), 1, qint64(1) << 52, &r.question))
            return refuse(what, Malformed);
    } else if (type == u"bank") {
        r.type = Request::Type::Bank;
    } else if (type == u"vote") {
        r.type = Request::Type::Vote;
        if (!wholeNumber(object.value(u"seat"_s), 1, 8, &number))
            return refuse(what, Malformed);
        r.seat = int(number);
    } else {
        return refuse(what, u"Неизвестное сообщение"_s);
    }
    p.ok = true;
    p.what = type;
    return p;
}

QString nameRefusal(const QString &name, QString *trimmed)
{
    const QString kept = name.trimmed();
    if (trimmed)
        *trimmed = kept;
    if (kept.isEmpty())
        return u"Введите имя"_s;
    for (QChar c : kept) {
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format
            || c.category() == QChar::Separator_Line || c.category() == QChar::Separator_Paragraph)
            return u"В имени есть невидимые знаки"_s;
    }
    QStringEncoder cp1251("windows-1251");
    const QByteArray bytes = cp1251.encode(kept);
    if (cp1251.hasError())
        return u"В имени есть знаки, которых игра не может сохранить"_s;
    if (kept.size() > MaxNameLength)
        return u"Имя длиннее %1 знаков"_s.arg(MaxNameLength);
    // "0" marks an empty seat, "!" starts a record in the winners file.
    if (kept == u"0" || kept == u"!")
        return u"Такое имя взять нельзя"_s;
    return {};
}

Message welcome(const QString &secret, const QString &name)
{
    return make(Kind::Welcome, u"welcome"_s, {{u"secret"_s, secret}, {u"name"_s, name}});
}

Message refused(const QString &what, const QString &reason)
{
    return make(Kind::Refused, u"refused"_s, {{u"what"_s, what}, {u"reason"_s, reason}});
}

Message lobby(const QStringList &players, const QString &code)
{
    return make(Kind::Lobby, u"lobby"_s, {{u"players"_s, QJsonArray::fromStringList(players)}, {u"code"_s, code}});
}

Message closed(const QString &reason)
{
    return make(Kind::Closed, u"closed"_s, {{u"reason"_s, reason}});
}

Message seated(int you, const PerSeat<QString> &names, const QList<int> &humans, const QList<int> &chain)
{
    QJsonArray seatNames{u""_s};
    for (int seat = 1; seat <= SeatCount; ++seat)
        seatNames.append(names[size_t(seat)] == EmptySeat ? QString() : names[size_t(seat)]);
    return make(Kind::Seated, u"seated"_s,
                {{u"you"_s, you}, {u"names"_s, seatNames}, {u"humans"_s, numbers(humans)}, {u"chain"_s, numbers(chain)}});
}

Message startAwaited(int round)
{
    return make(Kind::StartAwaited, u"startAwaited"_s, {{u"round"_s, round}});
}

Message host(const QString &line)
{
    return make(Kind::Host, u"host"_s, {{u"text"_s, line}});
}

Message round(int number, int seconds, int prize, const QList<int> &seats)
{
    return make(Kind::Round, u"round"_s,
                {{u"round"_s, number}, {u"seconds"_s, seconds}, {u"prize"_s, prize}, {u"seats"_s, numbers(seats)}});
}

Message clock(int seconds)
{
    return make(Kind::Clock, u"clock"_s, {{u"seconds"_s, seconds}});
}

Message question(qint64 id, const GameListener::Question &question, bool duel)
{
    return make(Kind::Question, u"question"_s,
                {{u"id"_s, id},
                 {u"seat"_s, question.seat},
                 {u"name"_s, question.name},
                 {u"text"_s, question.text},
                 {u"answers"_s, QJsonArray{question.answers[0], question.answers[1]}},
                 {u"duel"_s, duel}});
}

Message yourTurn(qint64 questionId)
{
    return make(Kind::YourTurn, u"yourTurn"_s, {{u"id"_s, questionId}});
}

Message judged(const GameListener::Verdict &verdict)
{
    return make(Kind::Judged, u"judged"_s,
                {{u"seat"_s, verdict.seat},
                 {u"chosen"_s, verdict.chosen},
                 {u"right"_s, verdict.right},
                 {u"word"_s, verdict.hostWord},
                 {u"chain"_s, verdict.chainStep},
                 {u"bank"_s, verdict.bank},
                 {u"duel"_s, verdict.duel},
                 {u"scoreA"_s, verdict.scoreA},
                 {u"scoreB"_s, verdict.scoreB}});
}

Message bankOffer(int seat)
{
    return make(Kind::BankOffer, u"bankOffer"_s, {{u"seat"_s, seat}});
}

Message banked(int seat, int bank)
{
    return make(Kind::Banked, u"banked"_s, {{u"seat"_s, seat}, {u"bank"_s, bank}});
}

Message roundEnded(int round)
{
    return make(Kind::RoundEnded, u"roundEnded"_s, {{u"round"_s, round}});
}

Message prize(int prize)
{
    return make(Kind::Prize, u"prize"_s, {{u"prize"_s, prize}});
}

Message voteOpen(const QList<int> &candidates)
{
    return make(Kind::VoteOpen, u"voteOpen"_s, {{u"candidates"_s, numbers(candidates)}});
}

Message voteClosed()
{
    return make(Kind::VoteClosed, u"voteClosed"_s);
}

Message voted(int seat, int votedFor)
{
    return make(Kind::Voted, u"voted"_s, {{u"seat"_s, seat}, {u"for"_s, votedFor}});
}

Message votedOff(int seat, const QString &name)
{
    return make(Kind::VotedOff, u"votedOff"_s, {{u"seat"_s, seat}, {u"name"_s, name}});
}

Message duel(int seatA, const QString &nameA, int seatB, const QString &nameB)
{
    return make(Kind::Duel, u"duel"_s, {{u"seatA"_s, seatA}, {u"nameA"_s, nameA}, {u"seatB"_s, seatB}, {u"nameB"_s, nameB}});
}

Message duelScore(int scoreA, int scoreB)
{
    return make(Kind::DuelScore, u"duelScore"_s, {{u"a"_s, scoreA}, {u"b"_s, scoreB}});
}

Message over(const GameListener::Ending &ending, bool you)
{
    // Whole roubles, written as a JSON double.
    return make(Kind::Over, u"over"_s,
                {{u"winner"_s, ending.winner},
                 {u"winnerSeat"_s, ending.winnerSeat},
                 {u"amount"_s, double(ending.amount)},
                 {u"you"_s, you}});
}

Message presence(const QList<int> &connected)
{
    return make(Kind::Presence, u"presence"_s, {{u"connected"_s, numbers(connected)}});
}

} // namespace Protocol
