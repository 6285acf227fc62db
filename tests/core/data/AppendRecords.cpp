// Appends records to a winners file the way a finished game does, so that a test can
// run two of these at once: append-records <file> <count> <name>
// A record refused (the file stayed busy while the others took turns) is tried again, as the
// player would; a record that failed and still left lines behind shows in the file's count.
#include "core/data/WinnersFile.h"

#include <QCoreApplication>
#include <QLocale>

#include <cstdio>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: append-records <file> <count> <name>\n");
        return 2;
    }
    const int count = args.at(2).toInt();
    const QLocale russian(QLocale::Russian, QLocale::Russia);
    LineStore buffer;
    for (int i = 0; i < count; ++i) {
        Status status = Status::failure(u"not tried"_s);
        for (int attempt = 0; attempt < 10 && !status; ++attempt)
            status = WinnersFile::appendRecord(buffer, args.at(1), args.at(3), i, QDateTime::currentDateTime(), russian);
        if (!status) {
            std::fprintf(stderr, "record %d: %s (%s)\n", i, qPrintable(status.message), qPrintable(status.detail));
            return 1;
        }
    }
    return 0;
}
