#pragma once

#include <QString>

// How the question editor compares texts: letter case and the dots over «ё» do not count,
// so «Ёжик», «ежик» and «ЕЖИК» fold to the same text.
namespace TextFold {

QString fold(QString text);

// fold() of the text with its runs of blanks made one blank and its ends trimmed: two
// questions that differ only there are the same question.
QString key(const QString &text);

} // namespace TextFold
