#include "core/data/WinnersFile.h"

#include <QFileInfo>
#include <QHash>
#include <QLockFile>

using namespace Qt::StringLiterals;

namespace {

QString shortDateFormat(const QLocale &locale)
{
    QString format = locale.dateFormat(QLocale::ShortFormat);
    if (!format.contains(u"yyyy"_s))
        format.replace(u"yy"_s, u"yyyy"_s);
    return format;
}

QString timeFormat(const QLocale &locale)
{
    // The long time format without its time-zone part.
    QString format = locale.timeFormat(QLocale::LongFormat);
    format.remove(QLatin1Char('t'));
    return format.trimmed();
}

} // namespace

QString WinnersFile::formatDate(QDate date, const QLocale &locale)
{
    // A few locales write digits that their own format cannot read back (digits outside
    // the Basic Multilingual Plane); their records get an ISO date, which every reader
    // understands, instead of a date the days filter would skip.
    const QString text = locale.toString(date, shortDateFormat(locale));
    if (parseDate(text, locale) == date)
        return text;
    return date.toString(Qt::ISODate);
}

QString WinnersFile::formatTime(QTime time, const QLocale &locale)
{
    return locale.toString(time, timeFormat(locale));
}

QDate WinnersFile::parseDate(const QString &text, const QLocale &locale)
{
    const QString trimmed = text.trimmed();
    QDate date = locale.toDate(trimmed, shortDateFormat(locale));
    if (date.isValid())
        return date;
    date = locale.toDate(trimmed, QLocale::ShortFormat);
    if (date.isValid()) {
        if (date.year() < 1950)
            date = date.addYears(100);
        return date;
    }
    static const char *const fallbacks[] = {"dd.MM.yyyy", "d.M.yyyy", "yyyy-MM-dd", "M/d/yyyy", "dd/MM/yyyy"};
    for (const char *format : fallbacks) {
        date = QDate::fromString(trimmed, QString::fromLatin1(format));
        if (date.isValid())
            return date;
    }
    return {};
}

QStringList WinnersFile::recordLines(const QString &name, qint64 amount, const QDateTime &when, const QLocale &locale)
{
    return {QString::fromLatin1(Marker), name, QString::number(amount), formatDate(when.date(), locale),
            formatTime(when.time(), locale)};
}

Status WinnersFile::appendRecord(LineStore &buffer, const QString &path, const QString &name, qint64 amount,
                                 const QDateTime &when, const QLocale &locale)
{
    const QString fileName = QFileInfo(path).fileName();
    QLockFile lock(path + u".lock"_s);
    lock.setStaleLockTime(10000);
    if (!lock.tryLock(15000)) {
        if (lock.error() == QLockFile::LockFailedError)
            return Status::cannotCreate(fileName, u"Файл «%1» занят другой игрой, запись не сделана."_s.arg(fileName));
        return Status::cannotCreate(fileName, u"Не удалось записать в папку с файлом «%1», запись не сделана."_s.arg(fileName));
    }
    buffer.clear();
    buffer.setEncoding(LineStore::Encoding::Windows1251);
    if (QFileInfo::exists(path) || QFileInfo(path).isSymLink()) {
        if (Status loaded = buffer.load(path, fileName); !loaded)
            return loaded;
    }
    for (const QString &line : recordLines(name, amount, when, locale))
        buffer.append(line);
    return buffer.save(path, fileName);
}

QList<WinnersFile::Record> WinnersFile::records(const QStringList &lines, int lineCount, const QLocale &locale)
{
    QHash<QString, QDate> parsedDates;
    QList<Record> result;
    const int n = std::min(lineCount, int(lines.size()));
    const QLatin1StringView marker(Marker);
    for (int i = 0; i < n; ++i) {
        if (lines.at(i) != marker)
            continue;
        if (i + 4 >= n)
            break;
        Record r;
        r.line = i;
        r.name = lines.at(i + 1);
        r.amount = lines.at(i + 2);
        r.date = lines.at(i + 3);
        r.time = lines.at(i + 4);
        // A marker where the time should be: this record lost its last line and the
        // next one starts there.
        if (r.time == marker)
            continue;
        bool ok = false;
        r.amountValue = r.amount.trimmed().toLongLong(&ok);
        if (!ok)
            continue;
        // Many records share a day: each date text is parsed once.
        auto known = parsedDates.constFind(r.date);
        if (known == parsedDates.cend())
            known = parsedDates.insert(r.date, parseDate(r.date, locale));
        r.dateValue = *known;
        if (!r.dateValue.isValid())
            continue;
        result.append(r);
    }
    return result;
}
