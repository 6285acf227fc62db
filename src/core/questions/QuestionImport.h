#pragma once

#include "core/data/QuestionBase.h"
#include "core/data/Status.h"
#include "core/questions/QuestionBlocks.h"

#include <QList>
#include <QSet>
#include <QStringList>

// Reading a file of questions to add to the base. The file is UTF-8 or Windows-1251, in
// one of two forms:
//
//   - the base's own blocks: "?", the question, the first answer, the second answer, and
//     "0" or "1" for the right one;
//   - one question a line: the question, the first answer and the second answer separated
//     by tabs, the right answer marked with a "*" before it ("Столица Франции?\t*Париж\tЛион").
//
// A file with any line that is exactly "?" is read as blocks. Nothing is written here: the
// editor shows the plan and adds its questions once the player agrees.
namespace QuestionImport {

struct Unreadable
{
    int line = 0;     // the line at fault, counted from 1
    QString reason;   // in Russian, for the player
};

struct Plan
{
    QList<QuestionBase::Question> added;  // in the file's order
    int repeats = 0;                      // already in the base, or earlier in the same file
    QList<Unreadable> unreadable;
    bool blocks = true;                   // read as blocks rather than as lines
};

// The file's lines, or why it cannot be read.
Status read(const QString &path, QStringList *lines);

// What identifies a question when looking for repeats: the question and the two answers,
// in either order, with letter case, «ё» and extra blanks not counting.
QString repeatKey(const QuestionBase::Question &question);
// The keys of the playable questions of a base.
QSet<QString> repeatKeys(const QStringList &lines, const QList<QuestionBlocks::Block> &blocks);

// What importing `lines` into a base whose questions have `existing` keys would add.
Plan plan(const QStringList &lines, const QSet<QString> &existing);

// Why a question cannot be stored, as "первый ответ: Плохой знак «✓»"; empty when it can.
// Blank texts are refused too, and two answers that read the same (QuestionBase::answersRefusal).
// `field`, when given, is set to the text at fault: 0 the question, 1 and 2 the answers.
QString refusal(const QuestionBase::Question &question, int *field = nullptr);

} // namespace QuestionImport
