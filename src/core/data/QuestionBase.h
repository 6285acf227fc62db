#pragma once

#include "core/data/LineStore.h"

#include <QList>

// The question base: blocks of five lines, "?", the question, the first answer, the
// second answer and the right answer's index ("0" or "1").
namespace QuestionBase {

inline constexpr auto Marker = "?";

struct Index
{
    QList<int> starts;  // line number of the marker of every playable block, in file order
    int skipped = 0;    // marker lines whose block cannot be played
};

// Indexes the playable blocks. A block is playable when its marker is followed by four
// lines and its last line is exactly "0" or "1"; any other marker is counted in `skipped`.
Index index(const QStringList &lines);

struct Question
{
    QString text;
    QString first;
    QString second;
    int right = 0;
};

// The block starting at marker line `start` of an index built from the same lines.
Question question(const QStringList &lines, int start);

// Appends one block at the end.
void append(LineStore &store, const QString &text, const QString &first, const QString &second, int right);

// A question or answer text that would break the file's block structure or that the
// file cannot hold, as the short message shown in its field («Плохой знак «✓»» names the
// characters to replace); empty when the text can be stored.
QString refusal(const QString &text);

// Two answers a player cannot tell apart: equal when letter case, «ё» for «е» and blanks
// (around the words and between them) do not count. One of them would be judged wrong,
// so such a question is refused wherever it is stored: the short message, for the second
// answer's field; empty when the answers differ.
QString answersRefusal(const QString &first, const QString &second);

} // namespace QuestionBase
