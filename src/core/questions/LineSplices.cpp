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
