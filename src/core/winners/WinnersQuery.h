#pragma once

#include "core/data/WinnersFile.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

// The four views of the winners window, worked out on the records of the winners file
// without any widget, so that they can be tested and timed on their own.
namespace WinnersQuery {

using Record = WinnersFile::Record;

// The entries of the view list, by index.
enum class View { All = 0, LastDays = 1, Biggest = 2, Smallest = 3 };

// Milliseconds from the start of `date` to `now`: negative for a date after today.
qint64 ageMsecs(QDate date, const QDateTime &now);

// The records whose date lies within the last `days` days of `now`, in file order: a
// record is listed when its age (the present moment minus the start of its day, with the
// time of day as a fraction of a day) is at most `days`.
QList<Record> lastDays(const QList<Record> &records, int days, const QDateTime &now);

// The record with the biggest (smallest) amount; on equal amounts the earliest in the
// file. Nothing when there is no record.
std::optional<Record> biggest(const QList<Record> &records);
std::optional<Record> smallest(const QList<Record> &records);

// The text of the information area: five lines per record ("Игрок: ", "Выиграл: ...
// рублей", "Игра состоялась: ", "В: " and an empty line), built whole so that the view
// sets it in one call.
QString listing(const QList<Record> &records);

} // namespace WinnersQuery
