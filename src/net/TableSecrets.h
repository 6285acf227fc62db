#pragma once

#include <QString>

// The table's code and the seats' secrets, drawn from the system's random source.
namespace TableSecrets {

// The characters of a table code: digits and Latin capitals that are easy to read aloud and
// to tell apart (no 0/O, no 1/I).
inline constexpr char CodeAlphabet[] = "23456789ABCDEFGHJKLMNPQRSTUVWXYZ";
inline constexpr int CodeLength = 4;

QString newCode();
// 128 random bits as 32 lowercase hex digits.
QString newSecret();
// Whether `a` equals `b`, in a time that does not tell how much of them matched.
bool sameSecret(const QString &a, const QString &b);

} // namespace TableSecrets
