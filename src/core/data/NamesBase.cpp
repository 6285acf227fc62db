#include "core/data/NamesBase.h"

#include "core/data/LineStore.h"

#include <QLocale>
#include <QSet>

#include <algorithm>

using namespace Qt::StringLiterals;

bool NamesBase::canBeSeated(const QString &name)
{
    return name != u"0" && name != u"!";
}

QStringList NamesBase::drawable(const QStringList &lines)
{
    QStringList result;
    result.reserve(lines.size());
    for (const QString &line : lines) {
        if (canBeSeated(line))
            result.append(line);
    }
    return result;
}

int NamesBase::distinctSeatable(const QStringList &names, const QString &playerName)
{
    QSet<QString> distinct;
    for (const QString &name : names) {
        if (canBeSeated(name) && name != playerName)
            distinct.insert(name);
    }
    return int(distinct.size());
}

QCollator NamesBase::collator()
{
    QCollator c(QLocale(QLocale::Russian, QLocale::Russia));
    c.setCaseSensitivity(Qt::CaseInsensitive);
    return c;
}

QStringList NamesBase::sorted(QStringList names)
{
    const QCollator c = collator();
    std::stable_sort(names.begin(), names.end(), [&c](const QString &a, const QString &b) { return c.compare(a, b) < 0; });
    return names;
}

int NamesBase::insertPosition(const QStringList &sorted, const QString &name)
{
    const QCollator c = collator();
    const auto it = std::upper_bound(sorted.begin(), sorted.end(), name,
                                     [&c](const QString &a, const QString &b) { return c.compare(a, b) < 0; });
    return int(it - sorted.begin());
}

QString NamesBase::refusal(const QString &name)
{
    if (!canBeSeated(name))
        return u"Нельзя «%1»"_s.arg(name);
    if (!LineStore::isStorableLine(name))
        return u"Плохой знак!"_s;
    return {};
}
