#include "core/questions/TextFold.h"

QString TextFold::fold(QString text)
{
    text = std::move(text).toCaseFolded();
    text.replace(u'ё', u'е');
    return text;
}

QString TextFold::key(const QString &text)
{
    return fold(text.simplified());
}
