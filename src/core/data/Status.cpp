#include "core/data/Status.h"

using namespace Qt::StringLiterals;

Status Status::cannotOpen(const QString &fileName, QString detail)
{
    if (detail.isEmpty())
        detail = u"Не удалось прочитать файл «%1»: его нет в папке игры или он недоступен."_s.arg(fileName);
    return failure(u"Cannot open file %1"_s.arg(fileName), std::move(detail));
}

Status Status::cannotCreate(const QString &fileName, QString detail)
{
    if (detail.isEmpty())
        detail = u"Не удалось записать файл «%1»: нет места на диске или нет прав на запись. Прежнее содержимое файла сохранено."_s.arg(fileName);
    return failure(u"Cannot create file %1"_s.arg(fileName), std::move(detail));
}
