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

// A question base of `questions` blocks: "Вопрос i?", the right answer "Верно i" first, then
// "Неверно i".
QByteArray questionBase(int questions);
// Eight names, Анна to Захар, as a names base.
QByteArray eightNames();

// Points the program's settings at `dir`, so that a test never touches the player's own.
void keepSettingsIn(const QTemporaryDir &dir);
// Forgets every setting the program stored.
void clearSettings();

} // namespace TestSupport
