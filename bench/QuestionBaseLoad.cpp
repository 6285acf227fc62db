// Loading and indexing a large question base, measured against iconv converting the same
// file from Windows-1251: the game should stay within 1.5 times iconv's time.
//
// Usage: bench_question_base_load [blocks] [runs]   (default 100000 blocks, 7 runs)
#include "core/data/LineStore.h"
#include "core/data/QuestionBase.h"

#include <QElapsedTimer>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr double Target = 1.5;

QByteArray questionBase(int blocks)
{
    QString text;
    text.reserve(qsizetype(blocks) * 90);
    for (int i = 0; i < blocks; ++i) {
        text += u"?\r\n"_s;
        text += u"Вопрос №%1: в каком году Пётр Ёлкин основал город «%2»?\r\n"_s.arg(i).arg(i % 977);
        text += u"В %1 году\r\n"_s.arg(1700 + i % 300);
        text += u"Ещё не основал\r\n"_s;
        text += (i % 2 ? u"1\r\n"_s : u"0\r\n"_s);
    }
    QStringEncoder cp1251("windows-1251");
    return cp1251.encode(text);
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    const int blocks = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 7;

    QTemporaryDir dir;
    const QString path = dir.filePath(u"Vopros.txt"_s);
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(questionBase(blocks)) < 0) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 2;
        }
    }
    const QByteArray command = "iconv -f WINDOWS-1251 -t UTF-8 '" + QFile::encodeName(path) + "' > /dev/null";

    std::vector<double> ours, iconv;
    for (int run = -1; run < runs; ++run) {  // run -1 warms the caches up
        QElapsedTimer timer;
        timer.start();
        LineStore store;
        if (!store.load(path)) {
            std::fprintf(stderr, "load failed\n");
            return 2;
        }
        const QuestionBase::Index index = QuestionBase::index(store.lines());
        const double ms = timer.nsecsElapsed() / 1e6;
        if (index.starts.size() != blocks) {
            std::fprintf(stderr, "indexed %lld blocks of %d\n", qlonglong(index.starts.size()), blocks);
            return 2;
        }

        timer.restart();
        if (std::system(command.constData()) != 0) {
            std::fprintf(stderr, "iconv failed\n");
            return 2;
        }
        const double iconvMs = timer.nsecsElapsed() / 1e6;
        if (run >= 0) {
            ours.push_back(ms);
            iconv.push_back(iconvMs);
        }
    }

    const double x = median(ours), y = median(iconv), ratio = x / y;
    std::printf("question-base-load: measured %.1f ms vs iconv %.1f ms = %.2f x, target %.1f x %s\n", x, y, ratio, Target,
                ratio <= Target ? "ok" : "FAIL");
    return ratio <= Target ? 0 : 1;
}
