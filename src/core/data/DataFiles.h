#pragma once

#include <QDir>
#include <QString>

// The three data files live in one folder (the working directory when playing).
namespace DataFiles {

inline constexpr auto QuestionBase = "Vopros.txt";
inline constexpr auto NamesBase = "names.txt";
inline constexpr auto WinnersFile = "best.txt";

// The path of `name` inside `dir`. An existing file whose name differs only in letter
// case is the same file, so "vopros.txt" reaches "Vopros.txt" on any file system.
QString path(const QDir &dir, const QString &name);

} // namespace DataFiles
