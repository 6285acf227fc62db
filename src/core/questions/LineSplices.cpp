#include "core/questions/LineSplices.h"

#include "core/data/QuestionBase.h"

QList<Splice> LineSplices::apply(QStringList &lines, const QList<Splice> &splices)
{
    QList<Splice> undo;
    undo.reserve(splices.size());
    qsizetype size = lines.size();
    for (const Splice &s : splices)
        size += s.inserted.size() - s.removed;
    QStringList result;
    result.reserve(size);
    int from = 0;
    for (const Splice &s : splices) {
        Q_ASSERT(s.at >= from && s.at + s.removed <= lines.size());
        result.append(lines.mid(from, s.at - from));
        undo.append({int(result.size()), int(s.inserted.size()), lines.mid(s.at, s.removed)});
        result.append(s.inserted);
        from = s.at + s.removed;
    }
    result.append(lines.mid(from));
    lines = std::move(result);
    return undo;
}

LineChange LineSplices::difference(const QStringList &before, const QStringList &after)
{
    const int n = int(before.size()), m = int(after.size());
    int head = 0;
    while (head < n && head < m && before.at(head) == after.at(head))
        ++head;
    int tail = 0;
    while (tail < n - head && tail < m - head && before.at(n - 1 - tail) == after.at(m - 1 - tail))
        ++tail;
    LineChange change{head, n - tail, m - tail - head};
    // Where lines repeat ("?", "0"), the run could as well stand a few lines earlier: it is
    // put where it begins with a block's first line if it can, so that a block removed or
    // added outside is that block, not the end of one and the start of the next.
    const QLatin1StringView marker(QuestionBase::Marker);
    if (change.isEmpty() || (change.to > change.from ? before.at(change.from) : after.at(change.from)) == marker)
        return change;
    for (LineChange earlier = change; earlier.from > 0; ) {
        const bool removedSlides = earlier.to == earlier.from || before.at(earlier.from - 1) == before.at(earlier.to - 1);
        const bool insertedSlides = earlier.inserted == 0 || after.at(earlier.from - 1) == after.at(earlier.from + earlier.inserted - 1);
        if (!removedSlides || !insertedSlides)
            break;
        --earlier.from;
        --earlier.to;
        const QString &first = earlier.to > earlier.from ? before.at(earlier.from) : after.at(earlier.from);
        if (first == marker)
            return earlier;
    }
    return change;
}

bool LineSplices::rebase(QList<Splice> &splices, const LineChange &change)
{
    const int shift = change.inserted - (change.to - change.from);
    QList<Splice> moved = splices;
    for (Splice &s : moved) {
        if (s.at >= change.to)
            s.at += shift;
        else if (s.at + s.removed > change.from)
            return false;
    }
    splices = std::move(moved);
    return true;
}

LineChange LineSplices::through(const LineChange &change, const QList<Splice> &splices)
{
    int shift = 0;
    for (const Splice &s : splices) {
        // As rebase() orders them: before the change unless at or after its end.
        if (s.at < change.to)
            shift += int(s.inserted.size()) - s.removed;
    }
    return {change.from + shift, change.to + shift, change.inserted};
}
