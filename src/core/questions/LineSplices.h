#pragma once

#include <QList>
#include <QStringList>

// A change to a list of lines as a set of splices, each replacing `removed` lines from line
// `at` by `inserted`. The splices of one change are sorted by `at`, do not overlap, and
// count lines as they were before the change. Applying them costs one pass over the lines
// however many there are, so that removing ten thousand questions costs what removing one does.
struct Splice
{
    int at = 0;
    int removed = 0;
    QStringList inserted;
};

namespace LineSplices {

// Applies the splices to `lines` and returns the splices that undo them.
QList<Splice> apply(QStringList &lines, const QList<Splice> &splices);

} // namespace LineSplices
