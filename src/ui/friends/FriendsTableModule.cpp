#include "ui/friends/FriendsTableModule.h"

#include <QCoreApplication>
#include <QLibrary>

using namespace Qt::StringLiterals;

std::unique_ptr<FriendsTable> FriendsTableModule::create(QString *error, const QString &path)
{
    // Never unloaded: a table may outlive any window that opened it.
    QLibrary library(path.isEmpty() ? QCoreApplication::applicationDirPath() + u"/zybkotsepye-net"_s : path);
    auto create = reinterpret_cast<FriendsTable::Create>(library.resolve(FriendsTable::EntryPoint));
    if (!create) {
        if (error)
            *error = u"Не удалось загрузить сетевой модуль игры: %1"_s.arg(library.errorString());
        return nullptr;
    }
    return std::unique_ptr<FriendsTable>(create());
}
