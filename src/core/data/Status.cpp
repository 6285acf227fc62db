#include "core/data/Status.h"

using namespace Qt::StringLiterals;

Status Status::missing(const QString &fileName)
{
    return cannotOpen(fileName, u"Файла «%1» нет в папке игры."_s.arg(fileName));
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
