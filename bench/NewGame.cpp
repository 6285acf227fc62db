// "Играть" with a question base of 100,000 questions: the names draw, the load and the
// index up to the game window's starting state, against iconv converting the same file.
#include "BenchReport.h"

#include "core/data/LineStore.h"
#include "core/engine/Clock.h"
#include "core/engine/RandomSource.h"
#include "core/state/GameState.h"
#include "ui/table/GameWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    LineStore questions;
    QStringList lines;
    for (int i = 0; i < 100000; ++i) {
        lines << u"?"_s << u"Вопрос №%1: в каком году Пётр Ёлкин основал город «%2»?"_s.arg(i).arg(i % 977)
              << u"В %1 году"_s.arg(1700 + i % 300) << u"Ещё не основал"_s << QString::number(i % 2);
    }
    questions.setLines(lines);
    LineStore names;
    names.setLines({u"Анна"_s, u"Борис"_s, u"Вера"_s, u"Глеб"_s, u"Дарья"_s, u"Егор"_s, u"Жанна"_s, u"Захар"_s, u"Ирина"_s});
    if (!questions.save(dir.filePath(u"Vopros.txt"_s)) || !names.save(dir.filePath(u"names.txt"_s)))
        return 2;
    const QByteArray iconv = "iconv -f WINDOWS-1251 -t UTF-8 '" + QFile::encodeName(dir.filePath(u"Vopros.txt"_s)) + "' > /dev/null";

    GameState state;
    state.setStartValues();
    SystemRandom random;
    SystemClock clock;
    GameWindow window(state, random, clock, QDir(dir.path()));
    LineStore namesList;
    std::vector<double> ours, theirs;
    for (int run = -1; run < 9; ++run) {
        QElapsedTimer t;
        t.start();
        if (!window.engine().newGame(namesList))
            return 2;
        window.showTable();
        const double ms = t.nsecsElapsed() / 1e6;
        window.close();  // as a player does before pressing "Играть" again
        t.restart();
        if (std::system(iconv.constData()) != 0)
            return 2;
        const double iconvMs = t.nsecsElapsed() / 1e6;
        if (run >= 0) {
            ours.push_back(ms);
            theirs.push_back(iconvMs);
        }
    }
    return BenchReport::ratio("new-game-100k-questions", "ms", BenchReport::median(ours), "iconv",
                              BenchReport::median(theirs), 1.5) ? 0 : 1;
}
