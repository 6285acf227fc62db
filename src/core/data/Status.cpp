#include "core/data/Status.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

Status Status::missing(const QString &fileName, const QString &path)
{
    // The folder by name: the game reads its files where it was started, which need not be
    // the folder the player has in mind.
    const QString folder = QDir::toNativeSeparators(QFileInfo(path).absolutePath());
    return cannotOpen(fileName, u"Файла «%1» нет в папке игры «%2»."_s.arg(fileName, folder));
}

Status Status::cannotOpen(const QString &fileName, QString detail)
{
    if (detail.isEmpty())
        detail = u"Файл «%1» есть в папке игры, но прочитать его не удалось: нет прав на чтение или ошибка диска."_s.arg(fileName);
    return failure(u"Не удаётся открыть файл %1"_s.arg(fileName), std::move(detail));
}

Status Status::cannotCreate(const QString &fileName, QString detail)
{
    if (detail.isEmpty())
        detail = u"Не удалось записать файл «%1»: нет места на диске или нет прав на запись. Прежнее содержимое файла сохранено."_s.arg(fileName);
    return failure(u"Не удаётся записать файл %1"_s.arg(fileName), std::move(detail));
}
