#include "core/questions/QuestionBlocks.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int BlockLines = 5;

int rightIndex(const QString &line)
{
    if (line == u"0")
        return 0;
    if (line == u"1")
        return 1;
    return -1;
}

} // namespace

QList<QuestionBlocks::Block> QuestionBlocks::blocks(const QStringList &lines)
{
    QList<Block> result;
    const int n = int(lines.size());
    const QLatin1StringView marker(QuestionBase::Marker);
    int open = -1;  // the marker of the block being read
    const auto close = [&](int end) {
        Block b;
        b.line = open;
        b.length = std::min(end - open, BlockLines);
        b.playable = b.length == BlockLines && rightIndex(lines.at(open + 4)) >= 0;
        result.append(b);
    };
    for (int i = 0; i < n; ++i) {
        if (lines.at(i) != marker)
            continue;
        if (open >= 0)
            close(i);
        open = i;
    }
    if (open >= 0)
        close(n);
    return result;
}

QuestionBase::Question QuestionBlocks::question(const QStringList &lines, const Block &block)
{
    const auto line = [&](int k) { return k < block.length ? lines.at(block.line + k) : QString(); };
    return {line(1), line(2), line(3), block.length == BlockLines ? rightIndex(line(4)) : -1};
}

QString QuestionBlocks::problem(const QStringList &lines, const Block &block)
{
    if (block.playable)
        return {};
    if (block.length < BlockLines) {
        const QString count = block.length == 1 ? u"только «?»"_s : u"%1 строки из пяти"_s.arg(block.length);
        return u"В блоке %1: за «?» должны идти вопрос, два ответа и номер верного ответа."_s.arg(count);
    }
    return u"Последняя строка блока «%1» — не номер верного ответа (0 или 1)."_s.arg(lines.at(block.line + 4));
}

QStringList QuestionBlocks::lines(const QuestionBase::Question &question)
{
    return {QString::fromLatin1(QuestionBase::Marker), question.text, question.first, question.second,
            QString::number(question.right)};
}
