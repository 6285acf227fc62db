#pragma once

#include <QString>

// The outcome of a file operation. A failure carries the message the player sees
// («Не удаётся открыть файл Vopros.txt») and a sentence that says why.
struct [[nodiscard]] Status
{
    QString message;
    QString detail;

    bool ok() const { return message.isEmpty(); }
    explicit operator bool() const { return ok(); }

    static Status success() { return {}; }
    static Status failure(QString message, QString detail = {})
    {
        return {std::move(message), std::move(detail)};
    }
    // `fileName` is not in the folder of `path`, which the message names.
    static Status missing(const QString &fileName, const QString &path);
    // Without a detail: the file is there but could not be read.
    static Status cannotOpen(const QString &fileName, QString detail = {});
    static Status cannotCreate(const QString &fileName, QString detail = {});
};
