#include "app/Application.h"
#include "app/Artwork.h"

#include <QApplication>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"zybkotsepye"_s);
    QApplication::setApplicationDisplayName(u"Зыбкоцепье"_s);
    QApplication::setApplicationVersion(u"1.0"_s);
    QApplication::setWindowIcon(Artwork::applicationIcon());
    // The main menu ends the program; the other windows only hide.
    QApplication::setQuitOnLastWindowClosed(false);

    // The game reads and writes its data files in the working directory.
    Application windows;
    windows.start();
    return app.exec();
}
