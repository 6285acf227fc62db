#include "core/questions/QuestionWords.h"

#include "core/text/RussianPlural.h"

using namespace Qt::StringLiterals;

QString QuestionWords::counted(qsizetype n)
{
    return u"%1 %2"_s.arg(n).arg(RussianPlural::choose(n, u"вопрос"_s, u"вопроса"_s, u"вопросов"_s));
}

QString QuestionWords::countedOf(qsizetype n)
{
    return u"%1 %2"_s.arg(n).arg(RussianPlural::choose(n, u"вопроса"_s, u"вопросов"_s, u"вопросов"_s));
}
