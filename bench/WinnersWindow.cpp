// The winners window with 100,000 records: the all-records view against setting the same
// text in one call on the same widget, and the days view against the all-records view.
#include "BenchReport.h"

#include "core/data/LineStore.h"
#include "core/data/WinnersFile.h"
#include "core/engine/Clock.h"
#include "core/state/GameState.h"
#include "ui/winners/WinnersWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTextDocument>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    SystemClock clock;
    const QDateTime now = clock.now();
    LineStore best;
    QStringList lines;
    for (int i = 0; i < 100000; ++i)
        lines << WinnersFile::recordLines(u"Игрок %1"_s.arg(i % 500), 500 * (i % 397), now.addSecs(-qint64(i) * 600));
    best.setLines(lines);
    if (!best.save(dir.filePath(u"best.txt"_s)))
        return 2;

    GameState state;
    WinnersWindow window(state, clock, QDir(dir.path()));
    window.open();
    window.show();
    auto *listing = window.findChild<QPlainTextEdit *>(u"RichEdit1"_s);
    auto *daysField = window.findChild<QSpinBox *>(u"Vvod"_s);
    auto *viewChoice = window.findChild<QComboBox *>(u"ComboBox1"_s);
    if (!listing || !daysField || !viewChoice)
        return 2;

    std::vector<double> all, oneCall, days;
    for (int run = -1; run < 7; ++run) {
        QElapsedTimer t;
        t.start();
        viewChoice->setCurrentIndex(0);
        window.viewChosen(0);
        const double allMs = t.nsecsElapsed() / 1e6;
        // The same text, paragraph and line separators included.
        const QString shown = listing->document()->toRawText();

        // Replaces a document as full as the one the view replaced.
        t.restart();
        listing->setPlainText(shown);
        const double oneCallMs = t.nsecsElapsed() / 1e6;

        viewChoice->setCurrentIndex(1);
        window.viewChosen(1);
        t.restart();
        daysField->setValue(daysField->value() == 100000 ? 100001 : 100000);  // every record is listed
        const double daysMs = t.nsecsElapsed() / 1e6;
        if (run >= 0) {
            all.push_back(allMs);
            oneCall.push_back(oneCallMs);
            days.push_back(daysMs);
        }
    }
    const double a = BenchReport::median(all);
    bool ok = BenchReport::ratio("winners-all-100k", "ms", a, "one setPlainText", BenchReport::median(oneCall), 2.0);
    ok = BenchReport::ratio("winners-days-100k", "ms", BenchReport::median(days), "all-records view", a, 1.5) && ok;
    return ok ? 0 : 1;
}
