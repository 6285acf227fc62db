#include "core/questions/QuestionSearch.h"

#include "core/questions/TextFold.h"

#include <algorithm>
#include <numeric>

void QuestionSearch::index(const QStringList &lines, const QList<QuestionBlocks::Block> &blocks)
{
    qsizetype size = 0;
    for (const QuestionBlocks::Block &b : blocks) {
        for (int k = 1; k < std::min(b.length, 4); ++k)
            size += lines.at(b.line + k).size();
        size += 3;
    }
    // One pass, folding as it copies into a text of the right size.
    m_text = QString(size, Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(m_text.data());
    const char16_t *const begin = out;
    m_ends.clear();
    m_ends.reserve(blocks.size());
    m_counts.fill(0, CountedLetters);
    qsizetype *const counts = m_counts.data();
    for (const QuestionBlocks::Block &b : blocks) {
        for (int k = 1; k < 4; ++k) {
            if (k < b.length) {
                for (const QChar c : lines.at(b.line + k)) {
                    const char16_t folded = TextFold::foldUnit(c.unicode());
                    *out++ = folded;
                    if (folded < CountedLetters)
                        ++counts[folded];
                }
            }
            *out++ = u'\n';
        }
        m_ends.append(out - begin);
    }
    m_blocks = int(blocks.size());
    m_indexed = true;
}

void QuestionSearch::clear()
{
    m_indexed = false;
    m_blocks = 0;
    m_text.clear();
    m_ends.clear();
    m_counts.clear();
}

qsizetype QuestionSearch::find(QStringView word, qsizetype from) const
{
    // The word's rarest letter is looked for, with the vector instructions Qt searches for a
    // letter with, and the word compared where it stands: each place a frequent letter stands
    // would cost a comparison. Long words are found faster by Qt's skipping search.
    if (word.size() > 5)
        return QStringView(m_text).indexOf(word, from);
    qsizetype rarest = 0;
    const auto count = [&](qsizetype k) { return word[k].unicode() < CountedLetters ? m_counts.at(word[k].unicode()) : 0; };
    for (qsizetype k = 1; k < word.size(); ++k) {
        if (count(k) < count(rarest))
            rarest = k;
    }
    const QStringView text(m_text);
    const QChar letter = word[rarest];
    for (qsizetype at = from + rarest;; ++at) {
        at = text.indexOf(letter, at);
        if (at < 0)
            return -1;
        if (text.sliced(at - rarest).startsWith(word))
            return at - rarest;
    }
}

QList<int> QuestionSearch::matching(const QString &words) const
{
    QStringList folded = TextFold::fold(words.simplified()).split(u' ', Qt::SkipEmptyParts);
    QList<int> result;
    if (folded.isEmpty()) {
        result.resize(m_blocks);
        std::iota(result.begin(), result.end(), 0);
        return result;
    }
    // The longest word is looked for in the whole text; the others only in the blocks it is in.
    // The blocks are met in order, so the block of each find is reached by stepping on.
    std::stable_sort(folded.begin(), folded.end(), [](const QString &a, const QString &b) { return a.size() > b.size(); });
    const QStringView all(m_text);
    const QStringView longest(folded.first());
    qsizetype from = 0;
    int block = 0;
    while (from < all.size()) {
        const qsizetype at = find(longest, from);
        if (at < 0)
            break;
        while (block < m_blocks && m_ends.at(block) <= at)
            ++block;
        if (block == m_blocks)
            break;
        const qsizetype begin = block == 0 ? 0 : m_ends.at(block - 1);
        const QStringView texts = all.sliced(begin, m_ends.at(block) - begin);
        const bool hasAll = std::all_of(folded.cbegin() + 1, folded.cend(), [&](const QString &w) { return texts.contains(w); });
        if (hasAll)
            result.append(block);
        from = m_ends.at(block);
    }
    return result;
}
