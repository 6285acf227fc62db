#include "ui/settings/StoredPlayerName.h"

#include "core/data/NamesBase.h"
#include "ui/look/PlayerSettings.h"

using namespace Qt::StringLiterals;

namespace {

const QString Key = u"player/name"_s;

// Far above the twelve characters a player types and the names the names base holds: a
// longer value was not written by the game.
constexpr int LongestName = 64;

} // namespace

QString StoredPlayerName::read()
{
    const QString name = playerSettings().value(Key).toString();
    if (name.isEmpty() || name.size() > LongestName || !NamesBase::refusal(name).isEmpty())
        return {};
    return name;
}

void StoredPlayerName::store(const QString &name)
{
    QSettings s = playerSettings();
    s.setValue(Key, name);
}
