#pragma once

#include <QString>
#include <QtGlobal>

// The form a Russian noun takes after a number: `one` after 1, 21, 101 (секунда), `few`
// after 2–4, 22–24, 102 (секунды), `many` after 0, 5–20, 25, 111–114 (секунд). The last two
// digits decide: 11 to 14 take `many` whatever their last digit.
namespace RussianPlural {

QString choose(qint64 number, const QString &one, const QString &few, const QString &many);

} // namespace RussianPlural
