#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace TestSupport {

// Writes raw bytes to `path`, creating or replacing the file.
void writeFile(const QString &path, const QByteArray &bytes);
QByteArray readFile(const QString &path);
// Windows-1251 bytes of `text`.
QByteArray cp1251(const QString &text);

} // namespace TestSupport
