#include "core/questions/TextFold.h"

QString TextFold::fold(QString text)
{
    // Folding keeps the length, so it is done in place.
    for (QChar &c : text)
        c = QChar(foldUnit(c.unicode()));
    return text;
}

QString TextFold::key(const QString &text)
{
    return fold(text.simplified());
}
