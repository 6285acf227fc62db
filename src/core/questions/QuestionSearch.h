#pragma once

#include "core/questions/QuestionBlocks.h"

#include <QList>
#include <QString>

// Finds questions by the words typed in the editor's search field, in the question and
// both answers, with letter case and the dots over «ё» not counting (TextFold).
//
// The texts of all blocks are folded once into one long text, so that a search is a single
// scan of it, however many questions the base holds.
class QuestionSearch
{
public:
    // Folds the texts of `blocks`; done again after every change of the lines.
    void index(const QStringList &lines, const QList<QuestionBlocks::Block> &blocks);
    void clear();
    bool isIndexed() const { return m_indexed; }

    // The numbers of the blocks whose texts hold every word of `words` (separated by blanks),
    // in file order. No words at all match every block.
    QList<int> matching(const QString &words) const;

private:
    // Where `word` next stands in the text, from `from`; -1 when nowhere.
    qsizetype find(QStringView word, qsizetype from) const;

    // Letters counted up to here; those after are taken as rare.
    static constexpr char16_t CountedLetters = 0x500;

    bool m_indexed = false;
    int m_blocks = 0;
    QString m_text;            // each block's question and answers, each ended by '\n'
    QList<qsizetype> m_ends;   // where each block's text ends in m_text
    QList<qsizetype> m_counts; // how often each letter stands in m_text
};
