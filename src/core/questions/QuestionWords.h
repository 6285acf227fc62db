#pragma once

#include <QString>

// A number of questions in Russian: "1 вопрос", "3 вопроса", "25 вопросов", and after a
// noun such as «удаление»: "1 вопроса", "25 вопросов".
namespace QuestionWords {

QString counted(qsizetype n);
QString countedOf(qsizetype n);

} // namespace QuestionWords
