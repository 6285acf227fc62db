#pragma once

#include "core/data/LineStore.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QLocale>

// The winners file: records of five lines, "!", the winner's name, the amount in plain
// digits, the date (the locale's short date with a four-digit year) and the time of day.
namespace WinnersFile {

inline constexpr auto Marker = "!";

struct Record
{
    int line = 0;        // line number of the record's marker
    QString name;
    QString amount;      // as written in the file
    QString date;
    QString time;
    qint64 amountValue = 0;
    QDate dateValue;
};

QString formatDate(QDate date, const QLocale &locale = QLocale());
QString formatTime(QTime time, const QLocale &locale = QLocale());
// Reads a date written by formatDate under this or another common locale; invalid when unreadable.
QDate parseDate(const QString &text, const QLocale &locale = QLocale());

// The five lines of one record.
QStringList recordLines(const QString &name, qint64 amount, const QDateTime &when, const QLocale &locale = QLocale());

// Loads the file at `path` into `buffer`, appends one record and saves it back, all under
// a lock file so that two games ending at once both keep their records. A missing file
// counts as empty and is created.
Status appendRecord(LineStore &buffer, const QString &path, const QString &name, qint64 amount,
                    const QDateTime &when, const QLocale &locale = QLocale());

// The readable records among the first `lineCount` lines, in file order. A record cut
// short, or whose amount or date cannot be read, is left out; the others are kept.
QList<Record> records(const QStringList &lines, int lineCount, const QLocale &locale = QLocale());

} // namespace WinnersFile
