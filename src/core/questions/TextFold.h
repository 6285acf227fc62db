#pragma once

#include <QString>

// How the question editor compares texts: letter case and the dots over «ё» do not count
// (simple case folding, one UTF-16 unit for one, so a folded text keeps its length),
// so «Ёжик», «ежик» and «ЕЖИК» fold to the same text.
namespace TextFold {

QString fold(QString text);
// One UTF-16 unit folded: simple case folding, one unit for one, with «ё» read as «е».
// Latin and Cyrillic letters, nearly all of a question base, take the short ways.
inline char16_t foldUnit(char16_t c)
{
    if (c < 0x80)
        return c >= u'A' && c <= u'Z' ? char16_t(c + 0x20) : c;
    if (c >= 0x0430 && c <= 0x044F)  // а..я
        return c;
    if (c >= 0x0410 && c <= 0x042F)  // А..Я
        return char16_t(c + 0x20);
    if (c == 0x0401 || c == 0x0451)  // Ё, ё
        return u'е';
    if (c >= 0x0400 && c <= 0x040F)  // Ѐ..Џ
        return char16_t(c + 0x50);
    if (QChar::isSurrogate(c))
        return c;
    return char16_t(QChar::toCaseFolded(char32_t(c)));
}

// fold() of the text with its runs of blanks made one blank and its ends trimmed: two
// questions that differ only there are the same question.
QString key(const QString &text);

} // namespace TextFold
