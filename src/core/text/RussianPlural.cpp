#include "core/text/RussianPlural.h"

#include <cstdlib>

QString RussianPlural::choose(qint64 number, const QString &one, const QString &few, const QString &many)
{
    const qint64 lastTwo = std::abs(number) % 100;
    const qint64 last = lastTwo % 10;
    if (lastTwo >= 11 && lastTwo <= 14)
        return many;
    if (last == 1)
        return one;
    if (last >= 2 && last <= 4)
        return few;
    return many;
}
