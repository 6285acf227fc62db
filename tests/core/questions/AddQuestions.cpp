// Adds questions to a question base one at a time, the way the settings window does, so that
// a test can write beside the question editor: add-questions <file> <count>
#include "core/data/QuestionBase.h"
#include "core/questions/QuestionFile.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: add-questions <file> <count>\n");
        return 2;
    }
    const int count = args.at(2).toInt();
    QuestionFile file(args.at(1), QStringLiteral("Vopros.txt"));
    LineStore store;
    for (int i = 0; i < count; ++i) {
        const Status status = file.update(store, [i](LineStore &s) {
            QuestionBase::append(s, QStringLiteral("Окно %1").arg(i), QStringLiteral("да"), QStringLiteral("нет"), 1);
        });
        if (!status) {
            std::fprintf(stderr, "question %d: %s (%s)\n", i, qPrintable(status.message), qPrintable(status.detail));
            return 1;
        }
    }
    return 0;
}
