// Writes one of the data files over and over, the way the game does, until it is killed:
//   zyb_save_loop questions|names FILE   - replaces FILE by version A, then B, then A ...
//   zyb_save_loop winners FILE           - appends the same record again and again
// Prints "go" once the first write is under way, so that the killer knows it started.
#include "SaveVersions.h"

#include "core/data/LineStore.h"
#include "core/data/WinnersFile.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: zyb_save_loop questions|names|winners FILE\n");
        return 2;
    }
    const QString kind = args.at(1);
    const QString path = args.at(2);
    std::puts("go");
    std::fflush(stdout);
    LineStore store;
    for (int i = 0;; ++i) {
        Status status;
        if (kind == u"winners") {
            status = WinnersFile::appendRecord(store, path, SaveVersions::winnerName(), 500, SaveVersions::when(),
                                               SaveVersions::locale());
        } else {
            store.setLines(SaveVersions::version(kind, i % 2));
            status = store.save(path);
        }
        if (!status) {
            std::fprintf(stderr, "%s\n", qPrintable(status.message));
            return 1;
        }
    }
}
