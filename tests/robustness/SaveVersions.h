#pragma once

#include <QDateTime>
#include <QLocale>
#include <QStringList>

// The two versions of each file that the save loop alternates between, and its record.
namespace SaveVersions {

inline QStringList version(const QString &kind, int which)
{
    QStringList lines;
    if (kind == u"questions") {
        const int blocks = 2000 + which;
        for (int i = 0; i < blocks; ++i) {
            lines << QStringLiteral("?") << QStringLiteral("Вопрос номер %1 версии %2?").arg(i).arg(which)
                  << QStringLiteral("Ответ А") << QStringLiteral("Ответ Б") << QString::number(i % 2);
        }
    } else {
        const int names = 3000 + which;
        for (int i = 0; i < names; ++i)
            lines << QStringLiteral("Имя%1-%2").arg(i).arg(which);
    }
    return lines;
}

inline QString winnerName() { return QStringLiteral("Победитель"); }
inline QDateTime when() { return QDateTime(QDate(2026, 12, 7), QTime(12, 0, 0)); }
inline QLocale locale() { return QLocale(QLocale::Russian, QLocale::Russia); }

} // namespace SaveVersions
