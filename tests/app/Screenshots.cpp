// Renders each of the four windows, in a moment of play, to a PNG file.
//   zyb_screenshots OUTPUT_DIR
#include "app/Application.h"
#include "data/LineStore.h"
#include "data/WinnersFile.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

bool save(QWidget &window, const QString &path)
{
    if (!window.grab().save(path)) {
        qCritical("cannot write %s", qPrintable(path));
        return false;
    }
    return true;
}

void writeWinners(const QString &path)
{
    LineStore best;
    const QDateTime now = QDateTime::currentDateTime();
    const std::pair<const char16_t *, int> winners[] = {
        {u"Алексей", 125000}, {u"Марина", 48500}, {u"Новый Игрок", 231000}};
    int daysAgo = 9;
    for (const auto &[name, sum] : winners) {
        for (const QString &line : WinnersFile::recordLines(QString::fromUtf16(name), sum, now.addDays(-daysAgo)))
            best.append(line);
        daysAgo -= 4;
    }
    (void)best.save(path);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication qapp(argc, argv);
    Application::configure();
    if (argc < 3) {
        qCritical("usage: zyb_screenshots OUTPUT_DIR RESOURCES_DIR");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const QDir resources(QString::fromLocal8Bit(argv[2]));
    if (!out.mkpath(u"."_s))
        return 1;

    QTemporaryDir data;
    for (const QString &name : {u"Vopros.txt"_s, u"names.txt"_s})
        QFile::copy(resources.filePath(name), data.filePath(name));
    writeWinners(data.filePath(u"best.txt"_s));

    Application app(QDir(data.path()), std::make_unique<SystemRandom>(2026));
    app.start();
    bool ok = save(app.fMainMenu, out.filePath(u"main-menu.png"_s));

    // A round under way: play on until a chain of three right answers stands.
    app.fMainMenu.findChild<QPushButton *>(u"BitBtn1"_s)->click();
    app.fGame.Button1Click();
    GameState &s = app.state;
    for (int i = 0; i < 400 && !(s.uMainMenu.ChainStep >= 3 && app.fGame.timer(GameView::Timer::Timer3)->isActive()); ++i) {
        if (app.fGame.timer(GameView::Timer::Timer2)->isActive()) {
            app.fGame.Timer2Timer();
        } else if (app.fGame.timer(GameView::Timer::Timer3)->isActive()) {
            app.fGame.Timer3Timer();
        } else {
            app.fGame.selectNoAnswer();
            app.fGame.engine().RadioGroup1Click();  // nothing selected: the player thinks
            app.fGame.Timer1Timer();
            break;
        }
        if (i % 3 == 0)
            app.fGame.Timer1Timer();
    }
    ok = save(app.fGame, out.filePath(u"game.png"_s)) && ok;
    app.fGame.close();

    app.fMainMenu.findChild<QPushButton *>(u"BitBtn2"_s)->click();
    app.fPref.FormActivate();
    ok = save(app.fPref, out.filePath(u"settings.png"_s)) && ok;

    app.fBest.openFromSettings();
    app.fBest.ComboBox1Change(0);
    app.fBest.findChild<QComboBox *>(u"ComboBox1"_s)->setCurrentIndex(0);
    ok = save(app.fBest, out.filePath(u"winners.png"_s)) && ok;
    return ok ? 0 : 1;
}
