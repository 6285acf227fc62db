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

// Where two versions of the same lines differ, as one run: lines [from, to) of the first
// became `inserted` lines of the second, the lines before and after being the same.
struct LineChange
{
    int from = 0;
    int to = 0;
    int inserted = 0;

    bool isEmpty() const { return from == to && inserted == 0; }
};

namespace LineSplices {

// Applies the splices to `lines` and returns the splices that undo them.
QList<Splice> apply(QStringList &lines, const QList<Splice> &splices);

// The run where `before` and `after` differ; where it could stand a few lines earlier, as
// lines repeat, it begins with a question's marker line if it can.
LineChange difference(const QStringList &before, const QStringList &after);

// Moves splices made on the lines before `change` onto the lines after it; false, leaving
// them as they were, when one of them touches the changed run. A splice inserting at the
// very place where the change inserts goes after the change's lines.
bool rebase(QList<Splice> &splices, const LineChange &change);

// The change as it reads on the lines `splices` lead to, for splices that do not touch it.
LineChange through(const LineChange &change, const QList<Splice> &splices);

} // namespace LineSplices
