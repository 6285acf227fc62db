#include "net/Protocol.h"

#include <QJsonDocument>
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

QByteArray message(const QString &type, QJsonObject fields)
{
    fields.insert(u"v"_s, Version);
    fields.insert(u"type"_s, type);
    return QJsonDocument(fields).toJson(QJsonDocument::Compact);
}

QByteArray refused(const QString &what, const QString &reason)
{
    return message(u"refused"_s, {{u"what"_s, what}, {u"reason"_s, reason}});
}

} // namespace Protocol
