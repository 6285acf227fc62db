#include "core/questions/LineSplices.h"

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
    return {head, n - tail, m - tail - head};
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
