#include "core/questions/QuestionSearch.h"

#include "core/questions/TextFold.h"

#include <QStringMatcher>

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
    for (const QuestionBlocks::Block &b : blocks) {
        for (int k = 1; k < 4; ++k) {
            if (k < b.length) {
                for (const QChar c : lines.at(b.line + k))
                    *out++ = TextFold::foldUnit(c.unicode());
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
    std::stable_sort(folded.begin(), folded.end(), [](const QString &a, const QString &b) { return a.size() > b.size(); });
    const QStringMatcher first(folded.first());
    const QStringView all(m_text);
    qsizetype from = 0;
    while (from < all.size()) {
        const qsizetype at = first.indexIn(all, from);
        if (at < 0)
            break;
        const auto end = std::upper_bound(m_ends.cbegin(), m_ends.cend(), at);
        if (end == m_ends.cend())
            break;
        const int block = int(end - m_ends.cbegin());
        const qsizetype begin = block == 0 ? 0 : m_ends.at(block - 1);
        const QStringView texts = all.sliced(begin, *end - begin);
        const bool hasAll = std::all_of(folded.cbegin() + 1, folded.cend(), [&](const QString &w) { return texts.contains(w); });
        if (hasAll)
            result.append(block);
        from = *end;
    }
    return result;
}
