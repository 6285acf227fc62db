#include "core/questions/QuestionWords.h"

using namespace Qt::StringLiterals;

QString QuestionWords::counted(qsizetype n)
{
    const qsizetype last = n % 10, lastTwo = n % 100;
    if (last == 1 && lastTwo != 11)
        return u"%1 вопрос"_s.arg(n);
    if (last >= 2 && last <= 4 && (lastTwo < 12 || lastTwo > 14))
        return u"%1 вопроса"_s.arg(n);
    return u"%1 вопросов"_s.arg(n);
}

QString QuestionWords::countedOf(qsizetype n)
{
    if (n % 10 == 1 && n % 100 != 11)
        return u"%1 вопроса"_s.arg(n);
    return u"%1 вопросов"_s.arg(n);
}
