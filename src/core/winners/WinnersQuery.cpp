#include "core/winners/WinnersQuery.h"

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 MsecsPerDay = 24 * 60 * 60 * 1000;

template <typename Better>
std::optional<WinnersQuery::Record> best(const QList<WinnersQuery::Record> &records, Better better)
{
    if (records.isEmpty())
        return std::nullopt;
    const WinnersQuery::Record *found = &records.first();
    for (const WinnersQuery::Record &r : records) {
        if (better(r.amountValue, found->amountValue))
            found = &r;
    }
    return *found;
}

} // namespace

qint64 WinnersQuery::ageMsecs(QDate date, const QDateTime &now)
{
    // Whole days counted on the calendar, so a change of daylight-saving time does not
    // move a record from one day to another.
    const qint64 days = now.date().toJulianDay() - date.toJulianDay();
    return days * MsecsPerDay + now.time().msecsSinceStartOfDay();
}

QList<WinnersQuery::Record> WinnersQuery::lastDays(const QList<Record> &records, int days, const QDateTime &now)
{
    const qint64 limit = qint64(days) * MsecsPerDay;
    QList<Record> result;
    for (const Record &r : records) {
        if (ageMsecs(r.dateValue, now) <= limit)
            result.append(r);
    }
    return result;
}

std::optional<WinnersQuery::Record> WinnersQuery::biggest(const QList<Record> &records)
{
    return best(records, [](qint64 a, qint64 b) { return a > b; });
}

std::optional<WinnersQuery::Record> WinnersQuery::smallest(const QList<Record> &records)
{
    return best(records, [](qint64 a, qint64 b) { return a < b; });
}

QString WinnersQuery::listing(const QList<Record> &records)
{
    static const QString player = u"Игрок: "_s;
    static const QString won = u"Выиграл: "_s;
    static const QString roubles = u" рублей"_s;
    static const QString played = u"Игра состоялась: "_s;
    static const QString at = u"В: "_s;

    qsizetype size = 0;
    for (const Record &r : records)
        size += 60 + r.name.size() + r.amount.size() + r.date.size() + r.time.size();
    QString text;
    text.reserve(size);
    for (const Record &r : records) {
        // Every record ends with an empty line: the line break after "В: " closes the
        // time line, and the one before the next record closes the empty line.
        if (!text.isEmpty())
            text.append(u'\n');
        text.append(player).append(r.name).append(u'\n');
        text.append(won).append(r.amount).append(roubles).append(u'\n');
        text.append(played).append(r.date).append(u'\n');
        text.append(at).append(r.time).append(u'\n');
    }
    return text;
}
